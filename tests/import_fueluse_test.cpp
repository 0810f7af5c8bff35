#include "import/imports.h"
#include "import_testkit.h"

using namespace brasket;
using brasket::testkit::ImportTest;

namespace {

class FuelUseImport : public ImportTest {
protected:
    FuelUseImport() {
        // Plant 1 (code 1001) with units 5 and 12 at positions 1 and 2.
        setplantcount(app.ws, 1);
        app.ws.idplant(1).pfcode = "1001";
        app.ws.idplant(1).unitno[1] = 5;
        app.ws.idplant(1).unitno[2] = 12;
        app.ws.unitc(5).unitname = "1";
        app.ws.unitc(12).unitname = "ST2";
        const char* fuels[] = {"FUEL 1", "FUEL 2", "BITUMINOUS", "SUBBITUMINOUS", "LIGNITE", "FUEL 6",
                               "PETROLEUM COKE"};
        for (long k = 1; k <= 7; ++k) app.ws.idfuel(k).name = fuels[k - 1];
    }
    static std::string use(const std::string& boiler, const std::string& date, const std::string& fuel1,
                           const std::string& fuel2, const std::string& tons, const std::string& moisture,
                           const std::string& plant = "1001") {
        return line({{1, "1999"}, {2, plant}, {3, boiler}, {4, date}, {5, fuel1}, {6, fuel2}, {7, tons},
                     {8, moisture}},
                    10);
    }
    void writeuse(const std::vector<std::string>& lines) {
        std::vector<std::string> all = {"header"};
        all.insert(all.end(), lines.begin(), lines.end());
        writeexport("fuelusageexport.txt", all);
    }
    std::filesystem::path path() const { return dir / "fuelusageexport.txt"; }
};

}  // namespace

TEST_F(FuelUseImport, StoresDryTonsInTheUnitsMonth) {
    writeuse({use("1", "3/1/1999", "BITUMINOUS", "", "1000", "10"), use("st2", "4/1/1999", "LIGNITE", "", "500", "")});
    ASSERT_TRUE(processcoal(app, path()));
    const unitcoalrec& r = app.ws.unitcoal(5, 3);
    EXPECT_EQ(r.fuelnum[1], 3);
    EXPECT_FLOAT_EQ(r.drytons[1], 900);
    EXPECT_EQ(app.ws.unitcoal(12, 4).fuelnum[1], 5);
    EXPECT_FLOAT_EQ(app.ws.unitcoal(12, 4).drytons[1], 500);
    EXPECT_EQ(unitcoalcount(app.ws), 12);
    EXPECT_FALSE(app.main.Label19.Visible());
}

TEST_F(FuelUseImport, FuelsTakeTheFirstSlotWithTheirNumberOrAFreeOne) {
    app.ws.unitcoal(5, 6).hgppm[1] = 0.25f;
    writeuse({use("1", "6/1/1999", "BITUMINOUS", "", "100", "0"), use("1", "6/1/1999", "SUBBITUMINOUS", "", "200", "0"),
              use("1", "6/1/1999", "BITUMINOUS", "", "300", "0"),
              use("1", "6/1/1999", "PETROLEUM COKE", "SUBBITUMINOUS", "400", "0"),
              use("1", "6/1/1999", "LIGNITE", "", "500", "0"), use("1", "6/1/1999", "FUEL 6", "", "600", "0")});
    ASSERT_TRUE(processcoal(app, path()));
    const unitcoalrec& r = app.ws.unitcoal(5, 6);
    EXPECT_EQ(r.fuelnum, (std::array<i16, 5>{0, 3, 4, 407, 5}));
    EXPECT_EQ(r.drytons, (std::array<f32, 5>{0, 300, 200, 400, 500}));
    EXPECT_FLOAT_EQ(r.hgppm[1], 0.25f);  // mercury is not the import's to touch
}

TEST_F(FuelUseImport, MonthZeroUnknownUnitsAndTheCount) {
    setunitcoalcount(app.ws, 8);
    writeuse({use("1", "", "BITUMINOUS", "", "100", "0"), use("9", "2/1/1999", "BITUMINOUS", "", "70", "0"),
              use("1", "2/1/1999", "BITUMINOUS", "", "80", "0", "4444")});
    ASSERT_TRUE(processcoal(app, path()));
    EXPECT_FLOAT_EQ(app.ws.unitcoal(5, 0).drytons[1], 100);
    EXPECT_FLOAT_EQ(app.ws.unitcoal(0, 2).drytons[1], 80);  // unit 0 stands for no unit
    EXPECT_EQ(unitcoalcount(app.ws), 8);
    writeuse({use("ST2", "2/1/1999", "BITUMINOUS", "", "70", "0")});
    ASSERT_TRUE(processcoal(app, path()));
    EXPECT_EQ(unitcoalcount(app.ws), 12);
}

TEST_F(FuelUseImport, TheMenuItemHonoursACancelledDialog) {
    writeuse({use("1", "1/1/1999", "BITUMINOUS", "", "100", "0")});
    app.importpath = "/elsewhere";
    platform.answers.push_back("*.txt");
    app.main.menu("cmdfuelusageexport").Click();
    EXPECT_EQ(app.ws.unitcoal(5, 1).fuelnum[1], 0);
    EXPECT_EQ(app.importpath, "/elsewhere");
    platform.answers.push_back((dir / "fuelusageexport.txt").string());
    app.main.menu("cmdfuelusageexport").Click();
    EXPECT_EQ(app.ws.unitcoal(5, 1).fuelnum[1], 3);
    EXPECT_EQ(app.main.Label11.Caption(), "no lines skipped or changed");
    EXPECT_EQ(platform.pumps, 1);
}

TEST_F(FuelUseImport, AMissingExportIsToldAndChangesNothing) {
    platform.answers.push_back((dir / "x.txt").string());
    app.main.menu("cmdfuelusageexport").Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(unitcoalcount(app.ws), 0);
    EXPECT_TRUE(app.main.Label11.Visible());
    EXPECT_EQ(app.main.Label11.Caption(), "no lines skipped or changed");
}

TEST_F(FuelUseImport, TonsBeyondAFloatImpossibleDatesAndLinesWithoutKeysAreSkippedAndTold) {
    writeuse({use("1", "1/1/1999", "bituminous", "", "-5e300", "10"), use("1", "4/31/1999", "bituminous", "", "50", "0"),
              use("", "1/1/1999", "bituminous", "", "60", "0"), use("1", "1/1/1999", "bituminous", "", "70", "0", " "),
              use("1", "1/1/1999", "bituminous", "", "1e38", "-900"), use("1", "2/28/1999", "bituminous", "", "80", "0")});
    ASSERT_TRUE(processcoal(app, path()));
    EXPECT_FLOAT_EQ(app.ws.unitcoal(5, 2).drytons[1], 80);
    EXPECT_EQ(app.ws.unitcoal(5, 1).fuelnum[1], 0);  // nothing stored for January
    EXPECT_EQ(app.ws.unitcoal(5, 4).fuelnum[1], 0);
    for (long m = 0; m <= 12; ++m) EXPECT_EQ(app.ws.unitcoal(0, m).fuelnum[1], 0) << m;  // nothing on unit 0
    auto log = warnings();
    ASSERT_EQ(log.size(), 5u);
    const std::string file = " of " + path().string() + " skipped: ";
    EXPECT_EQ(log[0], "line 2" + file + "the tons -5e300 does not fit its field\r");
    EXPECT_EQ(log[1], "line 3" + file + "unreadable date 4/31/1999\r");
    EXPECT_EQ(log[2], "line 4" + file + "no boiler identifier (field 3)\r");
    EXPECT_EQ(log[3], "line 5" + file + "no plant code (field 2)\r");
    EXPECT_EQ(log[4], "line 6" + file + "the dry tons of 1e38 tons at -900 percent moisture do not fit their field\r");
}
