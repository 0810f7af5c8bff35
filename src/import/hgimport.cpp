// Mercury analyses from the four quarterly exports.
#include <algorithm>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/exportfields.h"
#include "import/importconduct.h"
#include "import/imports.h"

namespace brasket {

namespace {

const char* const quarterfiles[] = {"hg1Qdatashort.txt", "hg2Qdatashort.txt", "hg3Qdatashort.txt",
                                    "hg4Qdatashort.txt"};

}  // namespace

bool processHg(App& app, const std::filesystem::path& path) {
    auto lines = openexport(app, path);
    if (!lines) return false;
    Workset& ws = app.ws;
    long n = meascount(ws);
    mainwindow(app).Label19.Caption = readingcaption(path);
    showbusy(app, 0);
    const PlantCodeIndex plants(ws);

    lines->skipheading(1);
    std::string_view line;
    CTXT f;
    int c = 0;
    while (lines->next(line)) {
        ++n;
        splitline(line, f);
        if (c == 10) {
            showbusy(app, static_cast<double>(n) / 500);
            c = 0;
        } else {
            ++c;
        }
        // Field 1 marks a line as an analysis and the plant code says whose it is: a line
        // without either is skipped (told, unless the line is empty altogether).
        const bool nofield1 = f[1].find_first_not_of(' ') == std::string::npos;
        if (nofield1 || f[2].find_first_not_of(' ') == std::string::npos) {
            --n;
            if (line.find_first_not_of(" \t") != std::string_view::npos)
                skippedline(app, *lines, nofield1 ? "field 1 is empty" : "no plant code (field 2)");
            continue;
        }
        if (!ws.meas.inbounds(n)) {
            --n;
            skippedline(app, *lines, "more than " + std::to_string(ws.meas.hi) + " analyses");
            continue;
        }
        if (!numbersfit(app, *lines, {{"value of field 14", f[14]}, {"value of field 16", f[16]},
                                      {"mercury value", f[17]}, {"value of field 19", f[19]}})) {
            --n;
            continue;
        }
        measrec& m = ws.meas(n);
        long a = codelookup(app, "fuel", f[10]);
        long b = codelookup(app, "fuel", f[11]);
        int year = 0, month = 0;
        if (!f[4].empty() && !readdate(f[4], year, month)) {
            importwarning(app, "unreadable date " + f[4] + " for line" + str(n) + "  in file " + lines->path().string());
            year = month = 0;
        }
        m.month = static_cast<i16>(month);
        m.year = static_cast<i16>(year);
        m.plantno = static_cast<i16>(plants.lookup(f[2]));
        m.fuelnum = static_cast<i16>(100 * std::min(a, b) + std::max(a, b));
        if (m.plantno == 0)
            importwarning(app, "missing pf code for line " + str(n) + "  in file " + lines->path().string());
        m.value14 = static_cast<f32>(val(f[14]));
        m.value16 = static_cast<f32>(val(f[16]));
        m.hgppm = static_cast<f32>(val(f[17]));
        // "X" marks a value below the laboratory's accuracy limit: half the limit is kept.
        const bool belowlimit = f[18].find('X') != std::string::npos;
        m.lowmark = belowlimit ? 1 : 0;
        if (belowlimit) m.hgppm = m.hgppm / 2.0f;
        m.value19 = static_cast<f32>(val(f[19]));
        m.lowmark2 = belowlimit ? 1 : 0;
        if (belowlimit) m.value19 = m.value19 / 2.0f;
    }
    setmeascount(ws, n);
    showbusy(app, -2);
    return true;
}

void cmdreadhganalysis_Click(App& app) {
    if (!importfolderdialog(app)) return;
    // Every quarter must be there before the table is emptied, so that a missing export
    // leaves the analyses as they were.
    for (const char* name : quarterfiles) {
        if (!findexport(app.importpath / name)) {
            openexport(app, app.importpath / name);  // tells the user
            return;
        }
    }
    beginimport(app, "reading Hg measurements 1Q");
    setmeascount(app.ws, 0);
    for (int q = 1; q <= 4; ++q) {
        if (q > 1) importstep(app, "reading Hg measurements " + std::to_string(q) + "Q", true);
        if (!processHg(app, app.importpath / quarterfiles[q - 1])) break;
    }
    endimport(app);
}

}  // namespace brasket
