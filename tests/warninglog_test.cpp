// The warning log: opened once for a handler run, repeated warnings written once with their
// count when the run ends, lines given outside a run written at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "app.h"
#include "import/importconduct.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct WarningLogRun : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    std::filesystem::path dir;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("brasket-warninglog-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        app.datapath = dir;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::vector<std::string> log() const {
        std::vector<std::string> v;
        std::ifstream in(dir / "import warnings.txt", std::ios::binary);
        for (std::string l; std::getline(in, l);) {
            EXPECT_TRUE(!l.empty() && l.back() == '\r') << l;  // every line ends in CR LF
            if (!l.empty() && l.back() == '\r') l.pop_back();
            v.push_back(l);
        }
        return v;
    }
    void handler(const std::string& name, std::function<void(App&)> run) {
        app.handlers.add({name, "frmplants", "", name, std::move(run)});
    }
    void run(const std::string& name) { app.handlers.find(name)->run(app); }
};

TEST_F(WarningLogRun, RepeatedWarningsOfAHandlerRunAreWrittenOnceWithTheirCountAtItsEnd) {
    handler("warn_Click", [](App& a) {
        for (int i = 0; i < 5; ++i) {
            importwarning(a, "item " + std::to_string(i) + " skipped");
            repeatedwarning(a, "the table is full");
        }
        repeatedwarning(a, "a warning given once");
        repeatedwarning(a, "the table is full");
    });
    std::ofstream(dir / "import warnings.txt", std::ios::binary) << "an earlier line\r\n";
    run("warn_Click");
    EXPECT_EQ(log(), (std::vector<std::string>{"an earlier line", "item 0 skipped", "item 1 skipped", "item 2 skipped",
                                               "item 3 skipped", "item 4 skipped", "the table is full (6 times)",
                                               "a warning given once"}));
    // The run's count is the lines it added.
    EXPECT_EQ(app.importwarnings, 7);

    // The next run counts afresh.
    run("warn_Click");
    EXPECT_EQ(log().size(), 15u);
    EXPECT_EQ(log()[13], "the table is full (6 times)");
    EXPECT_EQ(app.importwarnings, 14);
}

TEST_F(WarningLogRun, AHandlerRunInsideAnotherWritesItsRepeatedWarningsWhenTheOuterRunEnds) {
    handler("inner_Click", [](App& a) { repeatedwarning(a, "inner"); });
    handler("outer_Click", [this](App& a) {
        repeatedwarning(a, "outer");
        run("inner_Click");
        run("inner_Click");
        importwarning(a, "last plain line");
    });
    run("outer_Click");
    EXPECT_EQ(log(), (std::vector<std::string>{"last plain line", "outer", "inner (2 times)"}));
}

TEST_F(WarningLogRun, OutsideAHandlerRunEveryLineIsInTheFileAtOnce) {
    importwarning(app, "plain");
    EXPECT_EQ(log(), std::vector<std::string>{"plain"});
    repeatedwarning(app, "repeated");
    repeatedwarning(app, "repeated");
    EXPECT_EQ(log(), (std::vector<std::string>{"plain", "repeated", "repeated"}));
    EXPECT_EQ(app.importwarnings, 3);
}

// An import's message names the log while its handler still runs: the lines are in the file
// by then.
TEST_F(WarningLogRun, TheLogHoldsAnImportsLinesWhenItsMessageIsShown) {
    std::vector<std::string> seen;
    handler("import_Click", [this, &seen](App& a) {
        beginimport(a, "reading");
        importwarning(a, "line 3 skipped");
        endimport(a);
        seen = log();
    });
    run("import_Click");
    EXPECT_EQ(seen, std::vector<std::string>{"line 3 skipped"});
    ASSERT_FALSE(platform.messages.empty());
}

}  // namespace
