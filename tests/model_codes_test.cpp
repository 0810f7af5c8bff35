#include <gtest/gtest.h>

#include "data/workset.h"
#include "model/codes.h"

using namespace brasket;

namespace {

int boilergroupof(long code, int start = -1) {
    int g = start;
    boilergroup(code, g);
    return g;
}

int noxgroupof(long code, int start = -1) {
    int g = start;
    noxgroup(code, g);
    return g;
}

// Fuel 0 blank as the loaded working set holds it, and a few named fuels.
struct FuelNames : ::testing::Test {
    Workset ws;
    void SetUp() override {
        ws.idfuel(0).name = "";
        ws.idfuel(1).name = "BITUMINOUS HIGH SULFUR";
        ws.idfuel(2).name = "NONE";
        ws.idfuel(3).name = "BITUMINOUS";
        ws.idfuel(4).name = "SUBBITUMINOUS";
        ws.idfuel(12).name = "NOTHING BURNED";
        ws.idfuel(13).name = "NOTHING BURNED THIS MONTH";
        ws.idfuel(20).name = "  BLANK LED";
    }
};

}  // namespace

TEST(BoilerGroup, ClassifiesEachCodeFirstMatchWinning) {
    for (long c : {1, 3, 8, 9, 12, 13, 19, 20, 23, 24, 40}) EXPECT_EQ(boilergroupof(c), 0) << c;
    for (long c : {7, 10, 11, 21}) EXPECT_EQ(boilergroupof(c), 1) << c;
    for (long c : {4, 5, 16, 17, 18}) EXPECT_EQ(boilergroupof(c), 2) << c;
    for (long c : {2, 6, 14}) EXPECT_EQ(boilergroupof(c), 3) << c;
    EXPECT_EQ(boilergroupof(22), 4);
    EXPECT_STREQ(boilergroupnames[4], "COAL GAS");
}

TEST(BoilerGroup, UnclassifiedCodeLeavesTheGroupAsItWas) {
    EXPECT_EQ(boilergroupof(15, 3), 3);
    EXPECT_EQ(boilergroupof(0, 2), 2);
    EXPECT_EQ(boilergroupof(-4, 1), 1);
}

TEST(NoxGroup, ClassifiesAndFoldsTheNonoxControlledGroups) {
    for (long c : {1, 5, 7, 9, 12, 14, 16}) EXPECT_EQ(noxgroupof(c), 0) << c;
    EXPECT_EQ(noxgroupof(19), 1);
    for (long c : {17, 23}) EXPECT_EQ(noxgroupof(c), 2) << c;
    for (long c : {3, 4, 6, 8, 10}) EXPECT_EQ(noxgroupof(c), 3) << c;
    EXPECT_EQ(noxgroupof(21), 1);  // NONOX/SCR folds into NOX/SCR
    EXPECT_EQ(noxgroupof(13), 1);
    EXPECT_EQ(noxgroupof(11), 2);  // NONOX/SNCR folds into NOX/SNCR
    for (long c : {2, 15, 18, 20, 24}) EXPECT_EQ(noxgroupof(c), 2) << c;
}

TEST(NoxGroup, UnclassifiedCodeKeepsTheGroupButStillFoldsIt) {
    EXPECT_EQ(noxgroupof(22, 5), 2);
    EXPECT_EQ(noxgroupof(22, 4), 1);
    EXPECT_EQ(noxgroupof(0, 3), 3);
    EXPECT_EQ(noxgroupof(25, 0), 0);
}

TEST_F(FuelNames, SingleFuelIsItsTrimmedName) {
    EXPECT_EQ(fuelname(ws, 3), "BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 20), "BLANK LED");  // leading blanks go too
}

TEST_F(FuelNames, NegatedCodeIsThePlainNameWithTrailingBlanksRemoved) {
    EXPECT_EQ(fuelname(ws, -4), "SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, -20), "  BLANK LED");
    EXPECT_EQ(fuelname(ws, -2), "NONE");
}

TEST_F(FuelNames, OutOfTableIsUnknown) {
    EXPECT_EQ(fuelname(ws, 10100), "unknown");
    EXPECT_EQ(fuelname(ws, -101), "unknown");
    EXPECT_EQ(fuelname(ws, -5000), "unknown");
    ws.idfuel(100).name = "LAST";
    ws.idfuel(99).name = "OTHER";
    EXPECT_EQ(fuelname(ws, 10099), "LAST   OTHER");
}

TEST_F(FuelNames, BlendNamesBothFuelsFirstFuelFirst) {
    EXPECT_EQ(fuelname(ws, 304), "BITUMINOUS   SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, 403), "SUBBITUMINOUS   BITUMINOUS");
}

TEST_F(FuelNames, BlendWithNoneIsTheOtherFuelAlone) {
    EXPECT_EQ(fuelname(ws, 204), "SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, 402), "SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, 202), "NONE");
}

TEST_F(FuelNames, NothingBurnedRules) {
    EXPECT_EQ(fuelname(ws, 312), "BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 1203), "BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 1213), "Nothing burned");
    EXPECT_EQ(fuelname(ws, 1312), "Nothing burned");
    EXPECT_EQ(fuelname(ws, 1202), "NOTHING BURNED");  // the NONE tests come first
    EXPECT_EQ(fuelname(ws, 212), "NOTHING BURNED");
}

TEST(FuelLabel, LabelsOfSinglesBlendsAndBlendsWithNone) {
    EXPECT_EQ(fuellabel(204), "Subbit");
    EXPECT_EQ(fuellabel(304), "Bit Subbit");
    EXPECT_EQ(fuellabel(4), "GAS Subbit");
    EXPECT_EQ(fuellabel(1012), "Anth Tires");
    EXPECT_EQ(fuellabel(213), "");
    EXPECT_EQ(fuellabel(1303), " Bit");
}

TEST(FuelLabel, OutsideTheLabelTable) {
    EXPECT_EQ(fuellabel(10100), "unknown");
    EXPECT_EQ(fuellabel(214), "");
    EXPECT_EQ(fuellabel(299), "");
    EXPECT_EQ(fuellabel(1403), "");
    EXPECT_EQ(fuellabel(315), "");
    EXPECT_EQ(fuellabel(-3), "");
    EXPECT_EQ(fuellabel(-204), "");
}

TEST(DefaultSpeciation, FractionsByFuelWithElementalTheRemainder) {
    double p = -1, e = -1, o = -1;
    defaultspeciation(2, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.469);
    EXPECT_DOUBLE_EQ(o, 0.334);
    EXPECT_NEAR(e, 0.197, 1e-12);
    defaultspeciation(9, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.1895);
    EXPECT_DOUBLE_EQ(o, 0.587);
    defaultspeciation(5, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.281);
    defaultspeciation(11, p, e, o);
    EXPECT_DOUBLE_EQ(o, 0.005);
    defaultspeciation(14, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.0013);
    EXPECT_NEAR(p + e + o, 1.0, 1e-12);
    defaultspeciation(8, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.618);
}

TEST(DefaultSpeciation, FuelsOneAndThreeDependOnTheBoilerType) {
    double p = 0, e = 0, o = 0;
    defaultspeciation2(3, 22, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.938);
    EXPECT_DOUBLE_EQ(o, 0.033);
    EXPECT_NEAR(e, 0.029, 1e-12);
    defaultspeciation2(1, 2, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.941);
    defaultspeciation2(1, 7, p, e, o);
    EXPECT_DOUBLE_EQ(o, 0.083);
    defaultspeciation2(3, 4, p, e, o);
    EXPECT_DOUBLE_EQ(p, 0.618);
    EXPECT_DOUBLE_EQ(o, 0.15);

    double p1 = 0, e1 = 0, o1 = 0;
    defaultspeciation2(4, 22, p, e, o);
    defaultspeciation(4, p1, e1, o1);
    EXPECT_EQ(p, p1);
    EXPECT_EQ(o, o1);
    EXPECT_EQ(e, e1);
}

TEST(BlendFraction, BaghouseFirstComponent) {
    auto total = [](int first, long fuel) {
        double t = 0.5;
        blendfraction(first, t, fuel);
        return t;
    };
    EXPECT_DOUBLE_EQ(total(2, 809), 0.00207);
    EXPECT_DOUBLE_EQ(total(2, 908), 0.00207);  // the lower part decides first
    EXPECT_DOUBLE_EQ(total(2, 903), 0.5);      // upper part 9: unchanged
    EXPECT_DOUBLE_EQ(total(2, 3), 0.344);
    EXPECT_DOUBLE_EQ(total(1, 702), 0.4545);
    EXPECT_DOUBLE_EQ(total(1, 302), 0.594);
    EXPECT_DOUBLE_EQ(total(1, 4), 0.864);
    EXPECT_DOUBLE_EQ(total(1, 5), 0.8385);
    EXPECT_DOUBLE_EQ(total(1, 7), 0.5);
    EXPECT_DOUBLE_EQ(total(8, 6), 0.8358);
    EXPECT_DOUBLE_EQ(total(8, 304), 1.0835);
    EXPECT_DOUBLE_EQ(total(8, 5), 0.672);
    EXPECT_DOUBLE_EQ(total(8, 9), 0.5);
    EXPECT_DOUBLE_EQ(total(5, 4), 0.5);
    EXPECT_DOUBLE_EQ(total(15, 809), 0.5);
}
