#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "app.h"
#include "data/workset.h"
#include "import/testimport.h"
#include "model/testfactors.h"
#include "tempfolder.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

// A boiler run whose stack mercury splits p : o : e.
testrec boilerrun(int type, int fuel, float p, float o, float e) {
    testrec t;
    t.testkind = boilertestkind;
    t.typecode = u8(type);
    t.fueltype = i16(fuel);
    t.outpart = p, t.outox = o, t.outelem = e;
    t.hgcoal = 0.1f, t.burnrate = 1000, t.gasrate = 10000;
    t.inpart = 10, t.inox = 0.1f, t.inelem = 600;  // ash, mercury, chlorine
    return t;
}

testrec devicerun(int kind, int type, float inp, float ino, float ine, float outp, float outo, float oute) {
    testrec t;
    t.testkind = u8(kind);
    t.typecode = u8(type);
    t.inpart = inp, t.inox = ino, t.inelem = ine;
    t.outpart = outp, t.outox = outo, t.outelem = oute;
    t.o2in = 6, t.o2out = 7;
    return t;
}

struct TestFactors : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);
    Workset& ws = app->ws;
    long n = 0;
    void add(const testrec& t) {
        ws.test(++n) = t;
        settestcount(ws, n);
    }
};

}  // namespace

TEST(GroupAveraging, ArithmeticAndGeometricMeansWithTheirDeviations) {
    const std::vector<RunValues> two{{0.5, 0.5, 0.5, 0.5}, {0.2, 0.2, 0.2, 0.2}};
    GroupMeans a = averagegroup(two, false, 1.0);
    EXPECT_NEAR(a.mean[0], 0.35, 1e-12);
    EXPECT_NEAR(a.sd[0], 0.2121, 5e-5);
    EXPECT_NEAR(a.mean[3], 0.35, 1e-12);
    GroupMeans g = averagegroup(two, true, 1.0);
    EXPECT_NEAR(g.mean[0], 0.3162, 5e-5);
    EXPECT_NEAR(g.sd[0], 0.6479, 5e-5);
    EXPECT_NEAR(g.mean[3], 0.3162, 5e-5);

    // One value: no deviation.
    GroupMeans one = averagegroup({{0.4, 0.3, 0.2, 0.1}}, true, 1.0);
    EXPECT_NEAR(one.mean[1], 0.3, 1e-12);
    EXPECT_EQ(one.sd[1], 0);
}

TEST(GroupAveraging, ValuesWithoutALogarithmAndTotalsOfZero) {
    // 1/e has the logarithm -1: a value like any other, not a missing one.
    const double inve = std::exp(-1.0);
    GroupMeans g = averagegroup({{inve, 0, -0.5, 0}, {inve, 0, 0.5, 0}}, true, 1.0);
    EXPECT_NEAR(g.mean[0], inve, 1e-12);
    // A species with no positive value: 0, not e^0.
    EXPECT_EQ(g.mean[1], 0);
    EXPECT_EQ(g.sd[1], 0);
    // The one positive value alone.
    EXPECT_NEAR(g.mean[2], 0.5, 1e-12);
    EXPECT_EQ(g.sd[2], 0);
    // No total to average: the caller's value, not raised to a power.
    EXPECT_EQ(g.mean[3], 1.0);
    EXPECT_EQ(averagegroup({{0.1, 0.1, 0.1, 0}}, true, 0.0).mean[3], 0.0);

    // Arithmetic: every species value counts, zeros and negatives too; zero totals do not.
    GroupMeans a = averagegroup({{0.0, -1.0, 0.3, 0.0}, {0.4, 1.0, 0.3, 0.6}}, false, 1.0);
    EXPECT_NEAR(a.mean[0], 0.2, 1e-12);
    EXPECT_NEAR(a.mean[1], 0.0, 1e-12);
    EXPECT_NEAR(a.mean[3], 0.6, 1e-12);
    EXPECT_EQ(averagegroup({{0.1, 0.1, 0.1, 0}}, false, 7.0).mean[3], 7.0);
}

TEST(FuelElementClasses, EachRunCountsInEveryClassItMeets) {
    std::set<int> in;
    for (int e = 1; e <= 18; ++e)
        if (infuelelementclass(e, 2, 10, 0.03, 600)) in.insert(e);
    EXPECT_EQ(in, (std::set<int>{1, 3, 5, 7, 14, 15}));
    // The thresholds themselves are low.
    in.clear();
    for (int e = 1; e <= 18; ++e)
        if (infuelelementclass(e, 1, 8, 0.05, 500)) in.insert(e);
    EXPECT_EQ(in, (std::set<int>{2, 4, 6, 8, 12, 16}));
    EXPECT_FALSE(infuelelementclass(0, 2, 10, 1, 600));
    EXPECT_FALSE(infuelelementclass(19, 2, 10, 1, 600));
}

TEST(RunValues, BoilerAndDeviceRuns) {
    testrec b = boilerrun(1, 3, 1, 3, 6);
    auto v = boilerrunvalues(b);
    ASSERT_TRUE(v);
    EXPECT_NEAR((*v)[0], 0.1, 1e-7);
    EXPECT_NEAR((*v)[2], 0.6, 1e-7);
    EXPECT_NEAR((*v)[3], (10 * 10000 / 1e6) / (0.1 * 1000 / 1000), 1e-6);  // out over in
    // The fuel tables' total is the same ratio in their units.
    EXPECT_NEAR((*fuelrunvalues(b))[3], (*v)[3] * 200.59 / 385.3, 1e-9);
    b.gasrate = 0;
    EXPECT_EQ((*boilerrunvalues(b))[3], 0);
    b.hgcoal = 0;
    EXPECT_EQ((*boilerrunvalues(b))[3], 1);
    EXPECT_EQ((*fuelrunvalues(b))[3], 1);
    EXPECT_FALSE(boilerrunvalues(boilerrun(1, 3, 0, 0, 0)));
    EXPECT_FALSE(fuelrunvalues(boilerrun(1, 3, 1, -2, 0)));

    // Inlet particulate 0: that species is unity; every value corrected to the inlet oxygen.
    testrec d = devicerun(so2testkind, 1, 0, 2, 1, 0.5f, 1, 0.5f);
    const double c = (21.0 - 6) / (21.0 - 7);
    auto dv = devicerunvalues(d);
    ASSERT_TRUE(dv);
    EXPECT_NEAR((*dv)[0], 1 * c, 1e-9);
    EXPECT_NEAR((*dv)[1], 0.5 * c, 1e-9);
    EXPECT_NEAR((*dv)[2], 0.5 * c, 1e-9);
    EXPECT_NEAR((*dv)[3], 2.0 / 3 * c, 1e-7);
    d.o2out = 21;  // no correction exists
    EXPECT_FALSE(devicerunvalues(d));
    EXPECT_FALSE(devicerunvalues(devicerun(pmtestkind, 1, 0, 0, 0, 1, 1, 1)));
}

TEST_F(TestFactors, AnEmptyTestTableGivesUnityDevicesAndEmptyFuelTables) {
    ws.emfactorfs(3, 4).sdox = 0.25f;
    ws.emfactor(4, 1).name = "WET SCRUB";
    derivetestfactors(ws, 0);
    for (long t = 1; t <= 30; ++t)
        for (long c = 0; c <= 2; ++c) {
            const emfactorrec& r = ws.emfactor(t, c);
            EXPECT_EQ(r.hgpart, 1.0f);
            EXPECT_EQ(r.hgox, 1.0f);
            EXPECT_EQ(r.hgelem, 1.0f);
            EXPECT_EQ(r.hgtotal, 1.0f);
            EXPECT_EQ(r.testcount, 0.0f);
            EXPECT_EQ(r.sdpart + r.sdox + r.sdelem, 0.0f);
        }
    EXPECT_EQ(ws.emfactor(4, 1).name.trimmed(), "WET SCRUB");
    EXPECT_EQ(ws.emfactorf(5, 7).hgtotal, 0.0f);
    EXPECT_EQ(ws.emfactorfs(3, 4).hgpart, 0.0f);
    EXPECT_EQ(ws.emfactorfs(3, 4).sdox, 0.25f);  // kept by a cell without runs
}

TEST_F(TestFactors, FurnaceTypesWithAndWithoutTests) {
    add(boilerrun(2, 3, 1, 3, 6));
    add(boilerrun(2, 3, 3, 3, 4));
    add(boilerrun(5, 4, 0, 5, 5));
    add(boilerrun(7, 4, 0, 0, 0));  // no stack mercury: left out
    derivetestfactors(ws, 0);
    const emfactorrec& two = ws.emfactor(2, 0);
    EXPECT_EQ(two.testcount, 2.0f);
    EXPECT_NEAR(two.hgpart, 0.2, 1e-6);
    EXPECT_NEAR(two.hgpart + two.hgox + two.hgelem, 1.0, 1e-6);
    EXPECT_NEAR(two.sdpart, std::sqrt(0.02), 1e-6);
    // Types without tests: the fractions shared by types 2 and 5, their spread, count 0.
    for (long t : {1L, 7L, 30L}) {
        const emfactorrec& r = ws.emfactor(t, 0);
        EXPECT_EQ(r.testcount, 0.0f);
        EXPECT_NEAR(r.hgpart, 0.2 / 2, 1e-6);
        EXPECT_NEAR(r.hgox, 0.8 / 2, 1e-6);
        EXPECT_NEAR(r.hgpart + r.hgox + r.hgelem, 1.0, 1e-6);
        EXPECT_NEAR(r.sdpart, std::sqrt(0.02), 1e-6);
        EXPECT_NEAR(r.hgtotal, (two.hgtotal + ws.emfactor(5, 0).hgtotal) / 2, 1e-6);
    }
    // The device columns keep unity where there were no tests.
    EXPECT_EQ(ws.emfactor(7, 2).hgpart, 1.0f);

    // One tested type alone: its fractions, no spread.
    n = 0;
    add(boilerrun(3, 3, 1, 1, 2));
    derivetestfactors(ws, 1);
    EXPECT_NEAR(ws.emfactor(9, 0).hgelem, 0.5, 1e-6);
    EXPECT_EQ(ws.emfactor(9, 0).sdelem, 0.0f);
}

TEST_F(TestFactors, DeviceGroupsFuelRowsAndTheRunLimit) {
    for (int i = 0; i < 205; ++i) add(devicerun(pmtestkind, 4, 1, 1, 1, i < 200 ? 0.5f : 0.1f, 0.5f, 0.5f));
    add(devicerun(pmtestkind, 4, 1, 1, 1, 0.5f, 0.5f, 0.5f));
    add(boilerrun(1, 62, 1, 1, 2));  // coal gas: fuel row 0
    add(boilerrun(1, 12, 1, 1, 2));  // beyond the fuel rows
    add(boilerrun(1, 3, 0, 1, 1));
    derivetestfactors(ws, 0);
    const emfactorrec& pm = ws.emfactor(4, 2);
    EXPECT_EQ(pm.testcount, 200.0f);
    EXPECT_NEAR(pm.hgpart, 0.5 * 15.0 / 14, 1e-6);  // the first 200 runs only
    EXPECT_EQ(pm.sdpart, 0.0f);
    EXPECT_EQ(ws.emfactor(1, 0).testcount, 3.0f);
    EXPECT_EQ(ws.emfactorf(0, 1).testcount, 1.0f);
    EXPECT_EQ(ws.emfactorf(3, 1).testcount, 1.0f);
    for (long f = 1; f <= 11; ++f)
        EXPECT_EQ(ws.emfactorf(f, 1).testcount, f == 3 ? 1.0f : 0.0f) << f;
    // The fuel-element classes of the coal gas run: its fuel carries sulfur 0, ash 10,
    // mercury 0.1 and chlorine 600.
    for (int e = 1; e <= 18; ++e)
        EXPECT_EQ(ws.emfactorfs(0, e).testcount, infuelelementclass(e, 0, 10, 0.1, 600) ? 1.0f : 0.0f) << e;
}

TEST_F(TestFactors, GeometricFuelTableWithoutTotals) {
    testrec t = boilerrun(6, 5, 0, 1, 3);
    t.gasrate = 0;  // total 0: no logarithm
    add(t);
    add(t);
    derivetestfactors(ws, 1);
    const emfactorrec& f = ws.emfactorf(5, 6);
    EXPECT_EQ(f.testcount, 2.0f);
    EXPECT_EQ(f.hgtotal, 0.0f);  // no usable total: 0, as in arithmetic mode
    EXPECT_EQ(f.hgpart, 0.0f);   // no positive particulate fraction
    EXPECT_NEAR(f.hgox, 0.25, 1e-6);
    EXPECT_EQ(ws.emfactor(6, 0).hgtotal, 1.0f);  // the furnace column's unity
    EXPECT_EQ(ws.emfactorfs(5, 3).hgtotal, 0.0f);
    derivetestfactors(ws, 0);
    EXPECT_EQ(ws.emfactorf(5, 6).hgtotal, 0.0f);
    EXPECT_EQ(ws.emfactor(6, 0).hgtotal, 1.0f);
}

TEST_F(TestFactors, ListsBoilerRunsAndShowsTheListingOutsideTheBatch) {
    add(boilerrun(1, 62, 1, 1, 1));
    add(devicerun(so2testkind, 1, 1, 1, 1, 1, 1, 1));
    add(boilerrun(1, 150, 1, 1, 1));
    ws.idfuel(3).name = "BITUMINOUS";
    add(boilerrun(1, 3, 1, 1, 1));
    const brasket::testing::TempFolder dir("testfactors-cancel");
    // The folder dialog cancelled: the tests held are derived from.
    platform.answers.push_back("*.txt");
    app->opt.efmeanmode = 1;
    cmdupdateef_Click(*app);
    EXPECT_EQ(app->report.reportlinecount, 5);
    EXPECT_EQ(app->report.line(1), "  A LISTING OF FUEL NAMES WITH NUMBERS");
    EXPECT_EQ(app->report.line(2), " 1 0  COAL GAS");
    EXPECT_EQ(app->report.line(3), " 3 150  unknown");
    EXPECT_EQ(app->report.line(4), " 4 3  BITUMINOUS");
    EXPECT_EQ(app->report.line(5), "@NEW PAGE");
    EXPECT_EQ(ws.emfactor(1, 0).testcount, 3.0f);
    EXPECT_TRUE(app->display.Visible());

    // A failed import changes no factor and says so.
    app->display.Hide();
    app->importpath = dir.path();  // no exports there
    app->updatingall = 1;   // no folder dialog
    ws.emfactor(1, 0).hgpart = 0.75f;
    cmdupdateef_Click(*app);
    EXPECT_FALSE(app->display.Visible());
    EXPECT_EQ(ws.emfactor(1, 0).hgpart, 0.75f);
    EXPECT_EQ(app->report.line(2), " 1 0  COAL GAS");
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(),
              "The emission factors were not updated: the emission tests could not be read.");
}
