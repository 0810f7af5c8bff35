#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "model/binfactors.h"
#include "model/testratios.h"
#include "model_testruns.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

namespace brasket {
namespace {

using testing::DeviceRun;

struct BinFactors : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    testing::TestTable table{app};

    void SetUp() override {
        platform.clock = std::chrono::system_clock::time_point{} + std::chrono::seconds(931944615);
        startreport(app, 0, 0);
        // Names of the device types of a unit without model codes.
        for (int column = 0; column < 3; ++column) app.ws.emfactor(0, column).name = "none";
    }
    // The lines the listing of one bin appends.
    std::vector<std::string> listing(long bin, const std::string& heading = "") {
        long from = app.report.reportlinecount;
        printbinnumber(app, bin, heading);
        std::vector<std::string> lines;
        for (long i = from + 1; i <= app.report.reportlinecount; ++i) lines.push_back(app.report.line(i));
        return lines;
    }
    static bool has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static std::string startingwith(const std::vector<std::string>& lines, const std::string& start) {
        for (const auto& l : lines)
            if (l.rfind(start, 0) == 0) return l;
        return "<none>";
    }
    double work(long i) { return app.model.workvalues(i); }
    void bin(long b, float factor, float part, float ox, float elem) {
        binindexrec& r = app.ws.binindex(b);
        r.efactor = factor, r.partfrac = part, r.oxfrac = ox, r.elemfrac = elem;
    }
};

TEST_F(BinFactors, ASingleBinGetsItsMeanAndANormalRange) {
    table.row(1, "Unit A", 7, 1);
    for (int i = 3; i <= 5; ++i) table.device({.name = "Unit A", .run = std::to_string(i - 2), .in = 10, .out = double(i)});
    auto lines = listing(7);
    EXPECT_NEAR(app.ws.binindex(7).efactor, 0.4, 1e-7);
    EXPECT_NEAR(app.ws.binindex(7).partfrac, 0.25, 1e-7);
    EXPECT_NEAR(app.ws.binindex(7).oxfrac, 0.25, 1e-7);
    EXPECT_NEAR(app.ws.binindex(7).elemfrac, 0.5, 1e-7);
    EXPECT_EQ(lines[1], "   Emission control device type  7");
    EXPECT_EQ(lines[4], " Unit A                  1   .3        across control   none  none  none  GAS Bit" +
                            std::string(18, ' ') + ".25       .25       .5");
    EXPECT_TRUE(has(lines, "The standard deviation (sigma) is 0.1"));
    EXPECT_TRUE(has(lines, "There are 3 measurements of the emission modification factor (n)."));
    EXPECT_TRUE(has(lines, "The t-value for this degree of freedom at 90% confidence is 2.9200"));
    std::string range = startingwith(lines, "The average (mean) is");
    EXPECT_TRUE(range.ends_with("0.7372 to 0.0628")) << range;
    EXPECT_NEAR(work(1), 0.4, 1e-7);
    EXPECT_NEAR(work(2), 0.4 + 2.92 * 0.1 * std::sqrt(4.0 / 3), 1e-7);
    EXPECT_NEAR(work(3), 0.4 - 2.92 * 0.1 * std::sqrt(4.0 / 3), 1e-7);
    EXPECT_TRUE(has(lines, "The method of discrete bin distributions with an individual sd of .1"));
    // The runs are filed as the bin's row of test ratios.
    EXPECT_EQ(app.model.testratiotable(7, 0), 3);
    EXPECT_NEAR(app.model.testratiotable(7, 3), 0.5, 1e-7);
    EXPECT_EQ(lines.back(), startingwith(lines, "The average is"));
}

TEST_F(BinFactors, ABinWithoutRunsKeepsItsFactorAndFractions) {
    bin(9, 0.35f, 0.1f, 0.2f, 0.7f);
    app.model.workvalues(1) = 0.8;  // left by an earlier bin
    app.model.testratiotable(9, 0) = 3;
    auto lines = listing(9);
    EXPECT_EQ(app.ws.binindex(9).efactor, 0.35f);
    EXPECT_EQ(app.ws.binindex(9).partfrac, 0.1f);
    EXPECT_EQ(app.ws.binindex(9).elemfrac, 0.7f);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "______________________________________________________");
    EXPECT_EQ(lines[5], " Average EMF                 .35" + std::string(67, ' ') + ".1        .2        .7");
    EXPECT_EQ(lines[6], "");
    for (long i = 1; i <= 3; ++i) EXPECT_NEAR(work(i), 0.35, 1e-7);
    EXPECT_EQ(app.model.testratiotable(9, 0), 0);
}

TEST_F(BinFactors, TheUnityBinIsOneLineAndKeepsItsFactor) {
    bin(45, 1, 0.2f, 0.3f, 0.5f);
    app.ws.binindex(0).testname = "row zero";
    auto lines = listing(45);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], " no   Emission control device type  45");
    EXPECT_EQ(app.ws.binindex(45).efactor, 1.0f);
    for (long i = 1; i <= 3; ++i) EXPECT_EQ(work(i), 1);
}

TEST_F(BinFactors, AMeanAboveOneIsFlaggedAndItsRangeCappedAtOne) {
    table.row(1, "Unit A", 8, 1);
    table.device({.name = "Unit A", .run = "1", .in = 10, .out = 12});
    table.device({.name = "Unit A", .run = "2", .in = 10, .out = 14});
    auto lines = listing(8);
    EXPECT_NEAR(app.ws.binindex(8).efactor, 1.3, 1e-6);
    EXPECT_TRUE(has(lines, " The emission modification factor is not used in the model as greater than a value of 1."));
    EXPECT_TRUE(has(lines, "========Confidence Estimates for the Emission Modification Factor=============="));
    EXPECT_EQ(work(2), 1);
    EXPECT_NEAR(work(1), 1.3, 1e-6);
}

TEST_F(BinFactors, ASingleRunHasNoSpreadAndAGivenHeadingIsUsed) {
    table.row(1, "Unit A", 8, 1);
    table.device({.name = "Unit A", .run = "R7", .in = 10, .out = 6});
    auto lines = listing(8, "  3.1.3 Confidence limit discussion for control device performance");
    EXPECT_TRUE(has(lines, "  3.1.3 Confidence limit discussion for control device performance"));
    EXPECT_TRUE(has(lines, "The standard deviation (sigma) is 0."));
    EXPECT_TRUE(has(lines, "The t-value for this degree of freedom at 90% confidence is 1.7110"));
    EXPECT_NEAR(work(2), 0.6, 1e-6);
    EXPECT_NEAR(work(3), 0.6, 1e-6);
    // A run id that is not a number is shown as its text.
    EXPECT_EQ(lines[4].substr(24, 5), "R7   ");
}

TEST_F(BinFactors, RunIdsThatAreNumbersAreShownAsNumbers) {
    table.row(1, "Unit A", 8, 1);
    table.device({.name = "Unit A", .run = "007"});
    auto lines = listing(8);
    EXPECT_EQ(lines[4].substr(24, 5), " 7   ");
    const std::pair<const char*, const char*> cases[] = {
        {"  12 ", " 12"}, {" 2.5", " 2.5"}, {"-3", "-3"}, {"1e2", " 100"}, {"1-2", "1-2"}, {".", "."}, {"2b", "2b"}, {"", ""}};
    for (auto [id, text] : cases) EXPECT_EQ(runidtext(id), text) << id;
}

TEST_F(BinFactors, ACompositeBinKeepsItsFactorAndCombinesBothUnits) {
    // Bin 10 is a second unit in series after a unit of bin 1.
    table.row(1, "First", 1, 1);
    table.row(2, "Second", 10, 2);
    table.device({.name = "First", .run = "1", .in = 10, .out = 8});
    table.device({.name = "First", .run = "2", .in = 10, .out = 9});
    table.device({.name = "First", .run = "3", .in = 10, .out = 0});  // nothing left: counts as 0
    table.device({.name = "Second", .run = "1", .in = 10, .out = 5});
    testrec& last = table.device({.name = "Second", .run = "2", .in = 10, .out = 7});
    last.outpart = 0;  // a missing exit concentration
    last.outelem = 5.25f;
    bin(10, 0.3f, 0.1f, 0.1f, 0.8f);
    listing(1);
    auto lines = listing(10);
    EXPECT_EQ(app.ws.binindex(10).efactor, 0.3f);
    EXPECT_EQ(startingwith(lines, " Second unit Average").substr(0, 40), " Second unit Average         .6        (");
    EXPECT_EQ(startingwith(lines, " First unit correction"),
              " First unit correction       .5        (two series units, first from bin  1)");
    EXPECT_EQ(startingwith(lines, " Combined EMF"), " Combined EMF                .3");
    EXPECT_TRUE(has(lines, " There were 1 missing exit concentrations in the above table.  Values of zero were assumed."));
    EXPECT_EQ(startingwith(lines, " factor first unit"), " factor first unit           1           0.5667       3      0.4933");
    EXPECT_EQ(startingwith(lines, " factor second unit"), " factor second unit          10          0.6          2      0.1414");
    EXPECT_EQ(startingwith(lines, " method 1b lognormal distribution").substr(52, 5), "  4  ");
    EXPECT_TRUE(has(lines, "======Confidence Estimates for the Emission Modification Factor==========="));
    // The unit evaluation reads the Monte Carlo product of the two units.
    EXPECT_NEAR(work(1), 0.6 * 1.7 / 3, 0.05);
    EXPECT_LE(work(3), work(1));
    EXPECT_GE(work(2), work(1));
    EXPECT_EQ(lines.back(), "      slightly from one evaluation to another.");
}

TEST_F(BinFactors, ASecondUnitThatLetsNothingThroughLeavesTheCorrectionEmpty) {
    // An inlet at 21% oxygen corrects the run's factor to 0: the run counts, its factor is 0.
    table.row(1, "Second", 10, 2);
    table.device({.name = "Second", .run = "1", .in = 10, .out = 4, .o2in = 21});
    bin(10, 0.3f, 0.1f, 0.1f, 0.8f);
    auto lines = listing(10);
    EXPECT_EQ(startingwith(lines, " First unit correction"),
              " First unit correction                 (two series units, first from bin  1)");
}

TEST_F(BinFactors, ACompositeBinWithoutComputedRunsCarriesItsOwnFactor) {
    table.row(1, "Second", 11, 2);
    table.device({.name = "Second", .in = 0, .out = 3});
    bin(11, 0.45f, 0.1f, 0.1f, 0.8f);
    app.model.workvalues(1) = 0.9;  // left by an earlier bin
    auto lines = listing(11);
    EXPECT_EQ(startingwith(lines, " Combined EMF"), " Combined EMF                .");
    EXPECT_EQ(app.ws.binindex(11).efactor, 0.45f);
    for (long i = 1; i <= 3; ++i) EXPECT_NEAR(work(i), 0.45, 1e-7);

    // Runs of the second unit but none of the first (bin 4 has none): the bin's own factor
    // stands, and the Monte Carlo estimates draw the first unit as its own factor, the first
    // unit correction 0.45 / 0.5, so that they centre on the combined factor.
    table.device({.name = "Second", .run = "2", .in = 10, .out = 5});
    lines = listing(11);
    EXPECT_EQ(startingwith(lines, " First unit correction").substr(0, 31), " First unit correction       .9");
    const std::string method2 = startingwith(lines, "The Monte Carlo average is");
    EXPECT_NEAR(val(method2.substr(26)), 0.45, 1e-9) << method2;
    EXPECT_NE(method2.find("The 90% confidence range is 0.4500 to 0.4500"), std::string::npos) << method2;
    const std::string method3 = startingwith(lines, "The average is  0.4");
    EXPECT_NEAR(val(method3.substr(14)), 0.45, 0.01) << method3;
    for (long i = 1; i <= 3; ++i) EXPECT_NEAR(work(i), 0.45, 1e-7);

    // A single run of the first unit is its mean, without spread.
    table.row(3, "Lone", 4, 1);
    table.device({.name = "Lone", .in = 10, .out = 5});
    lines = listing(11);
    EXPECT_EQ(startingwith(lines, " factor first unit"), " factor first unit           4           0.5          1    .");
    EXPECT_NEAR(work(1), 0.5 * 0.5, 1e-9);
}

TEST_F(BinFactors, BinsBeyondTheRatioTableAndRunsBeyondTwenty) {
    // Bin 60 has no row of test ratios: computed and listed, nothing filed.
    table.row(1, "Unit A", 60, 1);
    table.device({.name = "Unit A", .in = 10, .out = 5});
    auto lines = listing(60);
    EXPECT_NEAR(app.ws.binindex(60).efactor, 0.5, 1e-7);
    EXPECT_TRUE(has(lines, "There are 1 measurements of the emission modification factor (n)."));

    // 25 runs: all enter the statistics, 20 are filed with the latest in the last column.
    table.row(2, "Unit B", 12, 1);
    for (int i = 1; i <= 25; ++i) table.device({.name = "Unit B", .run = std::to_string(i), .in = 100, .out = double(i)});
    lines = listing(12);
    EXPECT_TRUE(has(lines, "There are 25 measurements of the emission modification factor (n)."));
    EXPECT_NEAR(app.ws.binindex(12).efactor, 0.13, 1e-6);
    EXPECT_EQ(app.model.testratiotable(12, 0), 20);
    EXPECT_NEAR(app.model.testratiotable(12, 19), 0.19, 1e-6);
    EXPECT_NEAR(app.model.testratiotable(12, 20), 0.25, 1e-6);
    EXPECT_EQ(app.model.testratiotable(12, 21), 0);

    // A number beyond the bin table gets its headings only.
    EXPECT_EQ(listing(301).size(), 4u);
    EXPECT_EQ(listing(-1).size(), 4u);
}

}  // namespace
}  // namespace brasket
