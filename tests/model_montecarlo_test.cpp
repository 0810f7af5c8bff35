#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <vector>

#include "app.h"
#include "model/montecarlo.h"
#include "ui/scripted_platform.h"

namespace brasket {
namespace {

TEST(MonteCarloTally, TailBoundsAreThoseOfTheLastRescan) {
    MonteCarloTally up;
    for (int i = 1; i <= 2000; ++i) up.add(i / 2000.0);
    EXPECT_DOUBLE_EQ(up.high(), 0.95);
    EXPECT_DOUBLE_EQ(up.low(), 0.05);
    EXPECT_NEAR(up.mean(), 0.50025, 1e-12);
    // The final pass of the bin estimate reads the bounds from the whole tails.
    up.finalpass();
    EXPECT_DOUBLE_EQ(up.high(), 1901 / 2000.0);

    // Descending: the high tail is rescanned once, on the 101st draw; the low tail last on
    // the 2000th, before its replacement.
    MonteCarloTally down;
    for (int i = 2000; i >= 1; --i) down.add(i / 2000.0);
    EXPECT_DOUBLE_EQ(down.high(), 1901 / 2000.0);
    EXPECT_DOUBLE_EQ(down.low(), 101 / 2000.0);

    // Constant draws, 0 and 1 included: both bounds at the value, no variance below 0.
    for (double v : {0.0, 0.37, 1.0}) {
        MonteCarloTally c;
        for (int i = 0; i < 2000; ++i) c.add(v);
        EXPECT_DOUBLE_EQ(c.high(), v) << v;
        EXPECT_DOUBLE_EQ(c.low(), v) << v;
        EXPECT_GE(c.variance(), 0) << v;
    }
}

struct MonteCarlo : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    void SetUp() override { platform.clock = std::chrono::system_clock::time_point{} + std::chrono::seconds(931944615); }
    void runs(long bin, std::initializer_list<double> values) {
        long k = 0;
        for (double v : values) app.model.testratiotable(bin, ++k) = v;
        app.model.testratiotable(bin, 0) = double(k);
    }
    struct Range {
        double mean = -1, high = -1, low = -1, variance = -1;
        bool operator==(const Range&) const = default;
    };
    Range mc1(double ma, double sa, double mb, double sb) {
        Range r;
        montecarlo1(app, ma, sa, mb, sb, r.high, r.low, r.mean, r.variance);
        return r;
    }
    Range mc2(const std::vector<double>& list, double sd) {
        Range r;
        montecarlo2(app, long(list.size()), list, sd, r.mean, r.high, r.low);
        return r;
    }
    Range mc3(const std::vector<double>& a, const std::vector<double>& b, double sd) {
        Range r;
        montecarlo3(app, long(a.size()), a, long(b.size()), b, sd, r.mean, r.high, r.low);
        return r;
    }
    Range bins(const BinCandidates& c, long slot, double rel) {
        Range r;
        montecarlobins(app, slot, c, rel, r.mean, r.high, r.low);
        return r;
    }
    static void expectpoint(const Range& r, double value) {
        EXPECT_NEAR(r.mean, value, 1e-9);
        EXPECT_NEAR(r.high, value, 1e-9);
        EXPECT_NEAR(r.low, value, 1e-9);
    }
    static void expectbracketed(const Range& r) {
        EXPECT_LE(r.low, r.mean);
        EXPECT_GE(r.high, r.mean);
        EXPECT_GT(r.high, r.low);
        EXPECT_GE(r.low, 0);
        EXPECT_LE(r.high, 1);
    }
};

TEST_F(MonteCarlo, UniformDrawsAndDeviates) {
    // A uniform draw is the top 53 bits of the 64-bit twister, never 1.
    app.rng.fix(5);
    std::mt19937_64 twin(5);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(app.rng.next(), double(twin() >> 11) * 0x1.0p-53);
    EXPECT_LT(double(~0ull >> 11) * 0x1.0p-53, 1.0);
    // Deviates: the 41 tabled values from -2.3 to 2.3, each with its negative, about equally often.
    std::map<double, int> counts;
    for (int i = 0; i < 41000; ++i) ++counts[deviatedraw(app)];
    ASSERT_EQ(counts.size(), 41u);
    EXPECT_EQ(counts.begin()->first, -2.3);
    EXPECT_EQ(counts.rbegin()->first, 2.3);
    for (double v : {0.0, 0.455, -0.07, 1.96}) EXPECT_EQ(counts.count(v), 1u) << v;
    for (auto [value, n] : counts) {
        EXPECT_EQ(counts.count(-value), 1u) << value;
        EXPECT_TRUE(n > 800 && n < 1200) << value;
    }
}

TEST_F(MonteCarlo, DrawsAreClampedAndWithoutSpreadExact) {
    Range r = mc1(0.5, 0, 0.6, 0);
    expectpoint(r, 0.3);
    EXPECT_GE(r.variance, 0);
    EXPECT_NEAR(r.variance, 0, 1e-12);
    expectpoint(mc1(1.7, 0, 0.6, 0), 0.6);  // a mean above 1 acts as 1
    expectpoint(mc2({0, 0, 0}, 0), 0);
    // A count below the list's length draws only from the first runs.
    Range first;
    montecarlo2(app, 1, std::vector<double>{0.25, 0.9, 0.9}, 0, first.mean, first.high, first.low);
    expectpoint(first, 0.25);
}

TEST_F(MonteCarlo, RangesBracketTheirMeansAndTheClockSeedsEveryEstimate) {
    Range a = mc1(0.6, 0.2, 0.5, 0.1);
    expectbracketed(a);
    EXPECT_NEAR(a.mean, 0.3, 0.03);
    EXPECT_GT(a.variance, 0);
    Range b = mc2({0.2, 0.4, 0.6, 0.8}, 0.1);
    expectbracketed(b);
    EXPECT_NEAR(b.mean, 0.5, 0.03);
    Range c = mc3({0.5, 0.7}, {0.8, 0.9, 1.0}, 0.05);
    expectbracketed(c);
    EXPECT_NEAR(c.mean, 0.54, 0.03);

    // The same clock gives the same draws; another moment slightly different ones.
    EXPECT_EQ(mc1(0.6, 0.2, 0.5, 0.1), a);
    platform.clock += std::chrono::seconds(1);
    Range later = mc1(0.6, 0.2, 0.5, 0.1);
    EXPECT_NE(later.mean, a.mean);
    EXPECT_NEAR(later.mean, a.mean, 0.02);
}

TEST_F(MonteCarlo, BinCandidatesAreChosenByTheirWeights) {
    runs(3, {0.2});
    runs(4, {0.4});
    runs(5, {0.6});
    runs(6, {0.8});
    runs(7, {0.5});
    BinCandidates c{};
    auto set = [&](long slot, std::initializer_list<std::pair<double, double>> ranks) {
        std::size_t k = 0;
        for (auto [bin, weight] : ranks) c[std::size_t(slot)][++k] = {bin, weight};
    };
    set(0, {{3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 0}});  // rank 1 with weight 1 always
    expectpoint(bins(c, 0, 0), 0.2);
    set(1, {{3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 1}});  // ranks 1..4 at 0: rank 5
    expectpoint(bins(c, 1, 0), 0.5);
    set(2, {{3, 0.5}, {6, 0.5}, {5, 0}, {4, 0}, {7, 0}});
    Range half = bins(c, 2, 0);
    EXPECT_NEAR(half.mean, 0.5, 0.03);
    EXPECT_NEAR(half.low, 0.2, 1e-12);
    EXPECT_NEAR(half.high, 0.8, 1e-12);
    set(3, {{3, 0.4}, {4, 0.3}, {5, 0.2}, {6, 0.05}, {7, 0.05}});
    Range spread = bins(c, 3, 0.1);
    expectbracketed(spread);
    EXPECT_NEAR(spread.mean, 0.4 * 0.2 + 0.3 * 0.4 + 0.2 * 0.6 + 0.05 * 0.8 + 0.05 * 0.5, 0.02);
}

TEST_F(MonteCarlo, CandidatesWithoutRunsAndSecondBins) {
    // A candidate without runs (bin 8, the no-bin code 90) gives its weight to the others.
    runs(4, {0.4});
    runs(5, {0.6});
    app.model.testratiotable(8, 0) = 0;
    BinCandidates c{};
    c[0][1] = {8, 0.5};
    c[0][2] = {4, 0.25};
    c[0][3] = {5, 0.25};
    c[0][4] = {90, 0};
    c[0][5] = {8, 0};
    Range shared = bins(c, 0, 0);
    EXPECT_NEAR(shared.mean, 0.5, 0.03);
    EXPECT_NEAR(shared.low, 0.4, 1e-12);
    EXPECT_NEAR(shared.high, 0.6, 1e-12);

    // No candidate with runs: the rank-1 bin's factor, not an emission of 0; factor 1 for a
    // rank-1 bin beyond the bin table.
    app.ws.binindex(12).efactor = 0.42f;
    app.ws.binindex(13).efactor = 0.9f;
    c[2][1] = {12, 0.6};
    c[2][2] = {13, 0.4};
    c[2][3] = {90, 0};
    expectpoint(bins(c, 2, 0), double(0.42f));
    c[2][1] = {400, 1};
    expectpoint(bins(c, 2, 0), 1);

    // A second bin named in column 21 multiplies the chosen bin's factor.
    runs(10, {0.5});
    runs(1, {0.6});
    app.model.testratiotable(10, 21) = 1;
    c[1][1] = {10, 1};
    expectpoint(bins(c, 1, 0), 0.3);
}

}  // namespace
}  // namespace brasket
