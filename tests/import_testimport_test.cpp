#include <gtest/gtest.h>

#include "data/workset.h"
#include "import/testimport.h"
#include "import_folder.h"

using namespace brasket;
using brasket::testing::tabbed;

namespace {

struct TestImport : brasket::testing::ImportFolder {
    void SetUp() override {
        ImportFolder::SetUp();
        Workset& ws = app->ws;
        ws.emfactor(1, 0).name = "PC";
        ws.emfactor(2, 0).name = "CYCLONE";
        ws.emfactor(1, 1).name = "WET FGD";
        ws.emfactor(1, 2).name = "CS-ESP";
        ws.emfactor(2, 2).name = "FF";
    }
    // A test line of 19 fields.
    static std::string run(const std::string& type, const std::string& name, const std::string& runid,
                           const std::string& inpart = "1.5", const std::string& fuel = "Bituminous",
                           const std::string& sulfur = "1.2", const std::string& ref = "Method 1631") {
        return tabbed({type, name, runid, "5000", "7", sulfur, "6.1", inpart, "2.4", "3.3", "90000", "12", "13",
                       "7.2", "0.2", "1.1", "4.4", ref, fuel});
    }
    void exports(const std::vector<std::string>& boiler, const std::vector<std::string>& pm,
                 const std::vector<std::string>& so2) {
        auto withheader = [](std::vector<std::string> lines) {
            lines.insert(lines.begin(), {"unit type\tunit\trun", "\t\t(ug/dscm)"});
            return lines;
        };
        write("boilertest.txt", withheader(boiler));
        write("pmtest.txt", withheader(pm));
        write("so2test.txt", withheader(so2));
    }
    long count() const { return testcount(app->ws); }
    void expectrestored() {
        frmplants& w = mainwindow(*app);
        EXPECT_EQ(w.MousePointer(), 0);
        EXPECT_TRUE(w.Label11.Visible());  // telling how many lines were skipped
        EXPECT_FALSE(w.Label19.Visible());
        EXPECT_FALSE(w.Label22.Visible());
        EXPECT_EQ(app->lookuponly, 0);
    }
};

}  // namespace

TEST_F(TestImport, LinesWithoutATypeAreSkippedAndTheKindsComeInOrder) {
    exports({run("PC", "Unit A", "1"), tabbed({"  ", "Unit B", "2"}), run("CYCLONE", "Unit C", "3")},
            {run("FF", "Unit D", "1")}, {run("WET FGD", "Unit E", "1"), run("WET FGD", "Unit E", "2")});
    answerfolder();
    cmdmakeEF_Click(*app);
    ASSERT_EQ(count(), 5);
    const Workset& ws = app->ws;
    EXPECT_EQ(ws.test(1).testname.trimmed(), "Unit A");
    EXPECT_EQ(ws.test(2).testname.trimmed(), "Unit C");
    EXPECT_EQ(ws.test(2).typecode, 2);
    EXPECT_EQ(ws.test(3).testkind, 3);  // particulate tests before SO2 tests
    EXPECT_EQ(ws.test(3).typecode, 2);
    EXPECT_EQ(ws.test(4).testkind, 2);
    EXPECT_EQ(ws.test(4).typecode, 1);
    EXPECT_EQ(ws.test(5).runid.str(), "2   ");
    // The line without a type is told: in the warning log, the status caption and a message.
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("1 line skipped or changed: see import warnings.txt (", 0), 0u);
    EXPECT_EQ(mainwindow(*app).Label11.Caption(), "1 line skipped or changed: see import warnings.txt");
    expectrestored();
}

TEST_F(TestImport, FieldsGoToTheirRecordFields) {
    exports({run("PC", "A very long unit name over twenty", "12345", "ND(1.0)", "Bituminous", "0.5"),
             run("PC", "B", "1", "0.3", "Bituminous", "0.6", "(3051/3052/7471)"), tabbed({"PC", "C"})},
            {}, {});
    answerfolder();
    cmdmakeEF_Click(*app);
    ASSERT_EQ(count(), 3);
    const testrec& t = app->ws.test(1);
    EXPECT_EQ(t.testkind, 1);
    EXPECT_EQ(t.typecode, 1);
    EXPECT_EQ(t.testname.str(), "A very long unit nam");
    EXPECT_EQ(t.runid.str(), "1234");
    EXPECT_FLOAT_EQ(t.burnrate, 5000);
    EXPECT_FLOAT_EQ(t.value5, 7);
    EXPECT_FLOAT_EQ(t.sulfur, 0.5f);
    EXPECT_FLOAT_EQ(t.o2in, 6.1f);
    EXPECT_FLOAT_EQ(t.inpart, 0.5f);
    EXPECT_FLOAT_EQ(t.hgcoal, 2.4f);
    EXPECT_FLOAT_EQ(t.inox, 2.4f);
    EXPECT_FLOAT_EQ(t.inelem, 3.3f);
    EXPECT_FLOAT_EQ(t.gasrate, 90000);
    EXPECT_FLOAT_EQ(t.value12, 12);
    EXPECT_FLOAT_EQ(t.value13, 13);
    EXPECT_FLOAT_EQ(t.o2out, 7.2f);
    EXPECT_FLOAT_EQ(t.outpart, 0.2f);
    EXPECT_FLOAT_EQ(t.outox, 1.1f);
    EXPECT_FLOAT_EQ(t.outelem, 4.4f);
    EXPECT_EQ(t.refcode, 1631);
    EXPECT_EQ(t.fueltype, 6);
    EXPECT_EQ(app->ws.test(2).fueltype, 3);
    EXPECT_EQ(app->ws.test(2).refcode, 3051);
    // a short line leaves the missing fields empty
    const testrec& s = app->ws.test(3);
    EXPECT_EQ(s.runid.str(), "    ");
    EXPECT_EQ(s.outelem, 0);
    EXPECT_EQ(s.refcode, 9);
    EXPECT_EQ(s.fueltype, 2);
}

TEST_F(TestImport, UnknownTypesGiveCodeZeroAndAreNeverAdded) {
    exports({run("STOKER", "A", "1")}, {run("pc", "B", "1")}, {});
    answerfolder();
    cmdmakeEF_Click(*app);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(app->ws.test(1).typecode, 0);
    EXPECT_EQ(app->ws.test(2).typecode, 0);
    for (long i = 1; i <= 30; ++i) {
        EXPECT_NE(app->ws.emfactor(i, 0).name.trimmed(), "STOKER");
        EXPECT_NE(app->ws.emfactor(i, 2).name.trimmed(), "PC");
    }
    EXPECT_EQ(app->lookuponly, 0);
}

TEST_F(TestImport, AMalformedNotDetectedValueKeeps999AndIsLogged) {
    exports({run("PC", "A", "1", "ND(0.42")}, {}, {});
    answerfolder();
    cmdmakeEF_Click(*app);
    EXPECT_FLOAT_EQ(app->ws.test(1).inpart, 999);
    auto log = warnings();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("ND(0.42"), std::string::npos);
    EXPECT_NE(log[0].find("boilertest.txt"), std::string::npos);
}

TEST_F(TestImport, AMissingExportKeepsTheTestsReadAndIsTold) {
    exports({run("PC", "A", "1"), run("PC", "B", "1")}, {}, {run("WET FGD", "C", "1")});
    std::filesystem::remove(dir / "pmtest.txt");
    answerfolder();
    cmdmakeEF_Click(*app);
    EXPECT_EQ(count(), 2);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("Files not processed.....", 0), 0u);
    EXPECT_NE(platform.messages[0].find("pmtest.txt"), std::string::npos);
    expectrestored();
}

TEST_F(TestImport, MoreThan500TestsKeepTheFirst500AndAreTold) {
    std::vector<std::string> boiler, pm;
    for (int i = 0; i < 300; ++i) boiler.push_back(run("PC", "B" + std::to_string(i), "1"));
    for (int i = 0; i < 250; ++i) pm.push_back(run("FF", "P" + std::to_string(i), "1"));
    exports(boiler, pm, {run("WET FGD", "S", "1")});
    answerfolder();
    cmdmakeEF_Click(*app);
    EXPECT_EQ(count(), 500);
    EXPECT_EQ(app->ws.test(500).testname.trimmed(), "P199");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("Files not processed.....", 0), 0u);
    expectrestored();
}

TEST_F(TestImport, ACancelledDialogChangesNothingAndTheBatchAsksNothing) {
    exports({run("PC", "A", "1")}, {}, {});
    settestcount(app->ws, 7);
    auto before = app->importpath;
    platform.answers.push_back("*.txt");
    cmdmakeEF_Click(*app);
    EXPECT_EQ(count(), 7);
    EXPECT_EQ(app->importpath, before);

    app->updatingall = 1;
    cmdmakeEF_Click(*app);
    EXPECT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(count(), 1);  // the table restarts from 0
}

TEST_F(TestImport, AValueBeyondAFloatSkipsTheTestWithAWarning) {
    exports({run("PC", "Unit A", "1", "1e39"), run("PC", "Unit B", "1", "ND(9e38)"), run("PC", "Unit C", "1")},
            {}, {});
    answerfolder();
    cmdmakeEF_Click(*app);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(app->ws.test(1).testname.trimmed(), "Unit C");
    auto log = warnings();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].find("line 3 of "), std::string::npos);
    EXPECT_NE(log[0].find("skipped: the inlet particulate mercury 1e39 does not fit its field"), std::string::npos);
    EXPECT_NE(log[1].find("skipped: the inlet particulate mercury ND(9e38) does not fit its field"), std::string::npos);
}

TEST_F(TestImport, SpreadsheetQuotesAroundTestNamesAndRunsAreRemoved) {
    exports({run("\"PC\"", "\"Unit A, east\"", "\"1\"")}, {}, {});
    answerfolder();
    cmdmakeEF_Click(*app);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(app->ws.test(1).testname.trimmed(), "Unit A, east");
    EXPECT_EQ(app->ws.test(1).runid.trimmed(), "1");
    EXPECT_EQ(app->ws.test(1).typecode, 1);
}
