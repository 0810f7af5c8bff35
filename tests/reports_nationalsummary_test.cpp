#include <gtest/gtest.h>

#include "common/numtext.h"
#include "exampleset.h"
#include "fleet_fixture.h"
#include "golden.h"
#include "reports/fleetreports.h"

using namespace brasket;
using namespace brasket::testing;

namespace {

// A bin-number table as loaded: two classes of fuel 3, one of them without a configuration row.
struct SummaryByBin : FleetSet {
    void SetUp() override {
        FleetSet::SetUp();
        Workset& w = app->ws;
        w.binnumbertable(1, 0, 0, 0) = 3;
        w.binnumbertable(1, 1, 1, 1) = 2;
        w.binnumbervalue(1, 1, 1, 1) = 100;
        w.binnumbertable(1, 2, 3, 4) = 1;
        w.binnumbervalue(1, 2, 3, 4) = 40;
        w.binnumbertable(1, 5, 5, 5) = 4;
        w.binnumbervalue(1, 5, 5, 5) = 10;
        configuration(1, 3, 1, 1, 1, 7);
        configuration(2, 0, 0, 0, 0, 11);
        configuration(3, 3, 5, 5, 5, 8);
        bin(7, 1.3f, 0, 0, 0, "B7");
        bin(8, 0.25f, 0, 0, 0, "B8");
    }
};

TEST_F(SummaryByBin, TheTruncationBoxDecidesWhetherAFactorAboveOneIsUsed) {
    printbins(*app);
    // The busy panel is left shown for the caller to hide.
    EXPECT_TRUE(app->main.Label19.Visible());
    EXPECT_EQ(app->main.Label19.Caption(), "calculating unit type data ");
    EXPECT_EQ(app->report.pageindex().substr(0, 1), "2");
    // The box starts checked: the factor used and printed is 1.
    EXPECT_EQ(linestarting("1   2"), "1   2   100.         1.        100.          7 B7     GAS Bit        BOILER 1       "
                                     "PM 1       SO2 1");
    EXPECT_EQ(linestarting("Total national mercury in coal "), "Total national mercury in coal 150kg (.17 tons)");
    EXPECT_EQ(linestarting("Total national mercury emissions "), "Total national mercury emissions 143kg (.16 tons)");

    mainwindow(*app).Check1[1].Value = 0;
    printbins(*app);
    EXPECT_EQ(linestarting("1   2").substr(0, 49), "1   2   100.         1.3       130.          7 B7");
    EXPECT_EQ(linestarting("Total national mercury emissions "), "Total national mercury emissions 172kg (.19 tons)");
}

// A class without a configuration row is entered with bin 90 and listed and counted with the
// factor 1 that bin 90 stands for, so the summary accounts for all the mercury in coal.
TEST_F(SummaryByBin, AClassWithoutConfigurationIsEnteredWithBin90AndCounted) {
    printbins(*app);
    EXPECT_FALSE(linestarting("1   2").empty());
    EXPECT_EQ(linestarting("2   1").substr(0, 47), "2   1   40.          1.        40.           90");
    EXPECT_EQ(linestarting("3   4").substr(0, 49), "3   4   10.          .25       2.5           8 B8");
    EXPECT_EQ(linestarting("Total national mercury in coal "), "Total national mercury in coal 150kg (.17 tons)");
    EXPECT_EQ(configurationof(2), (std::vector<long>{3, 2, 3, 4, 90}));
    // The table itself is read, never rebuilt.
    EXPECT_EQ(app->ws.binnumbertable(1, 2, 3, 4), 1);
    EXPECT_EQ(binnumbercell(app->ws, 1, 1, 1, 1, 4), 0);

    // A second run finds the entered row and gives the same lines.
    const std::string first = reporttext(app->report);
    printbins(*app);
    EXPECT_EQ(reporttext(app->report), first);
}

struct SummaryByBinExample : FleetExampleSet {
    void SetUp() override {
        FleetExampleSet::SetUp();
        cmdunittype_Click(app);
    }
};

TEST_F(SummaryByBinExample, GoldenReport) {
    printbins(app);
    expectgolden("national-summary-by-bin.txt", reporttext(app.report));
}

// The input total is the sum of the listed rows (each rounded to grams in its column).
TEST_F(SummaryByBinExample, TheTotalsAreTheSumsOfTheListedRows) {
    printbins(app);
    double input = 0, stack = 0;
    long rows = 0;
    for (const std::string& l : reportlines(app)) {
        if (l.size() < 45 || val(l.substr(0, 3)) < 1) continue;
        input += val(l.substr(8, 13));
        stack += val(l.substr(31, 13));
        ++rows;
    }
    const std::string intotal = firstline(app, "Total national mercury in coal ");
    const std::string emtotal = firstline(app, "Total national mercury emissions ");
    EXPECT_GT(rows, 10);
    EXPECT_NEAR(val(intotal.substr(31)), input, 0.5 + rows * 0.0005);
    EXPECT_NEAR(val(emtotal.substr(33)), stack, 0.5 + rows * 0.0005);
}

}  // namespace
