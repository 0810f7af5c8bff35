#include "import/testimport.h"

#include <array>
#include <exception>
#include <utility>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/exportfields.h"
#include "import/importconduct.h"

namespace brasket {
namespace {

// Position of the bracketed number of an "ND" text: characters p .. q - 1.
std::pair<long, long> notdetectedspan(std::string_view text) {
    long p = instr(text, "(") + 1;
    long q = instr(p, text, ")");
    return {p, q};
}

}  // namespace

double parsetestvalue(std::string_view text) {
    if (instr(text, "ND") == 0) return val(text);
    auto [p, q] = notdetectedspan(text);
    if (q > p) return val(mid(text, p, q - p)) / 2;
    return 999;
}

bool malformednotdetected(std::string_view text) {
    if (instr(text, "ND") == 0) return false;
    auto [p, q] = notdetectedspan(text);
    return q <= p;
}

std::int16_t textcode(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::int16_t>, 8> codes{{
        {"5430", 5430},
        {"6414", 6414},
        {"3684", 3684},
        {"7371/1631)", 7371},
        {"3051/3052/7471", 3051},
        {"1631", 1631},
        {"Proposed", 1},
        {"7471)", 7471},
    }};
    for (const auto& [found, code] : codes)
        if (instr(text, found) > 0) return code;
    return 9;
}

std::int16_t fuelcode(std::string_view text, double sulfur) {
    static constexpr std::array<std::pair<std::string_view, std::int16_t>, 20> codes{{
        {"Lignite", 5},
        {"Waste Bit", 8},
        {"Waste bit", 8},
        {"Waste Anth", 8},
        {"Waste anth", 8},
        {"Waste Sub", 9},
        {"Sub - bit", 4},
        {"Sub-bit/bit", 14},
        {"Sub-bit/Bit", 14},
        {"Sub-bit/pet coke", 16},
        {"Sub-bit", 4},
        {"Coal gas", 62},
        {"Coal Gas", 62},
        {"Anth", 10},
        {"Petroleum Coke", 7},
        {"Bit/sub", 15},
        {"Sub", 4},
        {"Bit-Pet", 17},
        {"Bit - Pet Coke", 17},
        {"Bit/pet coke", 17},
    }};
    for (const auto& [found, code] : codes)
        if (instr(text, found) > 0) return code;
    if (instr(text, "bit") > 0 || instr(text, "Bit") > 0) return sulfur < 0.6 ? 6 : 3;
    return 2;
}

namespace {

constexpr const char* lookupcategory(int kind) {
    switch (kind) {
        case boilertestkind: return "boiler";
        case so2testkind: return "so2";
        default: return "pm";
    }
}

// A mercury value of a test line; an "ND" value without a number in brackets keeps its 999
// and is written to the warning log, so that it is found before it enters a factor.
f32 testvalue(App& app, const std::string& field, int fieldno, long line, const std::filesystem::path& path) {
    if (malformednotdetected(field))
        importwarning(app, "field " + std::to_string(fieldno) + " (" + field + ") of line " + std::to_string(line) +
                               " of " + path.filename().string() + ": no detection limit in brackets; 999 stored");
    return static_cast<f32>(parsetestvalue(field));
}

void filltest(App& app, testrec& t, int kind, CTXT& f, long line, const std::filesystem::path& path) {
    t.testkind = static_cast<u8>(kind);
    t.typecode = cbyte(static_cast<double>(codelookup(app, lookupcategory(kind), f[1])));
    t.testname = f[2];
    t.runid = f[3];
    t.burnrate = static_cast<f32>(val(f[4]));
    t.value5 = static_cast<f32>(val(f[5]));
    t.sulfur = static_cast<f32>(val(f[6]));
    t.o2in = static_cast<f32>(val(f[7]));
    t.inpart = testvalue(app, f[8], 8, line, path);
    t.hgcoal = testvalue(app, f[9], 9, line, path);
    t.inox = static_cast<f32>(parsetestvalue(f[9]));
    t.inelem = testvalue(app, f[10], 10, line, path);
    t.gasrate = static_cast<f32>(val(f[11]));
    t.value12 = static_cast<f32>(val(f[12]));
    t.value13 = static_cast<f32>(val(f[13]));
    t.o2out = static_cast<f32>(val(f[14]));
    t.outpart = testvalue(app, f[15], 15, line, path);
    t.outox = testvalue(app, f[16], 16, line, path);
    t.outelem = testvalue(app, f[17], 17, line, path);
    t.refcode = textcode(f[18]);
    t.fueltype = fuelcode(f[19], val(f[6]));
}

}  // namespace

bool processtests(App& app, int kind, const std::filesystem::path& path, std::string& reason) {
    if (!findexport(path)) {
        reason = path.filename().string() + " is not in " + path.parent_path().string();
        return false;
    }
    auto lines = openexport(app, path);
    if (!lines) {
        reason = path.filename().string() + " cannot be read";
        return false;
    }
    Workset& ws = app.ws;
    long n = testcount(ws);
    lines->skipheading(2);
    std::string_view line;
    mainwindow(app).Label19.Caption = readingcaption(path);
    showbusy(app, 0);
    CTXT f;
    int k = 0;
    while (lines->next(line)) {
        splitline(line, f);
        if (k == 10) {
            showbusy(app, static_cast<double>(n) / 10);
            k = 0;
        } else {
            ++k;
        }
        app.lookuponly = 1;
        // Field 1, the type tested, says which factor a test feeds: a line without it is
        // skipped (told, unless the line is empty altogether).
        if (rtrim(f[1]).empty()) {
            if (line.find_first_not_of(" \t") != std::string_view::npos)
                skippedline(app, *lines, "no type (field 1)");
            continue;
        }
        if (!numbersfit(app, *lines,
                        {{"burn rate", f[4]}, {"value of field 5", f[5]}, {"sulfur", f[6]}, {"inlet O2", f[7]},
                         {"inlet particulate mercury", f[8], false, parsetestvalue(f[8])},
                         {"mercury in the coal", f[9], false, parsetestvalue(f[9])},
                         {"inlet elemental mercury", f[10], false, parsetestvalue(f[10])},
                         {"gas rate", f[11]}, {"value of field 12", f[12]}, {"value of field 13", f[13]},
                         {"outlet O2", f[14]},
                         {"outlet particulate mercury", f[15], false, parsetestvalue(f[15])},
                         {"outlet oxidized mercury", f[16], false, parsetestvalue(f[16])},
                         {"outlet elemental mercury", f[17], false, parsetestvalue(f[17])}}))
            continue;
        if (n >= ws.test.hi) {
            settestcount(ws, n);
            reason = "more than " + std::to_string(ws.test.hi) + " tests; " + path.filename().string() +
                     " was read up to line " + std::to_string(lines->linenumber() - 1);
            return false;
        }
        ++n;
        filltest(app, ws.test(n), kind, f, lines->linenumber(), lines->path());
    }
    settestcount(ws, n);
    showbusy(app, -3);
    app.lookuponly = 0;
    return true;
}

void cmdmakeEF_Click(App& app) { importtests(app); }

TestImportEnd importtests(App& app) {
    if (app.updatingall != 1 && !importfolderdialog(app)) return TestImportEnd::cancelled;
    beginimport(app, "reading test data summaries");
    settestcount(app.ws, 0);
    std::string reason;
    bool done = false;
    try {
        done = processtests(app, boilertestkind, app.importpath / "boilertest.txt", reason) &&
               processtests(app, pmtestkind, app.importpath / "pmtest.txt", reason) &&
               processtests(app, so2testkind, app.importpath / "so2test.txt", reason);
    } catch (const std::exception& e) {
        reason = e.what();
    }
    // Whatever happened, the window is left as it was before the import.
    showbusy(app, -3);
    app.lookuponly = 0;
    endimport(app);
    if (!done) importfailed(app, "Files not processed.....\r\n" + reason);
    return done ? TestImportEnd::read : TestImportEnd::failed;
}

}  // namespace brasket
