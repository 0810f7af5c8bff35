// The fuel burn check and the coal and flue gas mercury check: which units, months and tests
// get a line, the limits of the scans, and golden reports over the example working set.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "exampleset.h"
#include "golden.h"
#include "import/fuelchecks.h"
#include "mainwindow/frmplants.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct FuelChecks : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> owned = std::make_unique<App>(platform);
    App& app = *owned;

    // Unit u at position k of plant p, with its plant name and boiler id; burns in tons by month.
    void unitat(long p, long k, long u, const std::vector<float>& burns) {
        app.ws.idplant(p).unitno[static_cast<std::size_t>(k)] = static_cast<i16>(u);
        app.ws.idunit(u).plantno = static_cast<i16>(p);
        app.ws.idunit(u).boilerid = "B" + std::to_string(u);
        app.ws.plant(p).plantname = "PLANT " + std::to_string(p);
        for (long m = 1; m <= 12; ++m) {
            // Half in slot 1, half in slot 4: the month's burn is their sum.
            app.ws.unitcoal(u, m).drytons[1] = burns[static_cast<std::size_t>(m - 1)] / 2;
            app.ws.unitcoal(u, m).drytons[4] = burns[static_cast<std::size_t>(m - 1)] / 2;
        }
    }
    static std::string unittext(long p, long u) {
        std::string name = "PLANT " + std::to_string(p);
        name.resize(50, ' ');
        std::string id = "B" + std::to_string(u);
        id.resize(15, ' ');
        return name + "  " + id + " ";
    }
    testrec& boiler(int type, const std::string& name, float hg, float burn, float gas, float p, float o, float e) {
        const long n = testcount(app.ws) + 1;
        settestcount(app.ws, n);
        testrec& t = app.ws.test(n);
        t.testkind = 1;
        t.typecode = static_cast<u8>(type);
        t.testname = name;
        t.runid = "1";
        t.hgcoal = hg;
        t.burnrate = burn;
        t.gasrate = gas;
        t.outpart = p;
        t.outox = o;
        t.outelem = e;
        return t;
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (long i = 1; i <= app.report.reportlinecount; ++i) out.push_back(app.report.line(i));
        return out;
    }
};

}  // namespace

TEST_F(FuelChecks, BurnCheckOfAnEmptySetHoldsItsHeadingsOnly) {
    cmdworkunit_Click(app);
    EXPECT_EQ(lines(), (std::vector<std::string>{"", "Error form for monthly fuel burn",
                                                 "____part 1 no fuel any type reported in month__________________", "",
                                                 ""}));
    EXPECT_EQ(mainwindow(app).Label9.Caption(), "Checking monthly burn rates");
    EXPECT_TRUE(app.display.loaded);
}

TEST_F(FuelChecks, BurnCheckListsYearsAndMonthsWithoutEnoughFuel) {
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
    cmdworkunit_Click(app);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 8u);
    EXPECT_EQ(l[4], unittext(1, 10) + " no fuel reported in year");
    EXPECT_EQ(l[5], unittext(2, 11) + "Jul no burn   year avg.=   91.66666");
    EXPECT_EQ(l[6], unittext(3, 12) + "Dec   10.99 burned,   year avg.=   92.5825");
    EXPECT_EQ(l[7], "");
}

TEST_F(FuelChecks, BurnCheckStopsAtPlantFiveHundred) {
    app.ws.idplant(501).unitno[1] = 20;  // a unit without any burn, beyond the plants checked
    app.ws.idunit(20).plantno = 501;
    cmdworkunit_Click(app);
    EXPECT_EQ(lines().size(), 5u);
}

TEST_F(FuelChecks, FrameButtonRunsTheBurnCheckAndHidesTheFrame) {
    unitat(1, 1, 10, std::vector<float>(12, 0));
    mainwindow(app).Frame7.Visible = true;
    Command19_Click(app);
    EXPECT_FALSE(mainwindow(app).Frame7.Visible());
    EXPECT_EQ(lines()[1], "Error form for monthly fuel burn");
    EXPECT_EQ(lines().size(), 6u);
}

TEST_F(FuelChecks, FlueGasCheckSetsStackMercuryAgainstCoalMercury) {
    boiler(2, "SECOND", 0.1f, 1000, 100000, 1, 2, 3);
    boiler(1, "FIRST", 0.1f, 1000, 100000, 1, 2, 3);
    boiler(1, "NO COAL", 0, 1000, 100000, 1, 2, 3);
    boiler(0, "UNTYPED", 0.1f, 1000, 100000, 1, 2, 3);
    boiler(1, "CONTROL", 0.1f, 1000, 100000, 1, 2, 3).testkind = 3;
    cmdmercury_conc_Click(app);
    const double outlet = 6.0 * 100000 / 385.3 * 200.59 / 1000000;
    EXPECT_NEAR(outlet / 0.1, 3.1236, 1e-4);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 10u);
    EXPECT_EQ(l[1], "Error form for coal mercury-gas concentration mismatch");
    EXPECT_EQ(l[3], " FIRST               1        in: 1.e-01     out: 3.124e-01      ratio=3.124");
    EXPECT_EQ(l[4], "NO COAL               1    No mercury reported inlet to boiler.");
    EXPECT_EQ(l[5], " SECOND              1        in: 1.e-01     out: 3.124e-01      ratio=3.124");
    EXPECT_EQ(l[6], "_________________________________________");
    EXPECT_EQ(l[7], "Average ratio of outlet to inlet is 3.1236");
    EXPECT_EQ(l[8], "This is based upon  2 measurements");
}

TEST_F(FuelChecks, FlueGasCheckWithoutInletMercuryHasNoAverage) {
    boiler(3, "NO COAL", 0, 1000, 100000, 1, 2, 3);
    cmdmercury_conc_Click(app);
    const std::vector<std::string> l = lines();
    EXPECT_EQ(l[l.size() - 3], "Average ratio of outlet to inlet is n/a");
    EXPECT_EQ(l[l.size() - 2], "This is based upon  0 measurements");
}

TEST_F(FuelChecks, GoldenChecksOverTheExampleSet) {
    brasket::testing::loadexampleset(app, platform);
    cmdworkunit_Click(app);
    brasket::testing::expectgolden("burncheck.txt", brasket::testing::reporttext(app.report));
    cmdmercury_conc_Click(app);
    brasket::testing::expectgolden("fluegascheck.txt", brasket::testing::reporttext(app.report));
}
