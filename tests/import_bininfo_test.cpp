#include <gtest/gtest.h>

#include "data/workset.h"
#include "import/bininfo.h"
#include "import_folder.h"

using namespace brasket;
using brasket::testing::tabbed;

namespace {

struct BinImport : brasket::testing::ImportFolder {
    // A line of "translation table 2.txt": code, bin, fuel and the three device codes.
    static std::string configuration(const std::string& code, const std::string& bin, const std::string& fuel,
                                     const std::string& boiler, const std::string& pm, const std::string& so2) {
        std::vector<std::string> f(23);
        f[0] = "config";
        f[1] = code;
        f[2] = bin;
        f[4] = fuel;
        f[20] = boiler;
        f[21] = pm;
        f[22] = so2;
        return tabbed(f);
    }
    static std::string testrow(const std::string& name, const std::string& bin, const std::string& unit = "3",
                               const std::string& line = "1", const std::string& fuel = "6") {
        return tabbed({name, bin, "x", unit, line, "y", fuel});
    }
    void exports(const std::vector<std::string>& summary, const std::vector<std::string>& tests,
                 const std::vector<std::string>& configurations) {
        std::vector<std::string> s{"code\tname\tbin", ""}, t{"unit\tbin"}, c{"h1", "h2"};
        s.insert(s.end(), summary.begin(), summary.end());
        t.insert(t.end(), tests.begin(), tests.end());
        c.insert(c.end(), configurations.begin(), configurations.end());
        write("efsummary.txt", s);
        write("translation table.txt", t);
        write("translation table 2.txt", c);
    }
};

}  // namespace

TEST_F(BinImport, CodesTestRowsAndConfigurationRowsAreFilled) {
    exports({tabbed({"AE", "x", "12"}), tabbed({"ZZ", "x", "0"}), tabbed({"QQ", "x", "abc"})},
            {testrow("Unit A", "12", "4", "1", "3"), testrow("Unit B", "7", "5", "0", "6")},
            {configuration("B1", "12", "3", "1", "2", "0"), configuration("C7", "7", "304", "4", "1", "1")});
    answerfolder();
    cmdloadbin_Click(*app);
    const Workset& ws = app->ws;
    EXPECT_EQ(ws.binindex(12).Code.str(), "B1 ");  // the later configuration line replaces "AE"
    EXPECT_EQ(ws.binindex(7).Code.str(), "C7 ");
    EXPECT_EQ(ws.binindex(0).Code, Text<3>{});  // bins of 0 or no number are ignored
    EXPECT_EQ(ws.binindex(1).testname.trimmed(), "Unit A");
    EXPECT_EQ(ws.binindex(1).testcode, 12);
    EXPECT_EQ(ws.binindex(1).testunit, 4);
    EXPECT_EQ(ws.binindex(1).testline, 1);
    EXPECT_EQ(ws.binindex(1).testfuel, 3);
    EXPECT_EQ(ws.binindex(2).testcode, 7);
    EXPECT_EQ(ws.binindex(1).unitcode, 12);
    EXPECT_EQ(ws.binindex(1).unitfuel, 3);
    EXPECT_EQ(ws.binindex(1).unitboiler, 1);
    EXPECT_EQ(ws.binindex(1).unitpm, 2);
    EXPECT_EQ(ws.binindex(2).unitcode, 7);
    EXPECT_EQ(ws.binindex(2).unitfuel, 304);
    EXPECT_EQ(ws.binindex(2).unitso2, 1);
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "no lines skipped or changed");
    EXPECT_TRUE(mainwindow(*app).Label11.Visible());
    EXPECT_EQ(mainwindow(*app).MousePointer(), 0);
    EXPECT_TRUE(warnings().empty());
}

TEST_F(BinImport, ShorterTablesLeaveTheRowsBeyondTheirEnd) {
    std::vector<std::string> sixty, forty;
    for (int i = 1; i <= 60; ++i) sixty.push_back(testrow("Old " + std::to_string(i), "3"));
    for (int i = 1; i <= 40; ++i) forty.push_back(testrow("New " + std::to_string(i), "4"));
    exports({}, sixty, {});
    app->updatingall = 1;
    cmdloadbin_Click(*app);
    exports({}, forty, {});
    cmdloadbin_Click(*app);
    EXPECT_TRUE(platform.dialogs.empty());  // the batch asks for no folder
    EXPECT_EQ(app->ws.binindex(40).testname.trimmed(), "New 40");
    EXPECT_EQ(app->ws.binindex(41).testname.trimmed(), "Old 41");
    EXPECT_EQ(app->ws.binindex(60).testname.trimmed(), "Old 60");
}

TEST_F(BinImport, BinsAndRowsBeyondTheTableAreSkippedWithAWarning) {
    std::vector<std::string> tests;
    for (int i = 1; i <= 302; ++i) tests.push_back(testrow("T" + std::to_string(i), "5"));
    tests[9] = testrow("Far", "301");
    tests[10] = testrow("Huge", "1e30");
    tests[11] = testrow("Big fuel", "5", "3", "1", "40000");
    tests[12] = testrow("Big layout", "5", "3", "256");
    exports({tabbed({"XX", "x", "301"}), tabbed({"YY", "x", "1e400"})}, tests,
            {configuration("Y", "256", "3", "1", "1", "1"), configuration("Z", "9", "3", "300", "1", "1"),
             configuration("W", "9", "3", "1", "2", "1")});
    app->ws.binindex(2).unitboiler = 17;
    app->ws.binindex(2).unitfuel = 6;
    app->ws.binindex(12).testline = 1;
    app->updatingall = 1;
    ASSERT_NO_THROW(cmdloadbin_Click(*app));
    const Workset& ws = app->ws;
    EXPECT_EQ(ws.binindex(300).testname.trimmed(), "T300");
    EXPECT_EQ(ws.binindex(10).testname, Text<20>{});
    EXPECT_EQ(ws.binindex(11).testname, Text<20>{});  // a huge bin is beyond the table too
    EXPECT_EQ(ws.binindex(12).testname, Text<20>{});  // fuel 40000 does not fit 16 bits
    EXPECT_EQ(ws.binindex(12).testline, 1);
    EXPECT_EQ(ws.binindex(13).testname, Text<20>{});  // layout 256 does not fit 8 bits
    EXPECT_EQ(ws.binindex(1).unitcode, 0);  // bin 256 does not fit the configuration row
    // boiler 300 does not fit: the whole row keeps what it held, nothing of the line mixed in
    EXPECT_EQ(ws.binindex(2).unitcode, 0);
    EXPECT_EQ(ws.binindex(2).unitfuel, 6);
    EXPECT_EQ(ws.binindex(2).unitboiler, 17);
    EXPECT_EQ(ws.binindex(9).Code.str(), "W  ");
    EXPECT_EQ(ws.binindex(3).unitpm, 2);
    // bin 301 twice, a huge bin twice, two lines past row 300, fuel 40000, layout 256, bin 256, boiler 300
    EXPECT_EQ(warnings().size(), 10u);
}

TEST_F(BinImport, ABinFactorFileSetsTheFactorAndMarksTheTestRowsOfItsBins) {
    exports({}, {testrow("A", "7"), testrow("B", "8"), testrow("C", "7", "3", "0")}, {});
    app->updatingall = 1;
    cmdloadbin_Click(*app);
    app->updatingall = 0;
    write("factors.txt", {"bin\tEMF", "", tabbed({"7", "0.35"}), tabbed({"0", "0.9"}), tabbed({"400", "0.1"})});
    auto folder = app->importpath;
    app->importpath = dir / "elsewhere";
    platform.answers.push_back((dir / "factors.txt").string());
    cmdupdatebininfo_Click(*app);
    const Workset& ws = app->ws;
    EXPECT_FLOAT_EQ(ws.binindex(7).efactor, 0.35f);
    EXPECT_EQ(ws.binindex(0).efactor, 0);
    EXPECT_EQ(ws.binindex(1).testline, 2);
    EXPECT_EQ(ws.binindex(2).testline, 1);
    EXPECT_EQ(ws.binindex(3).testline, 2);
    EXPECT_EQ(app->importpath, dir / "elsewhere");  // the chosen file is read; the folder stays
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].Filter, "bin update files (*.txt) ");
    EXPECT_EQ(warnings().size(), 1u);  // bin 400

    platform.answers.push_back("*.txt");
    ws.binindex(7);
    app->ws.binindex(7).efactor = 0.5f;
    cmdupdatebininfo_Click(*app);
    EXPECT_FLOAT_EQ(app->ws.binindex(7).efactor, 0.5f);
}

TEST_F(BinImport, NegativeBinsAndFactorsBeyondAFloatAreSkippedWithAWarning) {
    exports({tabbed({"AA", "x", "-4"}), tabbed({"BB", "x", "5"})}, {}, {});
    answerfolder();
    cmdloadbin_Click(*app);
    EXPECT_EQ(app->ws.binindex(5).Code.trimmed(), "BB");
    write("update.txt", {"h1", "h2", tabbed({"-2", "0.5"}), tabbed({"7", "1e39"}), tabbed({"8", "0.25"})});
    ASSERT_TRUE(readbinfactorfile(*app, dir / "update.txt"));
    EXPECT_FLOAT_EQ(app->ws.binindex(8).efactor, 0.25f);
    EXPECT_FLOAT_EQ(app->ws.binindex(7).efactor, 0);
    auto log = warnings();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "line 3 of efsummary.txt skipped: bin -4 is below bin 0");
    EXPECT_EQ(log[1], "line 3 of update.txt skipped: bin -2 is below bin 0");
    EXPECT_EQ(log[2], "line 4 of " + (dir / "update.txt").string() + " skipped: the bin factor 1e39 does not fit its field");
}
