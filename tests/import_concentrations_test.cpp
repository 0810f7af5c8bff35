#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "app.h"
#include "import/concentrations.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct ConcFixture : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);
    Workset& ws = app->ws;

    void analysis(long plant, long month, long fuel, float hg) {
        long k = static_cast<long>(ws.meas(0).hgppm) + 1;
        ws.meas(k).plantno = static_cast<i16>(plant);
        ws.meas(k).month = static_cast<i16>(month);
        ws.meas(k).fuelnum = static_cast<i16>(fuel);
        ws.meas(k).hgppm = hg;
        ws.meas(0).hgppm = static_cast<float>(k);
    }
    // Unit u at position k of plant p.
    void unit(long p, long k, long u, const char* boilerid = "1") {
        ws.idplant(p).unitno[static_cast<std::size_t>(k)] = static_cast<i16>(u);
        ws.idunit(u).plantno = static_cast<i16>(p);
        ws.idunit(u).boilerid = boilerid;
    }
    // Fuel slot f of unit u burns fuel in month m.
    void burns(long u, long m, std::size_t f, long fuel, float tons = 100) {
        ws.unitcoal(u, m).fuelnum[f] = static_cast<i16>(fuel);
        ws.unitcoal(u, m).drytons[f] = tons;
    }
    void burnsallyear(long u, std::size_t f, long fuel) {
        for (long m = 1; m <= 12; ++m) burns(u, m, f, fuel);
    }
};

}  // namespace

TEST_F(ConcFixture, ThreeAnalysesOfAMonthGiveTheirMeanWithTheirCount) {
    unit(1, 1, 7);
    unit(1, 2, 8);
    burns(7, 4, 2, 3);
    burns(8, 4, 1, 3);
    burns(8, 4, 3, 5);  // another fuel: untouched
    analysis(1, 4, 3, 0.1f);
    analysis(1, 4, 3, 0.2f);
    analysis(1, 4, 3, 0.3f);
    auto errors = updateconcentrations(*app);
    EXPECT_FLOAT_EQ(ws.plant(1).mercury(4, 1), 0.2f);
    EXPECT_EQ(ws.plant(1).fuelno[1], 3);
    EXPECT_FLOAT_EQ(ws.unitcoal(7, 4).hgppm[2], 0.2f);
    EXPECT_EQ(ws.unitcoal(7, 4).hgflag[2], 3);
    EXPECT_FLOAT_EQ(ws.unitcoal(8, 4).hgppm[1], 0.2f);
    EXPECT_EQ(ws.unitcoal(8, 4).hgflag[1], 3);
    EXPECT_EQ(ws.unitcoal(8, 4).hgppm[3], 0);
    EXPECT_EQ(ws.unitcoal(8, 4).hgflag[3], 0);
    // the yearly value of the fuel is the single monthly mean
    EXPECT_FLOAT_EQ(ws.plant(1).mercury(0, 1), 0.2f);
    EXPECT_TRUE(errors.extrafuel.empty());
    EXPECT_TRUE(errors.unburned.empty());
}

TEST_F(ConcFixture, MonthsWithoutAnalysesTakeTheYearlyMeanFlaggedMinusOne) {
    unit(2, 3, 11);
    burnsallyear(11, 1, 4);
    ws.unitcoal(11, 7).hgppm[1] = 0.5f;  // a value of its own is kept
    analysis(2, 3, 4, 0.1f);
    analysis(2, 5, 4, 0.3f);
    updateconcentrations(*app);
    EXPECT_FLOAT_EQ(ws.plant(2).mercury(0, 1), 0.2f);
    EXPECT_FLOAT_EQ(ws.unitcoal(11, 3).hgppm[1], 0.1f);
    EXPECT_EQ(ws.unitcoal(11, 3).hgflag[1], 1);
    EXPECT_FLOAT_EQ(ws.unitcoal(11, 5).hgppm[1], 0.3f);
    for (long m : {1, 2, 4, 6, 8, 12}) {
        EXPECT_FLOAT_EQ(ws.unitcoal(11, m).hgppm[1], 0.2f) << m;
        EXPECT_EQ(ws.unitcoal(11, m).hgflag[1], -1) << m;
    }
    EXPECT_FLOAT_EQ(ws.unitcoal(11, 7).hgppm[1], 0.5f);
    EXPECT_EQ(ws.unitcoal(11, 7).hgflag[1], 0);
}

TEST_F(ConcFixture, AZeroMeanIsStoredButNotAveragedAndATinyYearlyValueFillsNothing) {
    unit(3, 1, 20);
    burnsallyear(20, 1, 6);
    unit(3, 2, 21);
    burnsallyear(21, 1, 7);
    analysis(3, 1, 6, 0.0f);
    analysis(3, 2, 6, 0.4f);
    analysis(3, 2, 7, 0.0001f);
    updateconcentrations(*app);
    EXPECT_FLOAT_EQ(ws.plant(3).mercury(0, 1), 0.4f);
    // January's analysis of 0 is stored, then filled as any month of 0
    EXPECT_FLOAT_EQ(ws.unitcoal(20, 1).hgppm[1], 0.4f);
    EXPECT_EQ(ws.unitcoal(20, 1).hgflag[1], -1);
    EXPECT_EQ(ws.unitcoal(21, 1).hgppm[1], 0);
    EXPECT_EQ(ws.unitcoal(21, 1).hgflag[1], 0);
}

TEST_F(ConcFixture, AFifthFuelOfAPlantAndMonthIsLeftOutAndListed) {
    unit(4, 1, 30);
    burns(30, 6, 1, 5);
    for (long fuel : {2, 3, 4, 5}) analysis(4, 6, fuel, 0.1f * fuel);
    analysis(4, 6, 6, 0.9f);  // fifth fuel: record 5
    analysis(4, 6, 3, 0.3f);
    analysis(4, 6, 6, 0.8f);  // fifth fuel again: record 7
    auto errors = updateconcentrations(*app);
    EXPECT_EQ(errors.extrafuel, (std::vector<long>{5, 7}));
    EXPECT_FLOAT_EQ(ws.unitcoal(30, 6).hgppm[1], 0.5f);
    for (std::size_t s = 1; s <= 10; ++s) EXPECT_NE(ws.plant(4).fuelno[s], 6);
}

TEST_F(ConcFixture, AnalysesOfAFuelNoUnitBurnedAreListedOncePerPlantFuelAndMonth) {
    unit(5, 1, 40);
    burns(40, 2, 1, 3);
    analysis(5, 2, 7, 0.2f);
    analysis(5, 2, 7, 0.4f);
    analysis(5, 3, 7, 0.0f);  // a mean of 0 is not listed
    auto errors = updateconcentrations(*app);
    ASSERT_EQ(errors.unburned.size(), 1u);
    EXPECT_EQ(errors.unburned[0].plant, 5);
    EXPECT_EQ(errors.unburned[0].fuel, 7);
    EXPECT_EQ(errors.unburned[0].month, 2);
}

TEST_F(ConcFixture, RunningTwiceGivesTheSamePlantValuesAndKeepsFilledUnitSlots) {
    unit(6, 1, 50);
    burnsallyear(50, 1, 3);
    analysis(6, 3, 3, 0.1f);
    analysis(6, 5, 3, 0.3f);
    updateconcentrations(*app);
    auto first = ws.plant(6);
    auto firstunit = ws.unitcoal(50, 8);
    updateconcentrations(*app);
    EXPECT_EQ(ws.plant(6).mercury, first.mercury);
    EXPECT_EQ(ws.plant(6).fuelno, first.fuelno);
    EXPECT_EQ(ws.unitcoal(50, 8).hgppm, firstunit.hgppm);
    EXPECT_EQ(ws.unitcoal(50, 8).hgflag, firstunit.hgflag);
}

TEST_F(ConcFixture, NoAnalysesClearEveryPlantSlotAndLeaveThePartsEmpty) {
    unit(7, 1, 60);
    burnsallyear(60, 1, 3);
    ws.plant(7).fuelno[1] = 3;
    ws.plant(7).mercury(0, 1) = 0.7f;  // a stale yearly value
    ws.plant(7).mercury(5, 1) = 0.7f;
    ws.plant(7).fuelno[2] = 9;
    cmdupdateconc_Click(*app);
    EXPECT_EQ(ws.plant(7).fuelno[1], 0);
    EXPECT_EQ(ws.plant(7).fuelno[2], 0);
    EXPECT_EQ(ws.plant(7).mercury(0, 1), 0);
    EXPECT_EQ(ws.plant(7).mercury(5, 1), 0);
    for (long m = 1; m <= 12; ++m) EXPECT_EQ(ws.unitcoal(60, m).hgppm[1], 0);
    // the report says so for the first three parts
    const ReportBuffer& rb = app->report;
    std::vector<std::string> lines;
    for (long i = 1; i <= rb.reportlinecount; ++i) lines.push_back(rb.line(i));
    for (const char* empty : {"No errors identified.", "There were no errors in the match with fuel burn and fuel type.",
                              "There were no mercury concentrations requiring averages."})
        EXPECT_NE(std::find(lines.begin(), lines.end(), empty), lines.end()) << empty;
}

TEST_F(ConcFixture, AStaleYearlyValueOfAnotherFuelNeverFillsAUnit) {
    // last run the plant's first slot held fuel 3 with a yearly value; now fuel 5 takes it
    // with an analysis of 0 only
    unit(8, 1, 70);
    burnsallyear(70, 1, 5);
    ws.plant(8).fuelno[1] = 3;
    ws.plant(8).mercury(0, 1) = 0.9f;
    analysis(8, 1, 5, 0.0f);
    updateconcentrations(*app);
    EXPECT_EQ(ws.plant(8).fuelno[1], 5);
    for (long m = 1; m <= 12; ++m) EXPECT_EQ(ws.unitcoal(70, m).hgppm[1], 0) << m;
}

TEST_F(ConcFixture, UnitsAtPositionsUpTo35TakePart) {
    unit(9, 35, 80);
    unit(9, 21, 81);
    burns(80, 1, 1, 3);
    burns(81, 1, 1, 3);
    analysis(9, 1, 3, 0.25f);
    updateconcentrations(*app);
    EXPECT_FLOAT_EQ(ws.unitcoal(80, 1).hgppm[1], 0.25f);
    EXPECT_FLOAT_EQ(ws.unitcoal(81, 1).hgppm[1], 0.25f);
}

TEST_F(ConcFixture, AnalysesOutsideThePlantsAndMonthsAreCollectedAndIgnored) {
    analysis(0, 1, 3, 0.1f);
    analysis(501, 1, 3, 0.1f);
    analysis(2500, 1, 3, 0.1f);  // beyond the work table: left out
    analysis(1, 0, 3, 0.1f);
    analysis(1, 13, 3, 0.1f);
    analysis(1, 99, 3, 0.1f);
    analysis(1, 1, 0, 0.4f);  // names no fuel
    EXPECT_NO_THROW(updateconcentrations(*app));
    for (std::size_t s = 1; s <= 10; ++s) EXPECT_EQ(ws.plant(1).fuelno[s], 0);
    EXPECT_EQ(ws.plant(1).mercury(1, 1), 0);
    // a count that is no number, or beyond the table, reads no analysis past the table
    for (float count : {std::nanf(""), 1e30f, -3.0f}) {
        ws.meas(0).hgppm = count;
        EXPECT_NO_THROW(updateconcentrations(*app)) << count;
    }
}

TEST_F(ConcFixture, PlantSlotsAreNumberedByAnalysisSlotThenMonth) {
    unit(10, 1, 90);
    analysis(10, 5, 4, 0.1f);  // slot 1 of May: fuel 4
    analysis(10, 2, 6, 0.1f);  // slot 1 of February: fuel 6
    analysis(10, 5, 6, 0.1f);  // slot 2 of May: fuel 6
    analysis(10, 2, 7, 0.1f);  // slot 2 of February: fuel 7
    updateconcentrations(*app);
    EXPECT_EQ(ws.plant(10).fuelno[1], 6);
    EXPECT_EQ(ws.plant(10).fuelno[2], 4);
    EXPECT_EQ(ws.plant(10).fuelno[3], 7);
}

TEST_F(ConcFixture, TheCheckReportListsTheFourPartsForAFleetWithUnmatchedFuels) {
    ws.idfuel(0).name = "NONE";
    ws.idfuel(3).name = "Bituminous";
    ws.idfuel(5).name = "Lignite";
    ws.idfuel(7).name = "Petroleum Coke";
    ws.plant(1).plantname = "Plant 0001";
    ws.idplant(1).pfcode = "PF0001";
    unit(1, 1, 1, "U1");
    burns(1, 3, 1, 3);  // analysed in March
    burns(1, 4, 1, 3);  // April: filled with the yearly mean
    burns(1, 4, 2, 5);  // lignite never analysed
    analysis(1, 3, 3, 0.125f);
    analysis(1, 3, 7, 0.3f);  // petroleum coke: no unit burned it
    burns(1, 3, 2, 2);
    burns(1, 3, 3, 4);
    for (long fuel : {2, 4}) analysis(1, 3, fuel, 0.1f);
    analysis(1, 3, 6, 0.2f);  // record 5: a fifth fuel in March
    mainwindow(*app);
    cmdupdateconc_Click(*app);

    const ReportBuffer& rb = app->report;
    std::vector<std::string> lines;
    for (long i = 1; i <= rb.reportlinecount; ++i) lines.push_back(rb.line(i));
    const std::string plant = "Plant 0001" + std::string(40, ' ') + "  " + "PF0001" + std::string(14, ' ');
    std::vector<std::string> expected{
        "",
        "Error form for mercury concentration data",
        "____part 1 more than 4 fuel types reported in month__________________",
        "",
        " 5   PF0001",
        "",
        "____part 2 lack of fuel burn data for fuel type reported in Hg analysis____",
        "",
        plant + "     3  Petroleum Coke",
        "",
        "____part 3 automatic fill for lack of analysis data__________________",
        "",
        "Plant 0001" + std::string(40, ' ') + "  U1" + std::string(13, ' ') + "  4  Hg=.125  Bituminous",
        "",
        "____part 4 lack of analysis data for fuel burn reported__________________",
        "",
        plant + "    U1" + std::string(13, ' ') + "  4  Lignite",
        "",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(app->reportcalc, 0);
    EXPECT_TRUE(app->display.Visible());
}
