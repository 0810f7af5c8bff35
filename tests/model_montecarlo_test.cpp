#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "app.h"
#include "model/montecarlo.h"
#include "ui/scripted_platform.h"

namespace brasket {
namespace {

TEST(MonteCarloTally, AscendingDrawsGiveTheFifthPercentiles) {
    MonteCarloTally tally;
    for (int i = 1; i <= 2000; ++i) tally.add(i / 2000.0);
    EXPECT_DOUBLE_EQ(tally.high(), 0.95);
    EXPECT_DOUBLE_EQ(tally.low(), 0.05);
    EXPECT_NEAR(tally.mean(), 0.50025, 1e-12);
    // The final pass of the bin estimate reads the same bounds from the whole tails.
    tally.finalpass();
    EXPECT_DOUBLE_EQ(tally.high(), 1901 / 2000.0);
    EXPECT_DOUBLE_EQ(tally.low(), 0.05);
}

TEST(MonteCarloTally, DescendingAndConstantDraws) {
    // The bounds are those found by each tail's last rescan, before its replacement: in
    // descending order the high tail is rescanned once, on the 101st draw, and the low tail
    // last on the 2000th.
    MonteCarloTally down;
    for (int i = 2000; i >= 1; --i) down.add(i / 2000.0);
    EXPECT_DOUBLE_EQ(down.high(), 1901 / 2000.0);
    EXPECT_DOUBLE_EQ(down.low(), 101 / 2000.0);

    // Constant draws: no spread, both bounds at the value (0 and 1 included).
    for (double v : {0.0, 0.37, 1.0}) {
        MonteCarloTally c;
        for (int i = 0; i < 2000; ++i) c.add(v);
        EXPECT_DOUBLE_EQ(c.high(), v) << v;
        EXPECT_DOUBLE_EQ(c.low(), v) << v;
        EXPECT_GE(c.variance(), 0);
        EXPECT_NEAR(c.variance(), 0, 1e-12);
    }
}

TEST(RandomSource, UniformDrawsAreTheTop53BitsOfTheTwister) {
    ScriptedPlatform platform;
    App app(platform);
    app.rng.fix(99);
    std::mt19937_64 twin(99);
    for (int i = 0; i < 1000; ++i) {
        double u = app.rng.next();
        EXPECT_EQ(u, double(twin() >> 11) / 9007199254740992.0);
        EXPECT_GE(u, 0);
        EXPECT_LT(u, 1);
    }
    // The largest output stays below 1.
    EXPECT_LT(double(~0ull >> 11) * 0x1.0p-53, 1.0);
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
    static void expectbracketed(const Range& r) {
        EXPECT_LE(r.low, r.mean);
        EXPECT_GE(r.high, r.mean);
        EXPECT_GE(r.low, 0);
        EXPECT_LE(r.high, 1);
    }
};

TEST_F(MonteCarlo, DeviatesAreTheFortyOneTabledValuesAboutEquallyOften) {
    app.rng.fix(5);
    std::map<double, int> counts;
    for (int i = 0; i < 41000; ++i) ++counts[deviatedraw(app)];
    EXPECT_EQ(counts.size(), 41u);
    EXPECT_EQ(counts.begin()->first, -2.3);
    EXPECT_EQ(counts.rbegin()->first, 2.3);
    EXPECT_EQ(counts.count(0.0), 1u);
    EXPECT_EQ(counts.count(0.455), 1u);
    EXPECT_EQ(counts.count(-0.07), 1u);
    for (auto [value, n] : counts) {
        EXPECT_EQ(counts.count(-value), 1u) << value;  // every value has its negative
        EXPECT_GT(n, 800) << value;
        EXPECT_LT(n, 1200) << value;
    }
}

TEST_F(MonteCarlo, WithoutSpreadTheProductIsExact) {
    Range r = mc1(0.5, 0, 0.6, 0);
    EXPECT_NEAR(r.mean, 0.3, 1e-12);
    EXPECT_NEAR(r.high, 0.3, 1e-12);
    EXPECT_NEAR(r.low, 0.3, 1e-12);
    EXPECT_GE(r.variance, 0);
    EXPECT_NEAR(r.variance, 0, 1e-12);
    // A mean above 1 acts as 1: each factor is clamped before the product.
    Range above = mc1(1.7, 0, 0.6, 0);
    EXPECT_NEAR(above.mean, 0.6, 1e-12);
    EXPECT_NEAR(above.high, 0.6, 1e-12);
    // Zeros without spread stay zero.
    Range zero = mc2({0, 0, 0}, 0);
    EXPECT_EQ(zero.mean, 0);
    EXPECT_EQ(zero.high, 0);
    EXPECT_EQ(zero.low, 0);
}

TEST_F(MonteCarlo, RangesBracketTheirMeans) {
    Range a = mc1(0.6, 0.2, 0.5, 0.1);
    expectbracketed(a);
    EXPECT_NEAR(a.mean, 0.3, 0.03);
    EXPECT_GT(a.high, a.low);
    EXPECT_GT(a.variance, 0);
    Range b = mc2({0.2, 0.4, 0.6, 0.8}, 0.1);
    expectbracketed(b);
    EXPECT_NEAR(b.mean, 0.5, 0.03);
    Range c = mc3({0.5, 0.7}, {0.8, 0.9, 1.0}, 0.05);
    expectbracketed(c);
    EXPECT_NEAR(c.mean, 0.54, 0.03);
}

TEST_F(MonteCarlo, TheClockSeedsEveryEstimate) {
    Range first = mc1(0.6, 0.2, 0.5, 0.1);
    Range again = mc1(0.6, 0.2, 0.5, 0.1);
    EXPECT_EQ(first, again);
    platform.clock += std::chrono::seconds(1);
    Range later = mc1(0.6, 0.2, 0.5, 0.1);
    EXPECT_NE(first.mean, later.mean);
    EXPECT_NEAR(first.mean, later.mean, 0.02);
}

TEST_F(MonteCarlo, OneRunPerBinDrawsOnlyFromTheGivenCounts) {
    // A count below the list's length draws only from the first runs.
    std::vector<double> list{0.25, 0.9, 0.9};
    Range r;
    montecarlo2(app, 1, list, 0, r.mean, r.high, r.low);
    EXPECT_NEAR(r.mean, 0.25, 1e-12);
    EXPECT_NEAR(r.high, 0.25, 1e-12);
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
    // Rank 1 with weight 1 is always chosen.
    set(0, {{3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 0}});
    Range one = bins(c, 0, 0);
    EXPECT_NEAR(one.mean, 0.2, 1e-12);
    EXPECT_NEAR(one.low, 0.2, 1e-12);
    EXPECT_NEAR(one.high, 0.2, 1e-12);
    // Weights 0 for ranks 1 to 4 send every draw to rank 5.
    set(1, {{3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 1}});
    EXPECT_NEAR(bins(c, 1, 0).mean, 0.5, 1e-12);
    // Two ranks half and half.
    set(2, {{3, 0.5}, {6, 0.5}, {5, 0}, {4, 0}, {7, 0}});
    Range half = bins(c, 2, 0);
    EXPECT_NEAR(half.mean, 0.5, 0.03);
    EXPECT_NEAR(half.low, 0.2, 1e-12);
    EXPECT_NEAR(half.high, 0.8, 1e-12);
    // With a relative spread the range brackets the mean.
    set(3, {{3, 0.4}, {4, 0.3}, {5, 0.2}, {6, 0.05}, {7, 0.05}});
    Range spread = bins(c, 3, 0.1);
    expectbracketed(spread);
    EXPECT_NEAR(spread.mean, 0.4 * 0.2 + 0.3 * 0.4 + 0.2 * 0.6 + 0.05 * 0.8 + 0.05 * 0.5, 0.02);
}

TEST_F(MonteCarlo, ACandidateWithoutRunsGivesItsWeightToTheOthers) {
    runs(4, {0.4});
    runs(5, {0.6});
    app.model.testratiotable(8, 0) = 0;  // bin 8 has no runs
    BinCandidates c{};
    c[0][1] = {8, 0.5};
    c[0][2] = {4, 0.25};
    c[0][3] = {5, 0.25};
    c[0][4] = {90, 0};   // the no-bin code has no row
    c[0][5] = {8, 0};
    Range r = bins(c, 0, 0);
    EXPECT_NEAR(r.mean, 0.5, 0.03);
    EXPECT_NEAR(r.low, 0.4, 1e-12);
    EXPECT_NEAR(r.high, 0.6, 1e-12);
}

TEST_F(MonteCarlo, NoCandidateWithRunsUsesTheRankOneFactor) {
    app.ws.binindex(12).efactor = 0.42f;
    app.ws.binindex(13).efactor = 0.9f;
    BinCandidates c{};
    c[2][1] = {12, 0.6};
    c[2][2] = {13, 0.4};
    c[2][3] = {90, 0};
    Range r = bins(c, 2, 0);
    EXPECT_NEAR(r.mean, double(0.42f), 1e-9);
    EXPECT_NEAR(r.low, double(0.42f), 1e-9);
    EXPECT_NEAR(r.high, double(0.42f), 1e-9);
    // A rank-1 bin outside the bin table stands for no bin: factor 1.
    c[2][1] = {400, 1};
    EXPECT_NEAR(bins(c, 2, 0).mean, 1, 1e-12);
}

TEST_F(MonteCarlo, ASecondBinMultipliesTheChosenBinsFactor) {
    runs(10, {0.5});
    runs(1, {0.6});
    app.model.testratiotable(10, 21) = 1;
    BinCandidates c{};
    c[1][1] = {10, 1};
    Range r = bins(c, 1, 0);
    EXPECT_NEAR(r.mean, 0.3, 1e-12);
    EXPECT_NEAR(r.low, 0.3, 1e-12);
    EXPECT_NEAR(r.high, 0.3, 1e-12);
}

}  // namespace
}  // namespace brasket
