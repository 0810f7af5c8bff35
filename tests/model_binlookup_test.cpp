#include <gtest/gtest.h>

#include "app.h"
#include "model/binlookup.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

// A bin table with a few configuration rows and the bins they point to.
struct BinLookup : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};

    void SetUp() override {
        configuration(1, 0, 0, 0, 4, 21);    // the first empty row: passed over
        configuration(2, 304, 1, 1, 0, 10);
        configuration(3, 304, 1, 1, 0, 11);  // the same configuration again
        configuration(4, 3, 7, 2, 5, 12);
        configuration(5, 0, 0, 0, 4, 20);    // a later empty row is compared like any other
        const std::tuple<long, float, float, float, float> bins[] = {
            {10, 0.4f, 0.2f, 0.5f, 0.3f}, {11, 0.9f, 0.1f, 0.1f, 0.8f},   {12, 1.3f, 0.6f, 0.3f, 0.1f},
            {20, 0.7f, 0.3f, 0.3f, 0.4f}, {21, 0.8f, 0.3f, 0.3f, 0.4f},   {3, 0.25f, 0.1f, 0.6f, 0.3f},
            {41, 0.41f, 0.41f, 0.29f, 0.3f}, {42, 0.42f, 0.4f, 0.3f, 0.3f}, {44, 1.44f, 0.4f, 0.3f, 0.3f}};
        for (auto [b, factor, p, o, e] : bins) bin(b, factor, p, o, e);
    }
    void configuration(long row, int fuel, int boiler, int pm, int so2, int code) {
        binindexrec& r = app.ws.binindex(row);
        r.unitfuel = i16(fuel), r.unitboiler = u8(boiler), r.unitpm = u8(pm), r.unitso2 = u8(so2), r.unitcode = u8(code);
    }
    void bin(long b, float factor, float p, float o, float e) {
        binindexrec& r = app.ws.binindex(b);
        r.efactor = factor, r.partfrac = p, r.oxfrac = o, r.elemfrac = e;
    }
    struct Result {
        double emission = -1, factor = -1;
        long bin = -1;
    };
    Result lookup(double hg, long fuel, long boiler, long so2, long pm, long unit = nounit) {
        Result r;
        binlookup(app, hg, r.emission, r.factor, fuel, boiler, so2, pm, r.bin, unit);
        return r;
    }
    void expectfractions(double p, double o, double e) {
        EXPECT_NEAR(app.model.binfractions[0], p, 1e-7);
        EXPECT_NEAR(app.model.binfractions[1], o, 1e-7);
        EXPECT_NEAR(app.model.binfractions[2], e, 1e-7);
    }
};

}  // namespace

TEST_F(BinLookup, ConfigurationRowScan) {
    Result r = lookup(50, 304, 1, 0, 1);
    EXPECT_EQ(r.bin, 10);  // row 2, not the repeated configuration of row 3
    EXPECT_DOUBLE_EQ(r.factor, 0.4f);
    EXPECT_DOUBLE_EQ(r.emission, 50 * double(0.4f));
    expectfractions(0.2, 0.5, 0.3);

    EXPECT_EQ(lookup(10, 0, 0, 4, 0).bin, 20);  // row 5 matches; row 1 was passed over
    // Each of the four codes must match.
    for (auto [fuel, boiler, so2, pm] : {std::array<long, 4>{403, 1, 0, 1}, {304, 2, 0, 1}, {304, 1, 5, 1},
                                         {304, 1, 0, 2}})
        EXPECT_EQ(lookup(1, fuel, boiler, so2, pm).bin, nobin);
}

TEST_F(BinLookup, NoMatchGivesBin90UnityAndKeepsThePreviousSpeciation) {
    lookup(10, 304, 1, 0, 1);
    Result r = lookup(10, 5, 9, 4, 15);  // SO2 code 4 without particulate control is no unity configuration
    EXPECT_EQ(r.bin, nobin);
    EXPECT_EQ(r.factor, 1);
    EXPECT_EQ(r.emission, 10);
    expectfractions(0.2, 0.5, 0.3);
}

// The unity configuration lets all mercury through, but its forms are not known: they are
// none (so no form ever exceeds the total) and the bin's stored speciation is kept.
TEST_F(BinLookup, UnityConfigurationGivesBin45WithoutFormsWhateverTheMethod) {
    for (int method : {100, 1})
        for (long so2 : {1, 2, 3})
            for (long pm : {15, 16}) {
                app.opt.partcorrmode = std::int16_t(method);
                bin(45, 0.5f, 0.5f, 0.25f, 0.25f);
                app.model.binfractions = {0.2, 0.3, 0.5};
                Result r = lookup(7.5, 304, 1, so2, pm);
                EXPECT_EQ(r.bin, unitybin);
                EXPECT_EQ(r.factor, 1);
                EXPECT_EQ(r.emission, 7.5);
                const binindexrec& row = app.ws.binindex(45);
                EXPECT_EQ(row.efactor, 1.0f);
                EXPECT_EQ(row.partfrac, 0.5f);
                EXPECT_EQ(row.oxfrac, 0.25f);
                EXPECT_EQ(row.elemfrac, 0.25f);
                expectfractions(0, 0, 0);
            }
    EXPECT_TRUE(unityconfiguration(2, 16));
    EXPECT_FALSE(unityconfiguration(4, 15));
    EXPECT_FALSE(unityconfiguration(0, 16));
}

// A configuration row that names bin 90 (entered by a class listing) is no bin: the lookup
// gives what no row gives, whatever bin 90's row holds.
TEST_F(BinLookup, ARowNamingBin90GivesWhatNoRowGives) {
    configuration(6, 505, 2, 3, 4, int(nobin));
    bin(nobin, 0.0f, 0.9f, 0.05f, 0.05f);
    lookup(10, 304, 1, 0, 1);
    Result r = lookup(10, 505, 2, 4, 3);
    EXPECT_EQ(r.bin, nobin);
    EXPECT_EQ(r.factor, 1);
    EXPECT_EQ(r.emission, 10);
    expectfractions(0.2, 0.5, 0.3);
}

TEST_F(BinLookup, UnitsWithTheirOwnBinComeBeforeEveryOtherStep) {
    // A unity configuration, which these units do not take.
    EXPECT_EQ(lookup(1, 304, 1, 2, 15, 964).bin, 44);
    EXPECT_EQ(lookup(1, 304, 1, 2, 15, 203).bin, 42);
    EXPECT_EQ(lookup(1, 304, 1, 2, 15, 676).bin, 41);
    Result r = lookup(20, 304, 1, 2, 15, 1002);
    EXPECT_EQ(r.bin, 41);
    EXPECT_DOUBLE_EQ(r.emission, 20 * double(0.41f));
    expectfractions(0.41, 0.29, 0.3);

    app.opt.partcorrmode = 1;
    r = lookup(4, 212, 1, 0, 1, 67);
    EXPECT_EQ(r.bin, 3);
    EXPECT_DOUBLE_EQ(r.factor, 0.25f);
    app.opt.partcorrmode = 100;
    // Unit 67 with another fuel, and "no unit" with fuel 212, go on to the later steps.
    EXPECT_EQ(lookup(1, 213, 1, 1, 15, 67).bin, unitybin);
    EXPECT_EQ(lookup(1, 304, 1, 0, 1, 67).bin, 10);
    EXPECT_EQ(lookup(1, 212, 1, 0, 1, nounit).bin, nobin);
}

// The box starts checked when the main window loads; the analyst may uncheck it.
TEST_F(BinLookup, FactorAboveOneIsCutUnlessTheTruncateBoxIsUnchecked) {
    Result r = lookup(10, 3, 7, 5, 2);
    EXPECT_EQ(mainwindow(app).Check1[1].Value(), 1);
    EXPECT_EQ(r.bin, 12);
    EXPECT_EQ(r.factor, 1);
    EXPECT_EQ(r.emission, 10);
    EXPECT_EQ(app.ws.binindex(12).efactor, 1.3f);  // the stored bin factor stays
    EXPECT_EQ(lookup(1, 304, 1, 0, 1, 964).factor, 1);
    EXPECT_DOUBLE_EQ(lookup(1, 304, 1, 0, 1).factor, 0.4f);

    app.main.Check1[1].Value = 0;
    r = lookup(10, 3, 7, 5, 2);
    EXPECT_EQ(r.bin, 12);
    EXPECT_DOUBLE_EQ(r.factor, 1.3f);
    EXPECT_DOUBLE_EQ(r.emission, 10 * double(1.3f));
    EXPECT_DOUBLE_EQ(lookup(1, 304, 1, 0, 1, 964).factor, 1.44f);
}

TEST_F(BinLookup, ReadingTheTruncateBoxLoadsTheMainWindowFirst) {
    app.opt.partcorrmode = 1;
    lookup(10, 304, 1, 0, 1);  // the factor-product method reads no box
    EXPECT_FALSE(app.main.loaded);
    EXPECT_EQ(lookup(1, 212, 1, 0, 1, 67).bin, 3);
    EXPECT_TRUE(app.main.loaded);
    EXPECT_EQ(app.opt.partcorrmode, 100);  // the window's load gave the options their start values
}

TEST_F(BinLookup, FactorProductOfFurnaceParticulateAndSo2Factors) {
    app.opt.partcorrmode = 1;
    auto factors = [&](long row, long column, float p, float o, float e) {
        emfactorrec& r = app.ws.emfactor(row, column);
        r.hgpart = p, r.hgox = o, r.hgelem = e, r.hgtotal = 0.5f;
    };
    factors(4, 0, 0.9f, 0.8f, 0.7f);   // furnace type 4
    factors(1, 2, 0.1f, 0.5f, 0.95f);  // ESP-CS
    factors(6, 1, 0.6f, 0.3f, 1.0f);   // SO2 type 6
    Result r = lookup(100, 304, 4, 6, 1);
    const double p = 0.9f * 0.1f * 0.6f, o = 0.8f * 0.5f * 0.3f, e = 0.7f * 0.95f * 1.0f;
    EXPECT_EQ(r.bin, -1);  // not written
    EXPECT_NEAR(r.emission, 100 * (p + o + e), 1e-5);
    EXPECT_NEAR(r.factor, p + o + e, 1e-7);
    expectfractions(p, o, e);

    lookup(10, 304, 31, 6, 1);  // a furnace code outside the factor table counts as unity
    expectfractions(0.1f * 0.6f, 0.5f * 0.3f, 0.95f);

    app.model.binfractions = {0.25, 0.5, 0.25};
    r = lookup(0, 304, 4, 6, 1);
    EXPECT_EQ(r.emission, 0);
    EXPECT_EQ(r.factor, 0);
    expectfractions(0.25, 0.5, 0.25);

    factors(4, 0, 3.0f, 3.0f, 3.0f);
    r = lookup(10, 304, 4, 6, 1);
    EXPECT_EQ(r.emission, 10);  // never more than the mercury in
    EXPECT_EQ(r.factor, 1);
}
