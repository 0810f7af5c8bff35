#include <gtest/gtest.h>

#include "data/workset.h"
#include "model/codes.h"

using namespace brasket;

TEST(CodeClasses, BoilerGroupsFirstMatchWinningAndUnclassifiedLeftAlone) {
    const std::pair<long, int> cases[] = {{1, 0},  {20, 0}, {23, 0}, {24, 0}, {40, 0}, {7, 1}, {21, 1}, {4, 2},
                                          {18, 2}, {2, 3},  {14, 3}, {22, 4}, {15, 9}, {0, 9}, {-4, 9}};
    for (auto [code, group] : cases) {
        int g = 9;
        boilergroup(code, g);
        EXPECT_EQ(g, group) << code;
    }
}

TEST(CodeClasses, NoxGroupsFoldNonoxControlledIntoControlled) {
    // {code, group held before, group after}
    const std::array<int, 3> cases[] = {{1, 9, 0},  {16, 9, 0}, {19, 9, 1}, {17, 9, 2}, {23, 9, 2}, {3, 9, 3},
                                        {10, 9, 3}, {21, 9, 1}, {13, 9, 1}, {11, 9, 2}, {24, 9, 2}, {22, 5, 2},
                                        {22, 4, 1}, {0, 3, 3},  {25, 0, 0}};
    for (auto [code, before, after] : cases) {
        int g = before;
        noxgroup(code, g);
        EXPECT_EQ(g, after) << code;
    }
}

namespace {

struct FuelNames : ::testing::Test {
    Workset ws;
    void SetUp() override {
        ws.idfuel(0).name = "";  // as the loaded working set holds it
        ws.idfuel(2).name = "NONE";
        ws.idfuel(3).name = "BITUMINOUS";
        ws.idfuel(4).name = "SUBBITUMINOUS";
        ws.idfuel(12).name = "NOTHING BURNED";
        ws.idfuel(13).name = "NOTHING BURNED THIS MONTH";
        ws.idfuel(20).name = "  LEADING";
    }
};

}  // namespace

TEST_F(FuelNames, SingleNegatedAndOutOfTable) {
    EXPECT_EQ(fuelname(ws, 3), "BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 20), "LEADING");
    EXPECT_EQ(fuelname(ws, -4), "SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, -20), "  LEADING");
    EXPECT_EQ(fuelname(ws, 10100), "unknown");
    EXPECT_EQ(fuelname(ws, -101), "unknown");
}

TEST(FuelName, FuelZerosNeverAssignedNameStaysInFrontOfASingleFuel) {
    Workset ws;
    ws.idfuel(3).name = "BITUMINOUS";
    EXPECT_EQ(fuelname(ws, 3), std::string(35, '\0') + "   BITUMINOUS");
    EXPECT_EQ(fuelname(ws, -3), "BITUMINOUS");
}

TEST_F(FuelNames, BlendsWithNoneAndNothingBurned) {
    EXPECT_EQ(fuelname(ws, 304), "BITUMINOUS   SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, 403), "SUBBITUMINOUS   BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 204), "SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, 402), "SUBBITUMINOUS");
    EXPECT_EQ(fuelname(ws, 312), "BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 1203), "BITUMINOUS");
    EXPECT_EQ(fuelname(ws, 1213), "Nothing burned");
    EXPECT_EQ(fuelname(ws, 1202), "NOTHING BURNED");  // the NONE tests come first
}

TEST(CodeClasses, FuelLabelsAndNumbersOutsideTheLabelTable) {
    const std::pair<long, const char*> cases[] = {
        {204, "Subbit"}, {304, "Bit Subbit"}, {4, "GAS Subbit"}, {1012, "Anth Tires"}, {1303, " Bit"}, {213, ""},
        {10100, "unknown"}, {214, ""}, {299, ""}, {1403, ""}, {315, ""}, {-3, ""}, {-204, ""}};
    for (auto [fuel, label] : cases) EXPECT_EQ(fuellabel(fuel), label) << fuel;
}

TEST(CodeClasses, DefaultSpeciationInParticulateElementalOxidizedOrder) {
    // {fuel, boiler, p, o}; boiler 0 asks defaultspeciation
    const std::array<double, 4> cases[] = {{2, 0, 0.469, 0.334},   {13, 0, 0.469, 0.334}, {8, 0, 0.618, 0.15},
                                           {9, 0, 0.1895, 0.587},  {5, 0, 0.281, 0.566},  {11, 0, 0.992, 0.005},
                                           {14, 0, 0.0013, 0.927}, {3, 22, 0.938, 0.033}, {1, 2, 0.941, 0.028},
                                           {1, 7, 0.672, 0.083},   {3, 4, 0.618, 0.15},   {4, 22, 0.1895, 0.587}};
    for (auto [fuel, boiler, p, o] : cases) {
        double part = 0, elem = 0, ox = 0;
        if (boiler == 0)
            defaultspeciation(static_cast<long>(fuel), part, elem, ox);
        else
            defaultspeciation2(static_cast<long>(fuel), static_cast<long>(boiler), part, elem, ox);
        EXPECT_DOUBLE_EQ(part, p) << fuel;
        EXPECT_DOUBLE_EQ(ox, o) << fuel;
        EXPECT_DOUBLE_EQ(elem, 1 - p - o) << fuel;
    }
}

TEST(CodeClasses, BlendFractionByFirstComponentAndFuel) {
    // {first component, fuel, total after; 0.5 is the total before}
    const std::tuple<long, long, double> cases[] = {
        {2, 809, 0.00207}, {2, 908, 0.00207}, {2, 903, 0.5},   {2, 3, 0.344},    {1, 702, 0.4545},
        {1, 302, 0.594},   {1, 4, 0.864},     {1, 5, 0.8385},  {1, 7, 0.5},      {8, 6, 0.8358},
        {8, 304, 1.0835},  {8, 5, 0.672},     {8, 9, 0.5},     {5, 4, 0.5},      {15, 809, 0.5}};
    for (auto [first, fuel, after] : cases) {
        double total = 0.5;
        blendfraction(first, total, fuel);
        EXPECT_DOUBLE_EQ(total, after) << first << " " << fuel;
    }
}
