#include <gtest/gtest.h>

#include "app.h"
#include "model/testratios.h"
#include "model_testruns.h"
#include "ui/scripted_platform.h"

namespace brasket {
namespace {

using testing::DeviceRun;

struct TestRatios : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    testing::TestTable table{app};
    double cell(long bin, long col) { return app.model.testratiotable(bin, col); }
};

TEST_F(TestRatios, DeviceRunsAreOxygenCorrected) {
    table.row(1, "Unit A", 7, 1);
    table.device({.name = "Unit A", .in = 10, .out = 4, .o2in = 6, .o2out = 9});
    testratios(app);
    EXPECT_EQ(cell(7, 0), 1);
    EXPECT_NEAR(cell(7, 1), 0.5, 1e-6);  // (15 / 12) x 0.4
}

TEST_F(TestRatios, ABinKeepsTwentyRunsTheLatestInTheLastColumn) {
    table.row(1, "Unit A", 3, 1);
    for (int i = 1; i <= 25; ++i) table.device({.name = "Unit A", .run = std::to_string(i), .in = 100, .out = double(i)});
    app.model.testratiotable(3, 21) = 9;
    testratios(app);
    EXPECT_EQ(cell(3, 0), 20);
    for (int i = 1; i <= 19; ++i) EXPECT_NEAR(cell(3, i), i / 100.0, 1e-6) << i;
    EXPECT_NEAR(cell(3, 20), 0.25, 1e-6);
    EXPECT_EQ(cell(3, 21), 9);  // the second-bin column is never written
}

TEST_F(TestRatios, ABoilerRunTakesItsStackValuesFromALaterRunOfTheSameUnitAndRun) {
    table.row(1, "Unit B", 5, 0);
    // 0.2 ppmw x 1000 kg/h = 0.2 g/h in.
    table.boiler("Unit B", "1", 0.2, 1000, 1, 2, 3, 10000);   // own stack values: 0.06 g/h
    table.boiler("Unit B", "2", 0.2, 1000, 1, 2, 3, 10000);
    table.device({.name = "Unit B", .run = "1", .in = 20, .out = 8});  // 8 ug/m3, its gas rate set below
    app.ws.test(3).gasrate = 5000;                                      // 0.04 g/h
    table.device({.name = "Unit B", .run = "X2", .in = 20, .out = 8});  // another run id
    testratios(app);
    EXPECT_EQ(cell(5, 0), 2);
    EXPECT_NEAR(cell(5, 1), 0.04 / 0.2, 1e-6);
    EXPECT_NEAR(cell(5, 2), 0.06 / 0.2, 1e-6);
}

TEST_F(TestRatios, RunIdsAreExactAndNamesIgnoreTrailingBlanks) {
    table.row(1, "Unit C  ", 6, 0);
    table.boiler("Unit C", "a", 0.2, 1000, 1, 2, 3, 10000);
    table.device({.name = "Unit C   ", .run = "A", .in = 20, .out = 8});  // not run "a": no pairing
    app.ws.test(2).gasrate = 5000;
    testratios(app);
    EXPECT_EQ(cell(6, 0), 1);
    EXPECT_NEAR(cell(6, 1), 0.3, 1e-6);

    // Leading blanks do make another name.
    table.row(2, " Unit D", 8, 1);
    table.device({.name = "Unit D"});
    testratios(app);
    EXPECT_EQ(cell(8, 0), 0);
}

TEST_F(TestRatios, KindsFileOnlyUnderTheirLayouts) {
    table.row(1, "Unit E", 11, 0);
    table.row(2, "Unit F", 12, 1);
    table.row(3, "Unit G", 13, 2);
    table.row(4, "Unit H", 14, 5);
    table.device({.name = "Unit E"});                             // device run, boiler layout
    table.boiler("Unit F", "1", 0.2, 1000, 1, 2, 3, 10000);      // boiler run, device layouts
    table.boiler("Unit G", "1", 0.2, 1000, 1, 2, 3, 10000);
    table.device({.name = "Unit H"});                             // a layout of no kind
    table.device({.name = "Unit G", .kind = so2testkind});        // files
    testratios(app);
    for (long b : {11, 12, 14}) EXPECT_EQ(cell(b, 0), 0) << b;
    EXPECT_EQ(cell(13, 0), 1);
}

TEST_F(TestRatios, RunsWithoutADefinedRatioFileNothing) {
    table.row(1, "Unit J", 15, 1);
    table.row(2, "Unit K", 16, 2);
    table.device({.name = "Unit J", .o2out = 21});   // oxygen correction undefined
    table.device({.name = "Unit J", .in = 0});        // no inlet mercury
    table.device({.name = "Unit J", .out = 0});       // nothing leaves: ratio 0
    table.device({.name = "Unit K", .o2out = 21});
    table.device({.name = "Unit K", .in = 0, .out = 3});
    table.device({.name = "Unit K", .out = 0});
    table.boiler("Unit J", "9", 0, 1000, 1, 2, 3, 10000);  // no mercury input (and a device layout)
    testratios(app);
    EXPECT_EQ(cell(15, 0), 0);
    EXPECT_EQ(cell(16, 0), 0);
}

TEST_F(TestRatios, ARatioIsFiledUnderTheBinOfTheRowThatComputedIt) {
    table.row(1, "Unit L", 17, 1);
    table.row(2, "Unit L", 18, 0);  // matches too, but serves only boiler runs
    table.device({.name = "Unit L"});
    testratios(app);
    EXPECT_EQ(cell(17, 0), 1);
    EXPECT_EQ(cell(18, 0), 0);
}

TEST_F(TestRatios, EveryRowIsResetAndTwoCallsAgree) {
    table.row(1, "Unit M", 0, 1);
    table.row(2, "Unit N", 48, 1);
    table.row(3, "Unit P", 60, 1);  // no row in the table: computed, not filed
    table.device({.name = "Unit M"});
    table.device({.name = "Unit N"});
    table.device({.name = "Unit P"});
    app.model.testratiotable(50, 0) = 4;
    testratios(app);
    settestcount(app.ws, 9999);  // a damaged count reads only the records the table holds
    testratios(app);
    testratios(app);
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(cell(48, 0), 1);
    EXPECT_EQ(cell(50, 0), 0);
    EXPECT_NEAR(cell(48, 1), 0.4, 1e-6);
}

}  // namespace
}  // namespace brasket
