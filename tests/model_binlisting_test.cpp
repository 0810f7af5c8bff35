// The bin listing run of the main window over the example working set.
#include <gtest/gtest.h>

#include <filesystem>

#include "app.h"
#include "common/numtext.h"
#include "data/workset.h"
#include "exampleset.h"
#include "golden.h"
#include "model/binfactors.h"
#include "model_testruns.h"
#include "ui/scripted_platform.h"

namespace brasket {
namespace {

namespace fs = std::filesystem;
using namespace brasket::testing;

// Records each mouse pointer the main window shows.
struct PointerWatch : Observer {
    Form& form;
    std::vector<int> pointers;
    explicit PointerWatch(Form& f) : form(f) { form.observer = this; }
    ~PointerWatch() override { form.observer = nullptr; }
    void changed(Control& c) override {
        if (&c == &form && (pointers.empty() || pointers.back() != form.MousePointer)) pointers.push_back(form.MousePointer);
    }
};

struct BinListing : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);
    TempFolder copy = copyexampleset("binlisting");
    fs::path dir = copy.path();

    void SetUp() override { loadexampleset(*app, platform, dir); }
    std::string run(const std::string& answer) {
        platform.answers.push_back(answer);
        app->handlers.find("cmdbincalcs_Click")->run(*app);
        return reporttext(app->report);
    }
};

TEST_F(BinListing, ListsBinsZeroToFortyFourOverTheExampleSet) {
    PointerWatch watch(mainwindow(*app));
    std::string text = run((dir / "boilertest.txt").string());
    expectgolden("bin_listing.txt", text);
    EXPECT_EQ(watch.pointers, (std::vector<int>{11, 0, 11, 1}));  // the import's, then the listing's
    EXPECT_TRUE(app->display.loaded);
    EXPECT_TRUE(platform.messages.empty());
    // With the clock fixed, the Monte Carlo lines repeat exactly.
    EXPECT_EQ(run((dir / "boilertest.txt").string()), text);
    // Every bin of the example set with runs is a composite bin: its factor comes from the
    // bin factor file and stays; its fractions add up to 1.
    long withruns = 0;
    for (long bin = 0; bin <= 44; ++bin) {
        if (app->model.testratiotable(bin, 0) == 0) continue;
        ++withruns;
        const binindexrec& r = app->ws.binindex(bin);
        EXPECT_NEAR(double(r.partfrac) + r.oxfrac + r.elemfrac, 1, 1e-6) << bin;
        EXPECT_GT(r.efactor, 0) << bin;
    }
    EXPECT_GT(withruns, 1);
}

// Every Monte Carlo estimate the listing prints, over the small and the full-size example
// sets: the average lies within its 90% range, whose low end is never above its high end.
TEST_F(BinListing, EveryMonteCarloRangeHoldsItsAverage) {
    for (const fs::path& source : {fs::path(), fullexampleworkingset()}) {
        const TempFolder copy = copyexampleset("binlisting-ranges", source);
        const fs::path& set = copy.path();
        ScriptedPlatform p;
        App a{p};
        loadexampleset(a, p, set);
        p.answers.push_back((set / "boilertest.txt").string());
        a.handlers.find("cmdbincalcs_Click")->run(a);
        long estimates = 0;
        for (long k = 1; k <= a.report.reportlinecount; ++k) {
            const std::string l = a.report.line(k);
            const bool montecarlo = l.rfind("The Monte Carlo average is", 0) == 0;
            // Method 3 lines ("The average is ...") follow "randomly selecting".
            const bool method3 = l.rfind("The average is", 0) == 0 && l.find(", and the lognormal") == std::string::npos &&
                                 k > 1 && a.report.line(k - 1).find("individual") != std::string::npos;
            const bool single = l.rfind("The average is", 0) == 0 && k > 1 &&
                                a.report.line(k - 1).find("with an individual sd of") != std::string::npos;
            if (!montecarlo && !method3 && !single) continue;
            const std::size_t lead = l.find(" is") + 3, range = l.find("range is ");
            ASSERT_NE(range, std::string::npos) << l;
            const double mean = val(l.substr(lead)), high = val(l.substr(range + 9)),
                         low = val(l.substr(l.find(" to ", range) + 4));
            EXPECT_LE(low, high) << l;
            // The printed range has four decimals.
            EXPECT_LE(low, mean + 0.00005) << l;
            EXPECT_LE(mean, high + 0.00005) << l;
            ++estimates;
        }
        EXPECT_GE(estimates, 8) << set;
    }
}

TEST_F(BinListing, ACancelledImportListsTheTestsAlreadyLoaded) {
    // The loaded tests are those of the exports, so the listing is the same.
    std::string text = run("*.txt");
    expectgolden("bin_listing.txt", text);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BinListing, SingleBinsAndSeriesPairs) {
    // Bin 4's units as single controls, and bin 2's units as the second unit of bin 11 in
    // series after bin 4.
    for (long j = 1; j <= 81; ++j) {
        binindexrec& row = app->ws.binindex(j);
        if (row.testcode == 4) row.testline = 1;
        if (row.testcode == 2) row.testcode = 11;
    }
    app->ws.binindex(11).efactor = 0.4f;
    std::string text = run((dir / "boilertest.txt").string());
    expectgolden("bin_listing_single_and_series.txt", text);
    EXPECT_EQ(app->ws.binindex(11).efactor, 0.4f);
}

TEST_F(BinListing, AFailedImportStopsWithAMessageAndChangesNoFactor) {
    const fs::path partial = dir / "partial";
    fs::create_directories(partial);
    fs::copy_file(dir / "boilertest.txt", partial / "boilertest.txt");  // no particulate or SO2 tests
    app->ws.binindex(1).efactor = 0.77f;
    app->model.testratiotable(1, 0) = 5;
    app->model.workvalues(1) = 0.5;
    reportline(*app, "an earlier report");
    const long lines = app->report.reportlinecount;
    run((partial / "boilertest.txt").string());
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].rfind("Files not processed", 0), 0u);
    EXPECT_EQ(platform.messages[1], "The bin calculations were not made: the emission tests could not be read. "
                                    "The bin factors are as they were.");
    EXPECT_EQ(app->ws.binindex(1).efactor, 0.77f);
    EXPECT_EQ(app->model.testratiotable(1, 0), 5);
    EXPECT_EQ(app->model.workvalues(1), 0.5);
    EXPECT_EQ(app->report.reportlinecount, lines);
    EXPECT_FALSE(app->display.loaded);
    EXPECT_EQ(mainwindow(*app).MousePointer, 0);
}

TEST(BinListingBatch, TheHeadlessDriverWritesTheListing) {
    const TempFolder copy = copyexampleset("binlisting-batch");
    const fs::path& dir = copy.path();
    ASSERT_TRUE(runbatch(dir, "cmdbincalcs_Click", dir / "listing.txt"));
    const std::string text = filetext(dir / "listing.txt");
    EXPECT_NE(text.find("  A LISTING OF TEST RUNS WITH EMISSION MODIFICATION FACTORS\r\n"), std::string::npos);
    long bins = 0;
    for (std::size_t at = text.find("Emission control device type"); at != std::string::npos;
         at = text.find("Emission control device type", at + 1))
        ++bins;
    EXPECT_EQ(bins, 45);
    EXPECT_NE(text.find("Emission control device type  44\r\n"), std::string::npos);
}

}  // namespace
}  // namespace brasket
