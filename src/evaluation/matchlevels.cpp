#include "evaluation/matchlevels.h"

#include <array>

#include "app.h"
#include "evaluation/binscan.h"
#include "model/binlookup.h"
#include "report/numformat.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

// Test rows of the bin table that name a tested unit.
constexpr long testrows = 81;
constexpr long emptyfuelclass = 2;

// The proposed configuration as the evaluation window shows it.
struct Proposed {
    long boilergroup, pm, so2, noxgroup;
};

Proposed proposed(const Form1& f) {
    return {listcode(f.Combo3[0]), listcode(f.Combo3[1]), listcode(f.Combo3[2]), listcode(f.Combo3[3])};
}

// The test check counts every wet scrubber alike.
long foldscrubber(long so2) { return (so2 == 2 || so2 == 7 || so2 == 4) ? 3 : so2; }

struct BoilerTypes {
    long g, n, t1, t2, t3;
};

// By (boiler group, NOx group); COAL GAS with NOX gives only the second type.
constexpr std::array<BoilerTypes, 22> boilertypes{{
    {0, 0, 1, 0, 0},   {0, 1, 19, 13, 24}, {0, 2, 23, 20, 15}, {0, 3, 3, 8, 0}, {0, 4, 13, 0, 0}, {0, 5, 15, 0, 0},
    {1, 0, 7, 0, 0},   {1, 1, 21, 0, 0},   {1, 2, 11, 0, 0},   {1, 3, 10, 0, 0}, {1, 4, 21, 0, 0}, {1, 5, 11, 0, 0},
    {2, 0, 5, 16, 0},  {2, 1, 18, 0, 0},   {2, 2, 17, 0, 0},   {2, 3, 4, 0, 0},  {2, 4, 18, 0, 0}, {3, 0, 14, 0, 0},
    {3, 2, 2, 0, 0},   {3, 3, 6, 0, 0},    {4, 0, 0, 22, 0},   {4, 3, 22, 0, 0},
}};

// The bin of a configuration in the bin table; it keeps `bin` as it was where the look-up
// gives none (the factor-product method).
void lookup(App& app, long fuel, long boiler, long so2, long pm, long& bin) {
    double emission = 0, factor = 0;
    binlookup(app, 0, emission, factor, fuel, boiler, so2, pm, bin, nounit);
}

}  // namespace

void showbinlevel(Label& cell, int level) {
    switch (level) {
    case testmatch:
        cell.BackColor = buttonfacecolor;
        cell.ToolTipText = exactmatchtip;
        break;
    case boilertypematch:
    case coarsematch:
        cell.BackColor = yellowcell;
        cell.ToolTipText = nomatchtip;
        break;
    case groupmatch:
        cell.BackColor = groupmatchcell;
        cell.ToolTipText = bestmatchtip;
        break;
    case scanmatch:
        cell.BackColor = orangecell;
        cell.ToolTipText = bestmatchtip;
        break;
    default: break;
    }
}

void boilercodes(long g, long n, long& type1, long& type2, long& type3) {
    type1 = type2 = type3 = 0;
    for (const BoilerTypes& b : boilertypes) {
        if (b.g != g || b.n != n) continue;
        if (b.t1) type1 = b.t1;
        if (b.t2) type2 = b.t2;
        if (b.t3) type3 = b.t3;
    }
}

bool checkbinnumbermatch(App& app, int row, long bin) {
    Form1& f = app.form1;
    const long c = fuelto(fuelclass(f, row));
    Proposed p = proposed(f);
    p.so2 = foldscrubber(p.so2);
    if (c == emptyfuelclass) return false;

    const Workset& ws = app.ws;
    bool match = false;
    const long tests = std::min(testcount(ws), Table<testrec, 0, 500>::hi);
    for (long j = 1; j <= tests; ++j) {
        const std::string name = ws.test(j).testname.trimmed();
        long testfuel = ws.test(j).fueltype;
        if (testfuel == 6 || testfuel == 1) testfuel = 3;
        long testbin = nobin, testrow = 0;
        for (long r = 1; r <= testrows; ++r) {
            if (ws.binindex(r).testname.trimmed() == name) {
                testbin = ws.binindex(r).testcode;
                testrow = r;
            }
        }
        // A test that names no test row, or a unit the unit table does not hold, confirms nothing.
        if (testrow == 0) continue;
        const long unit = ws.binindex(testrow).testunit;
        if (unit < 1 || unit > Table<unitcrec, 0, 2000>::hi) continue;
        const unitcrec& u = ws.unitc(unit);
        int g = 0, n = 0;
        boilerandnoxgroup(u.modelboiler, g, n);
        if (bin == testbin && p.boilergroup == g && p.noxgroup == n && c == testfuel && p.pm == u.modelpm &&
            p.so2 == foldscrubber(u.modelso2))
            match = true;
    }
    return match;
}

long checkmatchlevel(App& app, int row) {
    Form1& f = app.form1;
    auto& level = f.matchlevel.at(static_cast<std::size_t>(row));
    level = 0;
    const long fuel = fuelcode(f, row);
    const long fuelcls = fuelclass(f, row);
    const Proposed p = proposed(f);
    long b1 = 0, b2 = 0, b3 = 0;
    boilercodes(p.boilergroup, p.noxgroup, b1, b2, b3);

    long bin = scanbins(app, fuelcls, p.boilergroup, p.noxgroup, p.so2, p.pm);
    const long scanned = bin;
    if (checkbinnumbermatch(app, row, bin)) {
        level = testmatch;
    } else {
        lookup(app, fuel, b1, p.so2, p.pm, bin);
        if (bin == nobin) lookup(app, fuel, b2, p.so2, p.pm, bin);
        if (bin == nobin) lookup(app, fuel, b3, p.so2, p.pm, bin);
        if (bin != nobin) {
            level = boilertypematch;
        } else {
            long so2 = 0, pm = 0;
            collapse(p.so2, p.pm, so2, pm);
            lookup(app, fuel, b1, so2, pm, bin);
            if (bin != nobin) {
                level = coarsematch;
            } else {
                bin = manualscan(app, fuel, p.boilergroup, p.noxgroup, p.pm, p.so2);
                level = groupmatch;
                if (bin == nobin) {
                    bin = scanned;
                    level = scanmatch;
                }
            }
        }
    }
    // A row without fuel has no bin, however the searches went (the unity configuration and the
    // factor-product method give every fuel code a bin).
    const bool nofuel = !hasfuel(f, row);
    if (nofuel) bin = nobin;

    Label& cell = f.Label14.at(static_cast<std::size_t>(row));
    if (bin != nobin)
        cell.Caption = formatnumber(static_cast<double>(bin), "##");
    else
        cell.Caption = nofuel ? "NA" : "NM";
    showbinlevel(cell, level);
    if (nofuel) {
        Label& factorcell = f.Label26.at(static_cast<std::size_t>(row));
        factorcell.Caption = " ";
        factorcell.ToolTipText = "";
    }
    return bin;
}

void Command13_Click(App& app) {
    for (int i = 0; i <= 3; ++i) checkmatchlevel(app, i);
}

}  // namespace brasket
