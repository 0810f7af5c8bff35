#include "import/bininfo.h"

#include <initializer_list>
#include <string>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/exportfields.h"
#include "import/importconduct.h"

namespace brasket {
namespace {

constexpr long maxbin = 300;   // rows of the bin table
constexpr long maxrows = 300;  // test and configuration rows filled from the translation tables

// The bin number of a field, as a row index of the bin table (a huge number is held at the
// 32-bit bounds, so that it is told as beyond the table).
long binnumber(const std::string& field) { return cint32(val(field)); }

std::string where(long line, const std::filesystem::path& path) {
    return "line " + std::to_string(line) + " of " + path.filename().string();
}

// A whole-number field of a row: the name it is told by, its source text and its range.
struct WholeField {
    const char* what;
    const std::string& text;
    double lo, hi;
};

// True when every whole-number source of a row fits its field. Otherwise the first that does
// not is written to the warning log and the line is skipped, so that the row keeps its
// earlier contents whole rather than mixing them with the new line's.
bool rowfits(App& app, std::initializer_list<WholeField> fields, long line, const std::filesystem::path& path) {
    // `path` is the export as it is spelled on disk.
    for (const WholeField& f : fields) {
        double v = roundhalfeven(val(f.text));
        if (v >= f.lo && v <= f.hi) continue;
        importwarning(app, where(line, path) + " skipped: " + f.what + " " + trim(f.text) + " does not fit its field");
        return false;
    }
    return true;
}
constexpr double int16lo = -32768, int16hi = 32767;

// "efsummary.txt": the code text of each bin.
void readbinsummary(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return;
    lines->skipheading(2);
    std::string_view line;
    CTXT f;
    while (lines->next(line)) {
        splitline(line, f);
        long b = binnumber(f[3]);
        if (b > maxbin || b < 0) {
            importwarning(app, where(lines->linenumber(), lines->path()) + " skipped: bin " + trim(f[3]) +
                                   (b < 0 ? " is below bin 0" : " is beyond bin " + std::to_string(maxbin)));
            continue;
        }
        if (b > 0) app.ws.binindex(b).Code = f[1];
    }
}

// "translation table.txt": test row j from line j, the tested unit and its bin.
void readtestrows(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return;
    lines->skipheading(1);
    std::string_view line;
    CTXT f;
    for (long j = 1; lines->next(line); ++j) {
        long lineno = lines->linenumber();
        if (j > maxrows) {
            importwarning(app, where(lineno, lines->path()) + " skipped: more than " + std::to_string(maxrows) + " test rows");
            continue;
        }
        splitline(line, f);
        long b = binnumber(f[2]);
        if (b < 0 || b > maxbin) {
            importwarning(app, where(lineno, lines->path()) + " skipped: bin " + trim(f[2]) + " is outside 0.." +
                                   std::to_string(maxbin));
            continue;
        }
        if (!rowfits(app, {{"unit code", f[4], int16lo, int16hi}, {"layout code", f[5], 0, 255},
                           {"fuel code", f[7], int16lo, int16hi}},
                     lineno, path))
            continue;
        binindexrec& row = app.ws.binindex(j);
        row.testname = f[1];
        row.testcode = static_cast<i16>(b);
        row.testunit = cint16(val(f[4]));
        row.testline = cbyte(val(f[5]));
        row.testfuel = cint16(val(f[7]));
    }
}

// "translation table 2.txt": configuration row j from line j, and the code text of its bin.
void readconfigurationrows(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return;
    lines->skipheading(2);
    std::string_view line;
    CTXT f;
    for (long j = 1; lines->next(line); ++j) {
        long lineno = lines->linenumber();
        if (j > maxrows) {
            importwarning(app, where(lineno, lines->path()) + " skipped: more than " + std::to_string(maxrows) +
                                   " configuration rows");
            continue;
        }
        splitline(line, f);
        long b = binnumber(f[3]);
        if (b < 0 || b > 255) {  // the configuration row holds its bin in 8 bits
            importwarning(app, where(lineno, lines->path()) + " skipped: bin " + trim(f[3]) + " is outside 0..255");
            continue;
        }
        if (!rowfits(app, {{"fuel code", f[5], int16lo, int16hi}, {"boiler type", f[21], 0, 255},
                           {"particulate control", f[22], 0, 255}, {"SO2 control", f[23], 0, 255}},
                     lineno, path))
            continue;
        Workset& ws = app.ws;
        ws.binindex(b).Code = f[2];
        binindexrec& row = ws.binindex(j);
        row.unitcode = static_cast<u8>(b);
        row.unitfuel = cint16(val(f[5]));
        row.unitboiler = cbyte(val(f[21]));
        row.unitpm = cbyte(val(f[22]));
        row.unitso2 = cbyte(val(f[23]));
    }
}

}  // namespace

void setbinfactor(Workset& ws, long bin, double factor) {
    ws.binindex(bin).efactor = static_cast<f32>(factor);
    for (long j = 1; j <= maxrows; ++j)
        if (ws.binindex(j).testcode == bin) ws.binindex(j).testline = 2;
}

bool readbinfactorfile(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return false;
    lines->skipheading(2);
    std::string_view line;
    CTXT f;
    while (lines->next(line)) {
        splitline(line, f);
        long b = binnumber(f[1]);
        if (b > maxbin || b < 0) {
            importwarning(app, where(lines->linenumber(), lines->path()) + " skipped: bin " + trim(f[1]) +
                                   (b < 0 ? " is below bin 0" : " is beyond bin " + std::to_string(maxbin)));
            continue;
        }
        if (!numbersfit(app, *lines, {{"bin factor", f[2]}})) continue;
        if (b > 0) setbinfactor(app.ws, b, val(f[2]));
    }
    return true;
}

void cmdloadbin_Click(App& app) {
    if (app.updatingall != 1 && !importfolderdialog(app)) return;
    beginimport(app, "reading bininfo");
    readbinsummary(app, app.importpath / "efsummary.txt");
    readtestrows(app, app.importpath / "translation table.txt");
    readconfigurationrows(app, app.importpath / "translation table 2.txt");
    endimport(app);
}

void cmdupdatebininfo_Click(App& app) {
    // The chosen file itself is read; the import folder stays as it was.
    const auto chosen = chooseexportfile(app, "bin update files (*.txt) ");
    if (!chosen) return;
    beginimport(app, "reading bininfo");
    readbinfactorfile(app, *chosen);
    endimport(app);
}

}  // namespace brasket
