#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/binscan.h"
#include "ui/scripted_platform.h"

using namespace brasket;

namespace {

struct BinScan : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    void SetUp() override { loadbuiltinbins(app); }

    void select(double slot) { app.model.binmatches[0][0][0] = slot; }
    const std::array<double, 3>& rank(int slot, int t) {
        return app.model.binmatches[static_cast<std::size_t>(slot)][static_cast<std::size_t>(t)];
    }
    // Replaces binconfig with the given rows (bin, fuel, boiler, NOx, PM, SO2).
    void configure(const std::vector<std::array<long, 6>>& rows) {
        app.model.binconfig.clear();
        for (const auto& r : rows) {
            std::string text;
            for (long v : r) {
                std::string n = std::to_string(v);
                text += std::string(3 - n.size(), ' ') + n;
            }
            fixb(app, text);
        }
    }
};

// The evaluation's built-in assignments: bin, fuel class, boiler group, NOx group, particulate, SO2.
constexpr long expected[54][6] = {
    {0, 3, 4, 0, 16, 8},   {1, 3, 0, 0, 1, 3},   {1, 3, 0, 3, 1, 3},   {2, 17, 0, 3, 1, 3},  {3, 3, 0, 2, 1, 3},
    {4, 3, 0, 0, 4, 3},    {4, 3, 0, 3, 4, 3},   {5, 3, 0, 0, 8, 3},   {6, 3, 0, 3, 1, 9},   {7, 3, 0, 0, 2, 3},
    {7, 3, 0, 3, 2, 3},    {8, 3, 0, 0, 15, 5},  {9, 3, 0, 1, 15, 5},  {10, 3, 0, 0, 1, 1},  {11, 3, 0, 0, 4, 1},
    {11, 3, 0, 3, 4, 1},   {12, 3, 0, 0, 2, 1},  {13, 4, 0, 0, 1, 3},  {14, 4, 0, 0, 4, 3},  {14, 4, 0, 3, 4, 3},
    {15, 4, 0, 0, 2, 3},   {16, 4, 0, 0, 8, 3},  {16, 4, 0, 3, 8, 3},  {17, 14, 0, 0, 15, 10}, {17, 4, 0, 0, 15, 10},
    {18, 4, 0, 0, 15, 5},  {19, 4, 0, 0, 1, 1},  {19, 4, 0, 3, 1, 1},  {20, 4, 0, 0, 4, 1},  {20, 4, 0, 3, 4, 1},
    {21, 5, 0, 0, 1, 3},   {22, 4, 1, 0, 8, 3},  {23, 16, 1, 3, 4, 3}, {24, 5, 1, 3, 1, 3},  {25, 17, 3, 2, 2, 3},
    {27, 8, 3, 3, 2, 3},   {28, 5, 3, 3, 1, 3},  {29, 5, 3, 3, 2, 3},  {30, 11, 3, 3, 2, 3}, {31, 3, 2, 0, 15, 5},
    {33, 5, 0, 3, 5, 3},   {34, 5, 0, 0, 15, 5}, {35, 5, 0, 0, 8, 3},  {36, 5, 0, 0, 1, 1},  {36, 5, 0, 3, 1, 1},
    {37, 3, 1, 3, 6, 3},   {38, 17, 1, 3, 1, 1}, {39, 5, 1, 3, 15, 5}, {40, 4, 3, 3, 2, 3},  {41, 14, 0, 3, 1, 3},
    {41, 14, 0, 0, 1, 3},  {42, 14, 0, 0, 4, 3}, {43, 17, 0, 0, 2, 3}, {44, 15, 0, 0, 2, 3},
};

TEST_F(BinScan, BuiltInRowsLoadInTheirOrderEachTimeTheTableIsLoaded) {
    loadbuiltinbins(app);  // a second load starts again from an empty table
    const auto& c = app.model.binconfig;
    ASSERT_EQ(c(0, 0), 54);
    std::set<std::array<long, 5>> configurations;
    std::set<long> bins;
    for (long r = 1; r <= 54; ++r) {
        for (long k = 0; k < 6; ++k) EXPECT_EQ(c(r, k), expected[r - 1][k]) << "row " << r << " column " << k;
        configurations.insert({c(r, 1), c(r, 2), c(r, 3), c(r, 4), c(r, 5)});
        bins.insert(c(r, 0));
    }
    EXPECT_EQ(configurations.size(), 54u);
    EXPECT_EQ(bins.size(), 43u);
    EXPECT_FALSE(bins.count(26));
    EXPECT_FALSE(bins.count(32));
    for (long r = 55; r <= 70; ++r) EXPECT_EQ(c(r, 0), 0);
    for (int i = 0; i < 20; ++i) fixb(app, " 12  3  0  3 15  5");
    EXPECT_EQ(c(0, 0), binconfigcapacity);  // rows past the capacity are not stored
    EXPECT_EQ(c(70, 4), 15);
}

TEST_F(BinScan, FlueGasDesulfurisedBituminousRanksTheFiveNearestRows) {
    select(2);
    // Particulate code 2 with a spray dryer counts as no particulate control: row 12, bin 8.
    EXPECT_EQ(scanbins(app, 3, 0, 0, 5, 2), 8);
    const long bins[] = {8, 7, 9, 7, 18};
    const char* scores[] = {" 1", " .63", " .6", " .567", " .5"};
    const long rows[] = {12, 10, 13, 11, 26};
    for (int t = 1; t <= 5; ++t) {
        EXPECT_EQ(rank(2, t)[0], bins[t - 1]) << "rank " << t;
        EXPECT_EQ(str(static_cast<float>(rank(2, t)[1])), scores[t - 1]) << "rank " << t;
        EXPECT_EQ(rank(2, t)[2], rows[t - 1]) << "rank " << t;
    }
    EXPECT_EQ(rank(1, 1)[0], 0);  // other slots untouched
}

TEST_F(BinScan, NormalisationFoldsCodesOntoTheTable) {
    select(1);
    // SO2 1 with no particulate code: PM 15 first, then a scrubber with PM 8 and SO2 3.
    EXPECT_EQ(scanbins(app, 3, 0, 0, 1, 0), 5);
    EXPECT_EQ(str(static_cast<float>(rank(1, 1)[1])), " 1");
    // Subbituminous-like fuel classes 1, 6, 10 and 12 count as class 3.
    for (long fuel : {1, 6, 10, 12}) EXPECT_EQ(scanbins(app, fuel, 0, 0, 1, 0), 5) << fuel;
    // Wet scrubber behind a cold-side ESP with SCR: NOX/SCR is not in the table, bin 10 at 0.6.
    EXPECT_EQ(scanbins(app, 3, 0, 1, 1, 1), 10);
    EXPECT_EQ(str(static_cast<float>(rank(1, 1)[1])), " .6");
}

TEST_F(BinScan, NoControlIsBinZeroWithoutTouchingTheRanks) {
    select(3);
    app.model.binmatches[3][1] = {33, 0.25, 7};
    for (long so2 : {0, 2, 3, 4, 7})
        for (long pm : {0, 15, 16}) EXPECT_EQ(scanbins(app, 4, 1, 3, so2, pm), 0) << so2 << " " << pm;
    EXPECT_EQ(rank(3, 1)[0], 33);
    EXPECT_EQ(rank(3, 1)[1], 0.25);
}

TEST_F(BinScan, SmallTables) {
    configure({{50, 3, 0, 0, 1, 3}, {51, 3, 0, 0, 1, 3}});
    select(4);
    EXPECT_EQ(scanbins(app, 3, 0, 0, 3, 1), 50);
    EXPECT_EQ(rank(4, 1)[2], 1);
    EXPECT_EQ(rank(4, 2)[0], 51);
    for (int t = 3; t <= 5; ++t) {
        EXPECT_EQ(rank(4, t)[0], 50);
        EXPECT_EQ(rank(4, t)[1], 0);
        EXPECT_EQ(rank(4, t)[2], 1);
    }
    // One row, or none, ends the scan before the ranks.
    select(1);
    configure({{61, 5, 3, 3, 2, 3}});
    EXPECT_EQ(scanbins(app, 3, 0, 0, 1, 1), 61);
    configure({});
    EXPECT_EQ(scanbins(app, 3, 0, 0, 1, 1), 0);
    EXPECT_EQ(rank(1, 1)[0], 0);
}

TEST_F(BinScan, ASlotSelectorOutsideTheFourSlotsRecordsNothing) {
    for (double s : {5.0, -1.0, 2.5, 1e9}) {
        select(s);
        EXPECT_EQ(scanbins(app, 3, 0, 0, 5, 2), 8) << s;
    }
    for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(rank(slot, 1)[0], 0) << slot;
    select(0);  // slot 0 shares its rank 0 with the selector, which is never written
    EXPECT_EQ(scanbins(app, 3, 0, 0, 5, 2), 8);
    EXPECT_EQ(rank(0, 1)[0], 8);
    EXPECT_EQ(rank(0, 0)[0], 0);
}

TEST_F(BinScan, RowsPastTheScannedRangeTakeNoPart) {
    // 55 rows far from the input, then an exact match at row 56.
    std::vector<std::array<long, 6>> rows(55, {70, 11, 3, 3, 2, 3});
    rows.push_back({71, 4, 0, 0, 1, 1});
    configure(rows);
    ASSERT_EQ(app.model.binconfig(0, 0), 56);
    select(1);
    EXPECT_EQ(scanbins(app, 4, 0, 0, 1, 1), 70);
    for (int t = 1; t <= 5; ++t) EXPECT_LE(rank(1, t)[2], binscanrows);
}

TEST(BinCodes, CoarseControlCodesAndTestFuelClasses) {
    const std::tuple<long, long, long, long> cases[] = {{6, 16, 1, 15}, {9, 4, 9, 4}, {4, 0, 3, 15}, {0, 3, 3, 2},
                                                        {7, 7, 2, 1},   {8, 12, 3, 1}, {5, 13, 5, 2}, {1, 10, 1, 8}};
    for (auto [so2, pm, cso2, cpm] : cases) {
        long a = -1, b = -1;
        collapse(so2, pm, a, b);
        EXPECT_EQ(std::make_pair(a, b), std::make_pair(cso2, cpm)) << so2 << "," << pm;
    }
    const long to[19] = {0, 3, 2, 3, 4, 5, 3, 3, 8, 8, 3, 8, 3, 13, 14, 15, 16, 17, 18};
    for (long f = 0; f <= 18; ++f) EXPECT_EQ(fuelto(f), to[f]) << f;
}

struct ManualScan : BinScan {
    void row(long r, int fuel, int boiler, int pm, int so2, int bin) {
        binindexrec& x = app.ws.binindex(r);
        x.unitfuel = i16(fuel), x.unitboiler = u8(boiler), x.unitpm = u8(pm), x.unitso2 = u8(so2), x.unitcode = u8(bin);
    }
};

TEST_F(ManualScan, FirstMatchingRowGivesTheBinWithEachRowsGroupsFromZero) {
    row(1, 203, 3, 1, 3, 11);   // CONV/PC, NONOX
    row(2, 203, 8, 1, 3, 12);   // CONV/PC, NONOX again: the first one wins
    row(3, 203, 19, 4, 1, 13);  // CONV/PC, NOX/SCR
    EXPECT_EQ(manualscan(app, 203, 0, 3, 1, 3), 11);
    EXPECT_EQ(manualscan(app, 203, 0, 1, 4, 1), 13);
    EXPECT_EQ(manualscan(app, 203, 0, 1, 1, 4), 90);  // particulate before SO2
    EXPECT_EQ(manualscan(app, 204, 0, 3, 1, 3), 90);
    EXPECT_EQ(manualscan(app, 203, 1, 3, 1, 3), 90);
    // A row with NOX/SCR before a coal gas row: the coal gas type has no NOx group of its own
    // and no boiler group is inherited either, so it matches (COAL GAS, NOX).
    row(1, 213, 19, 16, 8, 5);
    row(2, 213, 22, 16, 8, 22);
    EXPECT_EQ(manualscan(app, 213, 4, 0, 16, 8), 22);
    EXPECT_EQ(manualscan(app, 213, 4, 1, 16, 8), 90);
    // Type 15 has a NOx group (NOX/SNCR) but no boiler group: it counts as CONV/PC even after
    // a cyclone row.
    row(3, 205, 7, 1, 3, 30);
    row(4, 205, 15, 1, 3, 31);
    EXPECT_EQ(manualscan(app, 205, 0, 2, 1, 3), 31);
}

}  // namespace
