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
        // Row 1 is the first empty row (its SO2 code and bin are set but it is passed over).
        configuration(1, 0, 0, 0, 4, 21);
        configuration(2, 304, 1, 1, 0, 10);
        configuration(3, 304, 1, 1, 0, 11);  // the same configuration again, lower down
        configuration(4, 3, 7, 2, 5, 12);
        configuration(5, 0, 0, 0, 4, 20);    // a later empty row is compared like any other
        bin(10, 0.4f, 0.2f, 0.5f, 0.3f);
        bin(11, 0.9f, 0.1f, 0.1f, 0.8f);
        bin(12, 1.3f, 0.6f, 0.3f, 0.1f);
        bin(20, 0.7f, 0.3f, 0.3f, 0.4f);
        bin(21, 0.8f, 0.3f, 0.3f, 0.4f);
        bin(3, 0.25f, 0.1f, 0.6f, 0.3f);
        bin(41, 0.41f, 0.41f, 0.29f, 0.3f);
        bin(42, 0.42f, 0.42f, 0.28f, 0.3f);
        bin(44, 1.44f, 0.44f, 0.26f, 0.3f);
        bin(45, 0.5f, 0.5f, 0.25f, 0.25f);
    }

    void configuration(long row, int fuel, int boiler, int pm, int so2, int code) {
        binindexrec& r = app.ws.binindex(row);
        r.unitfuel = static_cast<i16>(fuel);
        r.unitboiler = static_cast<u8>(boiler);
        r.unitpm = static_cast<u8>(pm);
        r.unitso2 = static_cast<u8>(so2);
        r.unitcode = static_cast<u8>(code);
    }
    void bin(long b, float factor, float part, float ox, float elem) {
        binindexrec& r = app.ws.binindex(b);
        r.efactor = factor;
        r.partfrac = part;
        r.oxfrac = ox;
        r.elemfrac = elem;
    }
    void truncate(bool on) { app.main.Check1[1].Value = on ? 1 : 0; }

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
        EXPECT_DOUBLE_EQ(app.model.binfractions[0], p);
        EXPECT_DOUBLE_EQ(app.model.binfractions[1], o);
        EXPECT_DOUBLE_EQ(app.model.binfractions[2], e);
    }
};

}  // namespace

TEST_F(BinLookup, ConfigurationRowGivesItsBinsFactorAndSpeciation) {
    Result r = lookup(50, 304, 1, 0, 1);
    EXPECT_EQ(r.bin, 10);  // row 2, not the repeated configuration of row 3
    EXPECT_DOUBLE_EQ(r.factor, 0.4f);
    EXPECT_DOUBLE_EQ(r.emission, 50 * static_cast<double>(0.4f));
    expectfractions(0.2f, 0.5f, 0.3f);
}

TEST_F(BinLookup, OnlyTheFirstEmptyRowIsPassedOver) {
    Result r = lookup(10, 0, 0, 4, 0);
    EXPECT_EQ(r.bin, 20);  // row 5; row 1 (bin 21) is passed over
    EXPECT_DOUBLE_EQ(r.factor, 0.7f);
}

TEST_F(BinLookup, EachOfTheFourCodesMustMatch) {
    EXPECT_EQ(lookup(1, 304, 1, 0, 1).bin, 10);
    EXPECT_EQ(lookup(1, 403, 1, 0, 1).bin, nobin);
    EXPECT_EQ(lookup(1, 304, 2, 0, 1).bin, nobin);
    EXPECT_EQ(lookup(1, 304, 1, 5, 1).bin, nobin);
    EXPECT_EQ(lookup(1, 304, 1, 0, 2).bin, nobin);
}

TEST_F(BinLookup, NoMatchGivesBin90UnityAndKeepsThePreviousSpeciation) {
    lookup(10, 304, 1, 0, 1);
    Result r = lookup(10, 5, 9, 4, 15);  // SO2 code 4 with no particulate control is no unity configuration
    EXPECT_EQ(r.bin, nobin);
    EXPECT_EQ(r.factor, 1);
    EXPECT_EQ(r.emission, 10);
    expectfractions(0.2f, 0.5f, 0.3f);
}

TEST_F(BinLookup, UnityConfigurationWritesBin45) {
    for (long so2 : {1, 2, 3})
        for (long pm : {15, 16}) {
            bin(45, 0.5f, 0.5f, 0.25f, 0.25f);
            app.model.binfractions = {0, 0, 0};
            Result r = lookup(7.5, 304, 1, so2, pm);
            EXPECT_EQ(r.bin, unitybin);
            EXPECT_EQ(r.factor, 1);
            EXPECT_EQ(r.emission, 7.5);
            const binindexrec& row = app.ws.binindex(45);
            EXPECT_EQ(row.efactor, 1.0f);
            EXPECT_EQ(row.partfrac, 1.0f);
            EXPECT_EQ(row.oxfrac, 1.0f);
            EXPECT_EQ(row.elemfrac, 1.0f);
            expectfractions(1, 1, 1);
        }
    // With the factor-product method too.
    app.opt.partcorrmode = 1;
    EXPECT_EQ(lookup(3, 304, 1, 2, 15).bin, unitybin);
}

TEST_F(BinLookup, UnitsWithTheirOwnBin) {
    // A configuration that would otherwise be the unity configuration.
    EXPECT_EQ(lookup(1, 304, 1, 2, 15, 964).bin, 44);
    EXPECT_EQ(lookup(1, 304, 1, 2, 15, 203).bin, 42);
    EXPECT_EQ(lookup(1, 304, 1, 2, 15, 676).bin, 41);
    Result r = lookup(20, 304, 1, 2, 15, 1002);
    EXPECT_EQ(r.bin, 41);
    EXPECT_DOUBLE_EQ(r.factor, 0.41f);
    EXPECT_DOUBLE_EQ(r.emission, 20 * static_cast<double>(0.41f));
    expectfractions(0.41f, 0.29f, 0.3f);

    app.opt.partcorrmode = 1;  // independent of the method
    r = lookup(4, 212, 1, 0, 1, 67);
    EXPECT_EQ(r.bin, 3);
    EXPECT_DOUBLE_EQ(r.factor, 0.25f);
    expectfractions(0.1f, 0.6f, 0.3f);
    app.opt.partcorrmode = 100;

    // Unit 67 with another fuel, and the evaluation's "no unit", go on to the later steps.
    EXPECT_EQ(lookup(1, 213, 1, 1, 15, 67).bin, unitybin);
    EXPECT_EQ(lookup(1, 304, 1, 0, 1, 67).bin, 10);
    EXPECT_EQ(lookup(1, 212, 1, 0, 1, nounit).bin, nobin);
}

TEST_F(BinLookup, FactorAboveOneIsCutOnlyWhenTheTruncateBoxIsChecked) {
    truncate(false);
    Result r = lookup(10, 3, 7, 5, 2);
    EXPECT_EQ(r.bin, 12);
    EXPECT_DOUBLE_EQ(r.factor, 1.3f);
    EXPECT_DOUBLE_EQ(r.emission, 10 * static_cast<double>(1.3f));
    EXPECT_DOUBLE_EQ(lookup(1, 304, 1, 0, 1, 964).factor, 1.44f);

    truncate(true);
    r = lookup(10, 3, 7, 5, 2);
    EXPECT_EQ(r.bin, 12);
    EXPECT_EQ(r.factor, 1);
    EXPECT_EQ(r.emission, 10);
    EXPECT_EQ(app.ws.binindex(12).efactor, 1.3f);  // the stored bin factor stays
    EXPECT_EQ(lookup(1, 304, 1, 0, 1, 964).factor, 1);
    // A factor below 1 is left alone.
    EXPECT_DOUBLE_EQ(lookup(1, 304, 1, 0, 1).factor, 0.4f);
}

namespace {

// The factor-product method over furnace, particulate and SO2 factors.
struct FactorProduct : BinLookup {
    void SetUp() override {
        BinLookup::SetUp();
        app.opt.partcorrmode = 1;
        factors(4, 0, 0.9f, 0.8f, 0.7f);  // furnace type 4
        factors(1, 2, 0.1f, 0.5f, 0.95f);  // ESP-CS
        factors(6, 1, 0.6f, 0.3f, 1.0f);   // SO2 type 6
    }
    void factors(long row, long column, float p, float o, float e) {
        emfactorrec& r = app.ws.emfactor(row, column);
        r.hgpart = p;
        r.hgox = o;
        r.hgelem = e;
        r.hgtotal = 0.5f;
    }
};

}  // namespace

TEST_F(FactorProduct, MultipliesTheSpeciesFactorsAndLeavesTheBinAlone) {
    Result r = lookup(100, 304, 4, 6, 1);
    const double p = 100.0 * 0.9f * 0.1f * 0.6f, o = 100.0 * 0.8f * 0.5f * 0.3f, e = 100.0 * 0.7f * 0.95f * 1.0f;
    EXPECT_EQ(r.bin, -1);
    EXPECT_NEAR(r.emission, p + o + e, 1e-9);
    EXPECT_NEAR(r.factor, (p + o + e) / 100, 1e-12);
    EXPECT_NEAR(app.model.binfractions[0], p / 100, 1e-12);
    EXPECT_NEAR(app.model.binfractions[1], o / 100, 1e-12);
    EXPECT_NEAR(app.model.binfractions[2], e / 100, 1e-12);
}

TEST_F(FactorProduct, EmissionNeverExceedsTheMercuryIn) {
    factors(4, 0, 3.0f, 3.0f, 3.0f);
    factors(1, 2, 1.0f, 1.0f, 1.0f);
    factors(6, 1, 1.0f, 1.0f, 1.0f);
    Result r = lookup(10, 304, 4, 6, 1);
    EXPECT_EQ(r.emission, 10);
    EXPECT_EQ(r.factor, 1);
    EXPECT_NEAR(app.model.binfractions[0], 3.0, 1e-6);  // the fractions are not cut
}

TEST_F(FactorProduct, NoMercuryInGivesFactorZeroAndKeepsTheSpeciation) {
    app.model.binfractions = {0.25, 0.5, 0.25};
    Result r = lookup(0, 304, 4, 6, 1);
    EXPECT_EQ(r.emission, 0);
    EXPECT_EQ(r.factor, 0);
    expectfractions(0.25, 0.5, 0.25);
}

TEST_F(FactorProduct, FurnaceCodeOutsideTheFactorTableCountsAsUnity) {
    lookup(10, 304, 31, 6, 1);
    EXPECT_NEAR(app.model.binfractions[0], 0.1f * 0.6f, 1e-7);
    EXPECT_NEAR(app.model.binfractions[1], 0.5f * 0.3f, 1e-7);
    EXPECT_NEAR(app.model.binfractions[2], 0.95f, 1e-7);
}
