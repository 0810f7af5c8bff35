#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "app.h"
#include "data/workset.h"
#include "import/testimport.h"
#include "model/fuelcorrelation.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct FuelCorrelation : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);
    Table2<emfactorrec, 0, 11, 0, 30>& t = app->ws.emfactorf;

    void cell(int f, int b, int count, float p, float o, float e) {
        emfactorrec& r = t(f, b);
        r.testcount = float(count), r.hgpart = p, r.hgox = o, r.hgelem = e;
        r.hgtotal = 0.125f, r.sdox = 0.5f;
    }
    void expectcell(int f, int b, double p, double o, double e) {
        EXPECT_NEAR(t(f, b).hgpart, p, 1e-6) << f << "," << b;
        EXPECT_NEAR(t(f, b).hgox, o, 1e-6) << f << "," << b;
        EXPECT_NEAR(t(f, b).hgelem, e, 1e-6) << f << "," << b;
    }
    // Tested cells: rows 1, 3, 4 and 5; untested cells with stale fractions besides.
    void SetUp() override {
        cell(3, 1, 2, 0.2f, 0.3f, 0.5f);
        cell(3, 10, 5, 0.4f, 0.4f, 0.2f);
        cell(4, 1, 1, 0.5f, 0.5f, 0.0f);
        cell(4, 5, 1, 0.1f, 0.2f, 0.7f);
        cell(5, 2, 1, 0.0f, 0.4f, 0.6f);   // tested, no particulate mercury
        cell(1, 1, 3, 0.1f, 0.1f, 0.8f);   // a row that is neither averaged nor filled
        cell(1, 2, 0, 0.3f, 0.3f, 0.3f);
        cell(2, 7, 0, 0.3f, 0.3f, 0.3f);
        cell(6, 3, 0, 0.3f, 0.3f, 0.3f);
        cell(6, 0, 0, 0.3f, 0.3f, 0.3f);   // types 0 and 24..30 are left alone
        cell(6, 24, 0, 0.3f, 0.3f, 0.3f);
    }
    // The count-weighted grand means of rows 0 and 3..11.
    static constexpr double gp = (0.4 + 2.0 + 0.5 + 0.1 + 0.0) / 10, go = (0.6 + 2.0 + 0.5 + 0.2 + 0.4) / 10,
                            ge = (1.0 + 1.0 + 0.0 + 0.7 + 0.6) / 10;

    void expectcommon() {
        expectcell(3, 1, 0.2, 0.3, 0.5);  // tested cells keep their fractions
        expectcell(5, 2, 0.0, 0.4, 0.6);
        expectcell(1, 2, 0, 0, 0);        // rows 1 and 2 end empty
        expectcell(2, 7, 0, 0, 0);
        expectcell(6, 0, 0.3, 0.3, 0.3);
        expectcell(6, 24, 0.3, 0.3, 0.3);
        EXPECT_EQ(t(6, 3).testcount, 0.0f);
        EXPECT_EQ(t(6, 3).hgtotal, 0.125f);  // totals and deviations untouched
        EXPECT_EQ(t(6, 3).sdox, 0.5f);
    }
};

}  // namespace

TEST_F(FuelCorrelation, ColumnMeansThenGrandMeans) {
    SETFUELCORRELATION(*app);
    expectcommon();
    // Column 1 over all twelve rows, row 1 included: weights 2, 1, 3.
    expectcell(0, 1, (0.4 + 0.5 + 0.3) / 6, (0.6 + 0.5 + 0.3) / 6, (1.0 + 0.0 + 2.4) / 6);
    expectcell(11, 10, 0.4, 0.4, 0.2);
    // No tests in column 3: the grand means.
    expectcell(6, 3, gp, go, ge);
    expectcell(0, 23, gp, go, ge);
}

TEST_F(FuelCorrelation, RowMeans) {
    app->opt.missingfactormode = 1;
    SETFUELCORRELATION(*app);
    expectcommon();
    expectcell(3, 5, (0.4 + 2.0) / 7, (0.6 + 2.0) / 7, (1.0 + 1.0) / 7);
    expectcell(4, 23, 0.3, 0.35, 0.35);
    expectcell(6, 3, gp, go, ge);  // a row without tests
}

TEST_F(FuelCorrelation, ClassValuesOfEachRowItself) {
    app->opt.missingfactormode = 2;
    cell(11, 3, 1, 0.9f, 0.05f, 0.05f);  // the last row's class 1 must not reach the others
    SETFUELCORRELATION(*app);
    expectcommon();
    // Row 3, class 1 (types 1, 3, 10): the plain mean of its two tested cells.
    expectcell(3, 3, 0.3, 0.35, 0.35);
    // Class 2 of row 3 has no tests: the grand means.
    const double p = (0.4 + 2.0 + 0.5 + 0.1 + 0.9) / 11, o = (0.6 + 2.0 + 0.5 + 0.2 + 0.4 + 0.05) / 11,
                 e = (1.0 + 1.0 + 0.7 + 0.6 + 0.05) / 11;
    expectcell(3, 6, p, o, e);
    expectcell(4, 6, 0.1, 0.2, 0.7);
    expectcell(4, 3, 0.5, 0.5, 0.0);
    expectcell(3, 20, p, o, e);  // class 0 has no values of its own
}

TEST_F(FuelCorrelation, OtherModesAndATableWithoutTests) {
    app->opt.missingfactormode = 7;
    SETFUELCORRELATION(*app);
    expectcommon();
    expectcell(0, 1, gp, go, ge);

    // No tests anywhere: every cell of types 1..23 ends empty, no fraction divided by zero.
    for (int f = 0; f <= 11; ++f)
        for (int b = 0; b <= 30; ++b) t(f, b).testcount = 0;
    for (int mode = 0; mode <= 2; ++mode) {
        app->opt.missingfactormode = std::int16_t(mode);
        SETFUELCORRELATION(*app);
        for (int f = 0; f <= 11; ++f)
            for (int b = 1; b <= 23; ++b) expectcell(f, b, 0, 0, 0);
    }
}

TEST(ModelSwitches, ParticulateCorrelationSteps) {
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    MenuItem& item = mainwindow(*app).menu("cmdburncorrelation");
    emfactorrec& tested = app->ws.emfactorf(3, 4);
    tested.testcount = 1, tested.hgpart = 0.25f, tested.hgox = 0.75f;
    // Mode before, mode after, caption after, and whether the fuel table was completed.
    const std::tuple<int, int, const char*, bool> steps[] = {{100, 100, "%part. by bin method", false},
                                                             {5, 1, "%part. corr. by fuel", true},
                                                             {1, 2, "%part. correlation 2", false},
                                                             {2, 5, "%part. corr. by boiler", false}};
    for (auto [before, after, caption, completed] : steps) {
        app->opt.partcorrmode = std::int16_t(before);
        app->ws.emfactorf(7, 4).hgpart = 0;
        cmdburncorrelation_Click(*app);
        EXPECT_EQ(app->opt.partcorrmode, after) << before;
        EXPECT_EQ(item.Caption(), caption) << before;
        EXPECT_EQ(app->ws.emfactorf(7, 4).hgpart, completed ? 0.25f : 0.0f) << before;
    }
}

TEST(ModelSwitches, AveragingSwitchDerivesTheFactorsAgain) {
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    for (int i = 1; i <= 2; ++i) {
        testrec& r = app->ws.test(i);
        r.testkind = so2testkind, r.typecode = 3, r.o2in = 7, r.o2out = 7;
        r.inpart = r.inox = r.inelem = 1;
        r.outpart = r.outox = r.outelem = i == 1 ? 0.5f : 0.2f;
    }
    settestcount(app->ws, 2);
    MenuItem& item = mainwindow(*app).menu("cmdemissionfactorset");
    EXPECT_EQ(item.Caption(), "now average EF");
    platform.answers.push_back("*.txt");  // the tests held are derived from
    cmdemissionfactorset_Click(*app);
    EXPECT_EQ(app->opt.efmeanmode, 1);
    EXPECT_EQ(item.Caption(), "now geometric EF");
    EXPECT_NEAR(app->ws.emfactor(3, 1).hgox, std::sqrt(0.1), 1e-6);
    EXPECT_NEAR(app->ws.emfactor(3, 1).sdox, 0.6479, 5e-5);
    platform.answers.push_back("*.txt");
    cmdemissionfactorset_Click(*app);
    EXPECT_EQ(app->opt.efmeanmode, 0);
    EXPECT_EQ(item.Caption(), "now average EF");
    EXPECT_NEAR(app->ws.emfactor(3, 1).hgox, 0.35, 1e-6);
    EXPECT_NEAR(app->ws.emfactor(3, 1).sdox, 0.2121, 5e-5);
    EXPECT_EQ(platform.dialogs.size(), 2u);

    app->opt.efmeanmode = 3;  // no averaging of that number: nothing happens
    cmdemissionfactorset_Click(*app);
    EXPECT_EQ(app->opt.efmeanmode, 3);
    EXPECT_EQ(platform.dialogs.size(), 2u);
}

TEST(ModelSwitches, CorrelationOfMwt) {
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    const std::pair<float, const char*> cases[] = {{0, "NO MWT"},  {50, "0.999"},   {-3, "0.999"}, {100, ".999"},
                                                   {125, ".5745"}, {150, ".15"},    {300, ".075"}, {449, ".0005"},
                                                   {450, "0.000"}, {9000, "0.000"}};
    for (auto [x, text] : cases) {
        app->opt.mwt = x;
        std::string out = "old";
        CORR25D(*app, out);
        EXPECT_EQ(out, text) << x;
    }
}
