// The batch rebuild over the example exports: its steps and captions, its flag, the same set
// however often it runs, and the set untouched when an export is missing or a step fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app.h"
#include "data/saving.h"
#include "data/workset.h"
#include "exampleset.h"
#include "import/batchrebuild.h"
#include "import/imports.h"
#include "ui/scripted_platform.h"
#include "workset_files.h"

using namespace brasket;
using namespace brasket::testing;
namespace fs = std::filesystem;

namespace {

// The working files of a folder (the exports and the warning log left out).
std::map<std::string, std::string> workingfiles(const fs::path& dir) {
    std::map<std::string, std::string> files = folderfiles(dir);
    std::erase_if(files, [](const auto& f) { return f.first.size() < 4 || f.first.substr(f.first.size() - 4) != ".dat"; });
    return files;
}

// Two folders hold the same working files, byte for byte.
void expectsameworkingfiles(const fs::path& a, const fs::path& b) {
    const auto x = workingfiles(a), y = workingfiles(b);
    ASSERT_GT(x.size(), 15u);
    ASSERT_EQ(x.size(), y.size());
    for (const auto& [name, bytes] : x) EXPECT_TRUE(bytes == y.at(name)) << name;
}

struct BatchRebuild : ::testing::Test {
    std::vector<TempFolder> copies;
    // A private copy of the example set, loaded into a fresh App.
    struct Run {
        ScriptedPlatform platform;
        std::unique_ptr<App> app;
        fs::path dir;
    };
    std::unique_ptr<Run> open(const std::string& name) {
        auto r = std::make_unique<Run>();
        copies.push_back(copyexampleset("batch-" + name));
        r->dir = copies.back().path();
        r->app = std::make_unique<App>(r->platform);
        loadexampleset(*r->app, r->platform, r->dir);
        return r;
    }
    static void run(App& app, const std::string& handler) { app.handlers.find(handler)->run(app); }
};

}  // namespace

TEST_F(BatchRebuild, StepsInOrderWithoutDialogsEndingOnTheConcentrationReport) {
    auto r = open("steps");
    App& app = *r->app;
    std::vector<std::string> captions;
    std::vector<int> flags;
    r->platform.onpump = [&] {
        captions.push_back(app.main.Label11.Caption());
        flags.push_back(app.updatingall);
    };
    setmeascount(app.ws, 3);
    run(app, "cmdupdateall_Click");
    EXPECT_EQ(captions, (std::vector<std::string>{"Please wait... updating working file....", "reading units",
                                                  "reading fuel data", "reading Hg measurements 1Q",
                                                  "reading Hg measurements 2Q", "reading Hg measurements 3Q",
                                                  "reading Hg measurements 4Q", "reading fuel use file",
                                                  "reading bininfo", "reading test data summaries"}));
    EXPECT_EQ(flags, std::vector<int>(captions.size(), 1));
    EXPECT_EQ(app.updatingall, 0);
    EXPECT_TRUE(r->platform.dialogs.empty());
    EXPECT_TRUE(r->platform.messages.empty());
    EXPECT_FALSE(app.main.Label11.Visible());
    EXPECT_EQ(app.main.MousePointer(), 0);
    EXPECT_EQ(app.main.menu("cmdupdateall").Caption(), "Load and process set from all data files ");
    // The report window shows the concentration check, not the factor listing.
    EXPECT_TRUE(app.display.Visible());
    EXPECT_EQ(app.report.line(2), "Error form for mercury concentration data");

    // The analyses are those of the four quarters alone, as their own menu item reads them.
    auto alone = open("analyses");
    alone->platform.answers.push_back((alone->dir / "hg1Qdatashort.txt").string());
    setmeascount(alone->app->ws, 5);
    run(*alone->app, "cmdreadhganalysis_Click");
    EXPECT_EQ(meascount(app.ws), meascount(alone->app->ws));
    EXPECT_GT(meascount(app.ws), 100);
    EXPECT_GT(app.ws.emfactor(1, 2).testcount, 0);  // the factors derived from the tests
}

TEST_F(BatchRebuild, OnceOrTwiceGivesTheSameWorkingSet) {
    auto once = open("once");
    run(*once->app, "cmdupdateall_Click");
    run(*once->app, "cmdsaveallupdate_Click");
    auto twice = open("twice");
    run(*twice->app, "cmdupdateall_Click");
    run(*twice->app, "cmdupdateall_Click");
    run(*twice->app, "cmdsaveallupdate_Click");
    EXPECT_TRUE(once->platform.messages.empty());
    EXPECT_TRUE(twice->platform.messages.empty());
    expectsameworkingfiles(once->dir, twice->dir);
}

TEST_F(BatchRebuild, LinesSkippedByAllStepsAreToldOnceAndRebuiltTablesMayBeSaved) {
    auto r = open("warnings");
    App& app = *r->app;
    // A damaged line in an export of three different steps.
    for (const char* name : {"hg2Qdatashort.txt", "efsummary.txt", "pmtest.txt"}) {
        std::ofstream(r->dir / name, std::ios::binary | std::ios::app) << std::string("damaged\0line\r\n", 14);
    }
    // Two files were unreadable at start-up: the units, which the batch sets anew, and the
    // fuel use, which it fills over what was loaded.
    app.ws.unreadable = {"unit.dat", "fueluse.dat"};
    run(app, "cmdupdateall_Click");
    ASSERT_EQ(r->platform.messages.size(), 1u);
    EXPECT_EQ(r->platform.messages[0],
              "3 lines skipped or changed: see import warnings.txt (" +
                  (app.datapath / "import warnings.txt").string() + ")");
    EXPECT_FALSE(app.main.Label11.Visible());
    EXPECT_EQ(app.main.MousePointer(), 0);
    EXPECT_EQ(app.ws.unreadable, std::vector<std::string>{"fueluse.dat"});

    // A batch that fails leaves the block as it was.
    app.ws.unreadable = {"unit.dat"};
    r->platform.onpump = [&] {
        if (app.main.Label11.Caption() == "reading fuel use file") fs::remove(r->dir / "fuelusageexport.txt");
    };
    run(app, "cmdupdateall_Click");
    EXPECT_EQ(app.ws.unreadable, std::vector<std::string>{"unit.dat"});
}

TEST_F(BatchRebuild, AMissingExportChangesNothing) {
    auto base = open("base");
    run(*base->app, "cmdsaveallupdate_Click");

    auto r = open("missing");
    fs::remove(r->dir / "so2test.txt");
    fs::remove(r->dir / "partIIExport.txt");
    const long pumps = r->platform.pumps;
    run(*r->app, "cmdupdateall_Click");
    EXPECT_EQ(r->app->updatingall, 0);
    ASSERT_EQ(r->platform.messages.size(), 1u);
    EXPECT_EQ(r->platform.messages[0], "The working set was not rebuilt: these exports are not in " +
                                           r->dir.string() + ":\r\npartIIExport.txt\r\nso2test.txt");
    EXPECT_EQ(r->platform.pumps, pumps);
    EXPECT_EQ(r->app->failure, r->platform.messages[0]);  // a script driving the program can tell
    run(*r->app, "cmdsaveallupdate_Click");
    expectsameworkingfiles(base->dir, r->dir);
}

TEST_F(BatchRebuild, AFailedStepPutsTheTablesBack) {
    auto base = open("unfailed");
    run(*base->app, "cmdsaveallupdate_Click");

    auto r = open("failed");
    App& app = *r->app;
    const int plants = app.main.List3.ListCount();
    const std::string first = app.main.List3.List(0);
    // The fuel-use export goes away after the check, while the analyses are read.
    r->platform.onpump = [&] {
        if (app.main.Label11.Caption() == "reading fuel use file") fs::remove(r->dir / "fuelusageexport.txt");
    };
    run(app, "cmdupdateall_Click");
    EXPECT_EQ(app.updatingall, 0);
    EXPECT_FALSE(app.main.Label11.Visible());
    ASSERT_FALSE(r->platform.messages.empty());
    EXPECT_EQ(r->platform.messages.back(),
              "The working set was not rebuilt: fuelusageexport.txt could not be read. The tables are as they were.");
    EXPECT_EQ(app.failure, r->platform.messages.back());
    EXPECT_EQ(app.main.List3.ListCount(), plants);
    EXPECT_EQ(app.main.List3.List(0), first);
    r->platform.onpump = nullptr;
    run(app, "cmdsaveallupdate_Click");
    expectsameworkingfiles(base->dir, r->dir);

    // A bin export that goes away while the bin item reads: the bin rows are put back too.
    auto binsfile = [&] {
        for (const auto& f : worksetimages(app))
            if (f.name == "bins.dat") return f.bytes;
        return std::string();
    };
    for (long b = 1; b <= 44; ++b) app.ws.binindex(b).Code = "zz";
    const std::string bins = binsfile();
    r->platform.onpump = [&] {
        if (app.main.Label11.Caption() == "reading bininfo") fs::remove(r->dir / "translation table 2.txt");
    };
    fs::copy_file(base->dir / "fuelusageexport.txt", r->dir / "fuelusageexport.txt");
    run(app, "cmdupdateall_Click");
    EXPECT_EQ(r->platform.messages.back(), "The working set was not rebuilt: the bin information exports could not "
                                           "be read. The tables are as they were.");
    EXPECT_TRUE(binsfile() == bins);
    fs::copy_file(base->dir / "translation table 2.txt", r->dir / "translation table 2.txt");

    // A fault inside a step: the flag is cleared and the tables put back before it goes on.
    r->platform.onpump = [&] {
        if (app.main.Label11.Caption() == "reading Hg measurements 2Q") throw std::runtime_error("fault");
    };
    const long analyses = meascount(app.ws);
    EXPECT_THROW(run(app, "cmdupdateall_Click"), std::runtime_error);
    EXPECT_EQ(app.updatingall, 0);
    EXPECT_EQ(meascount(app.ws), analyses);
}

TEST_F(BatchRebuild, EveryOtherHandlerWaitsForTheBatch) {
    auto r = open("refused");
    App& app = *r->app;
    const long units = unitcount(app.ws);
    bool tried = false;
    r->platform.onpump = [&] {
        if (tried) return;
        tried = true;
        run(app, "cmderase_Click");
        app.main.menu("cmderase").Click();
        run(app, "cmdsaveallupdate_Click");
        run(app, "cmdupdateall_Click");
        EXPECT_EQ(unitcount(app.ws), units);
    };
    const auto before = workingfiles(r->dir);
    run(app, "cmdupdateall_Click");
    ASSERT_EQ(r->platform.messages.size(), 4u);
    EXPECT_EQ(r->platform.messages[0],
              "The working set is being rebuilt from the exports; \"Erase all data\" can be used when that is done.");
    EXPECT_EQ(r->platform.messages[3], "The working set is being rebuilt from the exports; \"Load and process set "
                                       "from all data files \" can be used when that is done.");
    EXPECT_TRUE(workingfiles(r->dir) == before);  // nothing saved in the middle
    EXPECT_EQ(unitcount(app.ws), units);
    // Afterwards they run again.
    r->platform.onpump = nullptr;
    run(app, "cmderase_Click");
    EXPECT_EQ(unitcount(app.ws), 0);
}
