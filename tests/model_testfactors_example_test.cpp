// The factors derived from the example set's emission tests: the listing and the tables as
// golden files, and the tables saved by the headless driver and loaded back.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "app.h"
#include "data/loading.h"
#include "data/workset.h"
#include "exampleset.h"
#include "golden.h"
#include "import/testimport.h"
#include "model/testfactors.h"
#include "model_testruns.h"
#include "report/numformat.h"
#include "ui/scripted_platform.h"

using namespace brasket;
using namespace brasket::testing;
namespace fs = std::filesystem;

namespace {

std::string cellline(const std::string& key, const emfactorrec& r) {
    std::string line = key + " " + std::to_string(static_cast<long>(r.testcount));
    for (float v : {r.hgpart, r.hgox, r.hgelem, r.hgtotal, r.sdpart, r.sdox, r.sdelem})
        line += " " + formatnumber(v, "0.00000");
    return line + "\n";
}

// Every device row, and the fuel cells that rest on tests.
std::string tablestext(const Workset& ws) {
    std::string text;
    for (long t = 1; t <= 30; ++t)
        for (long c = 0; c <= 2; ++c) text += cellline("emfactor " + std::to_string(t) + "," + std::to_string(c), ws.emfactor(t, c));
    for (long f = 0; f <= 11; ++f)
        for (long b = 1; b <= 30; ++b)
            if (ws.emfactorf(f, b).testcount > 0)
                text += cellline("emfactorf " + std::to_string(f) + "," + std::to_string(b), ws.emfactorf(f, b));
    for (long f = 0; f <= 11; ++f)
        for (long e = 1; e <= 18; ++e)
            if (ws.emfactorfs(f, e).testcount > 0)
                text += cellline("emfactorfs " + std::to_string(f) + "," + std::to_string(e), ws.emfactorfs(f, e));
    return text;
}

// The runs of the test table a cell rests on, at most 200.
template <class Belongs, class Values>
long runsbehind(const Workset& ws, Belongs belongs, Values values) {
    long n = 0;
    for (long i = 1; i <= testcount(ws); ++i)
        if (belongs(ws.test(i)) && values(ws.test(i))) ++n;
    return std::min<long>(n, maxgroupruns);
}

}  // namespace

TEST(ExampleTestFactors, ListingAndTablesOfBothAveragings) {
    const TempFolder copy = copyexampleset("testfactors-golden");
    const fs::path& dir = copy.path();
    for (int mode : {0, 1}) {
        ScriptedPlatform platform;
        auto app = std::make_unique<App>(platform);
        loadexampleset(*app, platform, dir);
        app->opt.efmeanmode = std::int16_t(mode);
        platform.answers.push_back((dir / "boilertest.txt").string());
        cmdupdateef_Click(*app);
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_TRUE(app->display.Visible());
        if (mode == 0) expectgolden("testfactors_listing.txt", reporttext(app->report));
        expectgolden(mode == 0 ? "testfactors_average.txt" : "testfactors_geometric.txt", tablestext(app->ws));
    }
}

TEST(ExampleTestFactors, DerivedSavedAndLoadedBack) {
    const TempFolder copy = copyexampleset("testfactors-saved");
    const fs::path& dir = copy.path();
    ASSERT_TRUE(runbatch(dir, "cmdupdateef_Click cmdsaveallupdate_Click"));

    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    loadexampleset(*app, platform, dir);
    const Workset& ws = app->ws;
    ASSERT_GT(testcount(ws), 10);
    long tested = 0;
    auto speciation = [](const emfactorrec& r) { return double(r.hgpart) + r.hgox + r.hgelem; };
    for (long t = 1; t <= 30; ++t) {
        for (int kind = 1; kind <= 3; ++kind) {
            const emfactorrec& r = ws.emfactor(t, kind - 1);
            auto belongs = [&](const testrec& x) { return x.testkind == kind && x.typecode == t; };
            const long behind = kind == 1 ? runsbehind(ws, belongs, boilerrunvalues)
                                          : runsbehind(ws, belongs, devicerunvalues);
            EXPECT_EQ(r.testcount, float(behind)) << t << "," << kind;
            tested += behind;
            if (kind > 1 && behind == 0) {
                EXPECT_TRUE(r.hgpart == 1 && r.hgox == 1 && r.hgelem == 1 && r.hgtotal == 1) << t << "," << kind;
            }
        }
        // Every furnace row is a speciation: its fractions add up to 1.
        EXPECT_NEAR(speciation(ws.emfactor(t, 0)), 1.0, 1e-5) << t;
    }
    EXPECT_GT(tested, 10);
    for (int f = 0; f <= 11; ++f) {
        for (long b = 1; b <= 30; ++b) {
            const emfactorrec& r = ws.emfactorf(f, b);
            auto belongs = [&](const testrec& x) { return x.testkind == 1 && x.typecode == b && testfuelrow(x) == f; };
            EXPECT_EQ(r.testcount, float(runsbehind(ws, belongs, fuelrunvalues))) << f << "," << b;
            if (r.testcount > 0) {
                EXPECT_NEAR(speciation(r), 1.0, 1e-5) << f << "," << b;
            }
        }
        for (int e = 1; e <= 18; ++e) {
            const emfactorrec& r = ws.emfactorfs(f, e);
            auto belongs = [&](const testrec& x) {
                return x.testkind == 1 && testfuelrow(x) == f && infuelelementclass(e, x.sulfur, x.inpart, x.inox, x.inelem);
            };
            EXPECT_EQ(r.testcount, float(runsbehind(ws, belongs, fuelrunvalues))) << f << "," << e;
            if (r.testcount > 0) {
                EXPECT_NEAR(speciation(r), 1.0, 1e-5) << f << "," << e;
            }
        }
    }
}
