// The example export set run through the headless driver: units, analyses, fuel use, tests,
// bin information and concentrations imported, then the working set saved and read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include "../tools/examplegen.h"
#include "app.h"
#include "tempfolder.h"
#include "data/loading.h"
#include "data/workset.h"
#include "ui/scripted_platform.h"

using namespace brasket;

TEST(ExampleSetBatch, EveryUnitWithFuelUseHasMonthlyMercuryAfterTheImports) {
    namespace fs = std::filesystem;
    const brasket::testing::TempFolder folder("importbatch-example");
    const fs::path& dir = folder.path();
    const example::Summary sum = example::makeexample(dir, true);
    const std::string answer = " --answer \"" + (dir / "partIIExport.txt").string() + "\"";
    const std::string command = std::string("\"") + BRASKET_TOOLS_DIR + "/brasket-batch\" --data \"" + dir.string() +
                                "\"" + answer + answer + answer + answer + answer + " --answer \"" +
                                (dir / "dornvelt factors.txt").string() +
                                "\" cmdupdateplant_Click cmdreadhganalysis_Click cmdfuelusageexport_Click"
                                " cmdmakeEF_Click cmdloadbin_Click cmdupdatebininfo_Click cmdupdateconc_Click"
                                " cmdsaveallupdate_Click 2>\"" + (dir / "messages.txt").string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(fs::file_size(dir / "messages.txt"), 0u);
    EXPECT_FALSE(fs::exists(dir / "import warnings.txt"));

    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    loadinitial(*app, dir);
    const Workset& ws = app->ws;
    ASSERT_EQ(unitcount(ws), sum.units);

    // Tests of all three kinds, every one with a known type; their units have test rows.
    long tests = testcount(ws);
    ASSERT_GT(tests, 50);
    std::set<int> kinds;
    std::map<std::string, long> testfuels;  // by test unit name, from the test rows
    for (long j = 1; j <= 300; ++j) testfuels[ws.binindex(j).testname.trimmed()] = ws.binindex(j).testfuel;
    for (long t = 1; t <= tests; ++t) {
        kinds.insert(ws.test(t).testkind);
        EXPECT_GT(ws.test(t).typecode, 0) << t;
        auto row = testfuels.find(ws.test(t).testname.trimmed());
        ASSERT_NE(row, testfuels.end()) << t;
        EXPECT_EQ(row->second, ws.test(t).fueltype) << t;
        EXPECT_NE(ws.test(t).outox, 999) << t;
    }
    EXPECT_EQ(kinds, (std::set<int>{1, 2, 3}));

    // Bins 1 to 44 have their codes; listed bins their factors; configuration rows their bins.
    for (long b = 1; b <= 44; ++b) EXPECT_NE(ws.binindex(b).Code.trimmed(), "") << b;
    long configurations = 0;
    for (long j = 1; j <= 300; ++j) {
        const binindexrec& row = ws.binindex(j);
        if (row.testcode > 0) {  // a test row: its bin's factor was loaded
            EXPECT_EQ(row.testline, 2) << j;
            EXPECT_GT(ws.binindex(row.testcode).efactor, 0) << j;
        }
        if (row.emptyconfiguration()) continue;
        ++configurations;
        EXPECT_GE(row.unitcode, 1);
        EXPECT_LE(row.unitcode, 44);
    }
    EXPECT_GT(configurations, 10);

    // Every fuel burned in a unit's month has its mercury, measured or the yearly mean.
    for (long u = 1; u <= sum.units; ++u)
        for (long m = 1; m <= 12; ++m)
            for (std::size_t f = 1; f <= 4; ++f) {
                const unitcoalrec& uc = ws.unitcoal(u, m);
                if (uc.fuelnum[f] <= 0 || uc.drytons[f] <= 0) continue;
                EXPECT_GT(uc.hgppm[f], 0) << "unit " << u << " month " << m << " slot " << f;
                EXPECT_NE(uc.hgflag[f], 0);
            }
}
