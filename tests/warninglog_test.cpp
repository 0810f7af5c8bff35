// The warning log: opened once for a handler run, lines given outside a run written at once,
// and lines that do not reach its file counted as lost and told once a handler run.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "app.h"
#include "import/importconduct.h"
#include "report/reportbuffer.h"
#include "tempfolder.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct WarningLogRun : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    brasket::testing::TempFolder folder{"warninglog"};
    std::filesystem::path dir = folder.path();

    void SetUp() override { app.datapath = dir; }

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

    // An import of `count` warning lines that also writes a report line, as a handler.
    void importhandler(const std::string& name, int count) {
        handler(name, [count](App& a) {
            beginimport(a, "reading");
            for (int i = 1; i <= count; ++i) importwarning(a, "line " + std::to_string(i) + " skipped");
            endimport(a);
            reportline(a, std::string_view("the report"));
        });
    }
    std::string lostmessage(long count) const {
        return std::to_string(count) + " warning lines could not be written to " +
               (dir / "import warnings.txt").string() + " and were lost.";
    }
};

TEST_F(WarningLogRun, OutsideAHandlerRunEveryLineIsInTheFileAtOnce) {
    importwarning(app, "plain");
    EXPECT_EQ(log(), std::vector<std::string>{"plain"});
    importwarning(app, "second");
    EXPECT_EQ(log(), (std::vector<std::string>{"plain", "second"}));
    EXPECT_EQ(app.importwarnings, 2);
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

TEST_F(WarningLogRun, AWritableLogHoldsEveryLineAndTellsNoLoss) {
    importhandler("import_Click", 2);
    run("import_Click");
    EXPECT_EQ(log(), (std::vector<std::string>{"line 1 skipped", "line 2 skipped"}));
    EXPECT_EQ(app.main.Label11.Caption(), "2 lines skipped or changed: see import warnings.txt");
    EXPECT_EQ(platform.messages, std::vector<std::string>{"2 lines skipped or changed: see import warnings.txt (" +
                                                          (dir / "import warnings.txt").string() + ")"});
    EXPECT_EQ(app.warnings.written(), 2);
    EXPECT_EQ(app.warnings.lost(), 0);
}

// "import warnings.txt" is a folder, which no user can open as a file.
TEST_F(WarningLogRun, ALogThatCannotBeOpenedLosesTheLinesAndEachOutermostRunSaysSoOnce) {
    std::filesystem::create_directory(dir / "import warnings.txt");
    importhandler("import_Click", 3);
    run("import_Click");
    // The import's own message would send the user to the log: the run's end tells instead.
    EXPECT_EQ(platform.messages, std::vector<std::string>{lostmessage(3)});
    EXPECT_EQ(app.main.Label11.Caption(), "3 lines skipped or changed: import warnings.txt could not be written");
    EXPECT_EQ(app.warnings.lost(), 3);
    EXPECT_EQ(app.warnings.written(), 0);
    EXPECT_EQ(app.report.reportlinecount, 1);  // the handler's work is kept

    // A handler run inside another: one message when the outer one ends, for both.
    handler("outer_Click", [this](App& a) {
        importwarning(a, "outer");
        run("import_Click");
        run("import_Click");
    });
    platform.messages.clear();
    run("outer_Click");
    EXPECT_EQ(platform.messages, std::vector<std::string>{lostmessage(7)});
    EXPECT_EQ(app.warnings.lost(), 10);

    // Outside a handler run too a line is lost, and the next run tells only its own lines.
    importwarning(app, "at once");
    EXPECT_EQ(app.warnings.lost(), 11);
    platform.messages.clear();
    run("import_Click");
    EXPECT_EQ(platform.messages, std::vector<std::string>{lostmessage(3)});
}

// A log that opens but whose writes fail (a full disk): its lines are found lost when the
// import flushes them for its message, when the file is closed at the run's end, and when a
// run's lines fill the stream's buffer.
TEST_F(WarningLogRun, ALogWhoseWritesFailLosesTheLinesThatDidNotReachIt) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
    std::filesystem::create_symlink("/dev/full", dir / "import warnings.txt");
    importhandler("import_Click", 3);
    run("import_Click");
    EXPECT_EQ(platform.messages, std::vector<std::string>{lostmessage(3)});
    EXPECT_EQ(app.main.Label11.Caption(), "3 lines skipped or changed: import warnings.txt could not be written");
    for (int count : {2, 2000}) {
        const std::string name = "report" + std::to_string(count);
        handler(name, [count](App& a) {
            for (int i = 0; i < count; ++i) importwarning(a, "a report's warning line, long enough to fill a buffer");
        });
        platform.messages.clear();
        run(name);
        EXPECT_EQ(platform.messages, std::vector<std::string>{lostmessage(count)});
    }
    EXPECT_EQ(app.warnings.written(), 0);
    EXPECT_EQ(app.warnings.lost(), 2005);
}

}  // namespace
