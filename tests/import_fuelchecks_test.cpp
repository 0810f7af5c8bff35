// The fuel burn check and the coal and flue gas mercury check: which units, months and tests
// get a line, the limits of the scans, and golden reports over the example working set.
#include <string>
#include <vector>

#include "golden.h"
#include "import/fuelchecks.h"
#include "mainwindow/frmplants.h"
#include "report_testkit.h"

using namespace brasket;
using namespace brasket::testing;

namespace {

struct FuelChecks : ReportTest {
    // Unit u at position k of plant p, with its plant name and boiler id; burns in tons by month,
    // half in slot 1 and half in slot 4.
    void unitat(long p, long k, long u, const std::vector<float>& burns) {
        app.ws.idplant(p).unitno[static_cast<std::size_t>(k)] = static_cast<i16>(u);
        app.ws.idunit(u).plantno = static_cast<i16>(p);
        app.ws.idunit(u).boilerid = "B" + std::to_string(u);
        app.ws.plant(p).plantname = "PLANT " + std::to_string(p);
        for (long m = 1; m <= 12; ++m) {
            app.ws.unitcoal(u, m).drytons[1] = burns[static_cast<std::size_t>(m - 1)] / 2;
            app.ws.unitcoal(u, m).drytons[4] = burns[static_cast<std::size_t>(m - 1)] / 2;
        }
    }
    // The start of a unit's line: plant name (50), two blanks, boiler id (15), a blank.
    static std::string unittext(long p, long u) {
        return columns({{1, "PLANT " + std::to_string(p)}, {53, "B" + std::to_string(u)}, {68, " "}});
    }
};

}  // namespace

TEST_F(FuelChecks, BurnCheckListsYearsAndMonthsWithoutEnoughFuel) {
    cmdworkunit_Click(app);  // no unit at all: the headings only
    const std::vector<std::string> headings{"", "Error form for monthly fuel burn",
                                            "____part 1 no fuel any type reported in month__________________", ""};
    EXPECT_EQ(lines(), (std::vector<std::string>{headings[0], headings[1], headings[2], headings[3], ""}));
    EXPECT_EQ(mainwindow(app).Label9.Caption(), "Checking monthly burn rates");

    unitat(1, 1, 10, std::vector<float>(12, 0));
    std::vector<float> july(12, 100);
    july[6] = 0;
    unitat(2, 1, 11, july);
    std::vector<float> december(12, 100);
    december[11] = 10.99f;
    unitat(3, 35, 12, december);  // the last position the unit import stores
    std::vector<float> half(12, 132);
    half[0] = half[1] = 60;  // average 120: exactly half gives no line
    unitat(4, 2, 13, half);
    app.ws.idplant(501).unitno[1] = 20;  // beyond the plants checked
    app.ws.idunit(20).plantno = 501;
    mainwindow(app).Frame7.Visible = true;
    Command19_Click(app);  // the frame's button runs the check and hides the frame
    EXPECT_FALSE(mainwindow(app).Frame7.Visible());
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           headings[0], headings[1], headings[2], headings[3],
                           unittext(1, 10) + " no fuel reported in year",
                           unittext(2, 11) + "Jul no burn   year avg.=   91.66666",
                           unittext(3, 12) + "Dec   10.99 burned,   year avg.=   92.5825", ""}));
    EXPECT_TRUE(app.display.loaded);
}

TEST_F(FuelChecks, FlueGasCheckSetsStackMercuryAgainstCoalMercuryByTypeCode) {
    auto boiler = [&](int type, const char* name, float hg) -> testrec& {
        return typed(table.boiler(name, "1", hg, 1000, 1, 2, 3, 100000), type);
    };
    cmdmercury_conc_Click(app);  // no test: no average
    EXPECT_EQ(lines().end()[-3], "Average ratio of outlet to inlet is n/a");
    EXPECT_EQ(lines().end()[-2], "This is based upon  0 measurements");

    boiler(2, "SECOND", 0.1f);
    boiler(1, "FIRST", 0.1f);
    boiler(1, "NO COAL", 0);
    boiler(0, "UNTYPED", 0.1f);
    boiler(1, "CONTROL", 0.1f).testkind = pmtestkind;
    cmdmercury_conc_Click(app);
    // Outlet (1 + 2 + 3) x 100000 / 385.3 x 200.59 / 1e6 g/h against an inlet of 0.1.
    EXPECT_NEAR(6.0 * 100000 / 385.3 * 200.59 / 1000000 / 0.1, 3.1236, 1e-4);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "", "Error form for coal mercury-gas concentration mismatch", "",
                           " FIRST               1        in: 1.e-01     out: 3.124e-01      ratio=3.124",
                           "NO COAL               1    No mercury reported inlet to boiler.",
                           " SECOND              1        in: 1.e-01     out: 3.124e-01      ratio=3.124",
                           "_________________________________________", "Average ratio of outlet to inlet is 3.1236",
                           "This is based upon  2 measurements", ""}));
}

TEST_F(FuelChecks, GoldenChecksOverTheExampleSet) {
    loadexampleset(app, platform);
    cmdworkunit_Click(app);
    expectgolden("burncheck.txt", reporttext(app.report));
    cmdmercury_conc_Click(app);
    expectgolden("fluegascheck.txt", reporttext(app.report));
    // No example unit is short of fuel: an outage in July of the first plant's first unit, a
    // December at a tenth of its burn for the second plant's, and a unit out for the year.
    const long outage = app.ws.idplant(1).unitno[1], low = app.ws.idplant(2).unitno[1], idle = app.ws.idplant(3).unitno[1];
    ASSERT_GT(outage * low * idle, 0);
    for (long s = 1; s <= 4; ++s) {
        app.ws.unitcoal(outage, 7).drytons[static_cast<std::size_t>(s)] = 0;
        app.ws.unitcoal(low, 12).drytons[static_cast<std::size_t>(s)] *= 0.1f;
        for (long m = 1; m <= 12; ++m) app.ws.unitcoal(idle, m).drytons[static_cast<std::size_t>(s)] = 0;
    }
    cmdworkunit_Click(app);
    expectgolden("burncheck-outages.txt", reporttext(app.report));
}
