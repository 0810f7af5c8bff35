#include <gtest/gtest.h>

#include <cmath>

#include "app.h"
#include "model/statistics.h"
#include "ui/scripted_platform.h"

namespace brasket {
namespace {

TEST(StudentT, TableByWholeDegreesOfFreedomAndTheFallBack) {
    const std::pair<double, double> cases[] = {{1, 6.314}, {2, 2.92},  {8, 1.86},  {17, 1.74},   {21, 1.721},
                                               {22, 1.711}, {0, 1.711}, {-3, 1.711}, {2.5, 1.711}, {1000, 1.711}};
    for (auto [df, t] : cases) EXPECT_EQ(tvalue90(df), t) << df;
}

TEST(LognormalProduct, CombinesTwoFactorsAndSkipsAFactorWithoutMean) {
    double count = -1, mean = -1, variance = -1;
    lognormalstats(3, 0.4, 0.01, 2, 0.6, 0.02, count, mean, variance);
    EXPECT_EQ(count, 5);
    EXPECT_NEAR(mean, 0.235184, 5e-7);
    EXPECT_NEAR(variance, 0.080185, 5e-7);
    for (auto [ma, mb] : {std::pair{0.0, 0.6}, {0.4, 0.0}, {-0.4, 0.6}}) {
        lognormalstats(1, ma, 0.01, 1, mb, 0.02, count, mean, variance);
        EXPECT_EQ(count, 5);  // left as they were
        EXPECT_NEAR(mean, 0.235184, 5e-7);
    }
}

struct ConfidenceRange : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};
    void runs(long bin, std::initializer_list<double> values) {
        long k = 0;
        for (double v : values) app.model.testratiotable(bin, ++k) = v;
        app.model.testratiotable(bin, 0) = double(k);
    }
    struct Result {
        double mean = -1, variance = -1, count = -1, geomean = -1, high = -1, low = -1;
    };
    Result range(long a, long b) {
        Result r;
        confidencerange(app, a, b, r.mean, r.variance, r.count, r.geomean, r.high, r.low);
        return r;
    }
};

TEST_F(ConfidenceRange, OnlyTheSecondBinsSpreadWidensTheRange) {
    runs(3, {0.5, 0.8});
    runs(4, {0.9, 0.9, 0.9});
    Result r = range(3, 4);
    const double m = (std::log(0.5) + std::log(0.8)) / 2 + std::log(0.9);
    const double va = std::pow(std::log(0.5) - std::log(0.8), 2) / 2;
    EXPECT_EQ(r.count, 5);
    EXPECT_NEAR(r.geomean, std::exp(m), 1e-12);
    EXPECT_NEAR(r.high, r.geomean, 1e-12);
    EXPECT_NEAR(r.low, r.geomean, 1e-12);
    EXPECT_NEAR(r.mean, std::exp(m + va / 2 / 2), 1e-12);
    EXPECT_NEAR(r.variance, (std::exp(va / 2) - 1) * m * m, 1e-12);

    runs(4, {0.4, 0.6, 0.9});
    r = range(3, 4);
    const double lb[] = {std::log(0.4), std::log(0.6), std::log(0.9)};
    const double mb = (lb[0] + lb[1] + lb[2]) / 3;
    double vb = 0;
    for (double l : lb) vb += (l - mb) * (l - mb) / 2;
    const double h = tvalue90(5) * std::sqrt(vb) * std::sqrt(6.0 / 5);
    EXPECT_NEAR(std::log(r.high) - std::log(r.geomean), h, 1e-12);
    EXPECT_NEAR(std::log(r.geomean) - std::log(r.low), h, 1e-12);

    // Factors far above 1: the upper log limit stops at 1, so high is e.
    runs(5, {20, 30});
    runs(6, {2, 9, 40});
    Result big = range(5, 6);
    EXPECT_DOUBLE_EQ(big.high, std::exp(1.0));
    EXPECT_GT(big.geomean, big.high);
}

TEST_F(ConfidenceRange, BinsWithoutRunsOrWithOneRun) {
    runs(3, {0.5});
    for (auto [a, b] : {std::pair{3L, 7L}, {90L, 3L}}) {  // no runs; no row
        Result r = range(a, b);
        EXPECT_EQ(r.mean, 0);
        EXPECT_EQ(r.count, 0);
        EXPECT_EQ(r.variance, -1);
        EXPECT_EQ(r.geomean, -1);
        EXPECT_EQ(r.high, -1);
    }
    // A single run has no spread.
    runs(4, {0.7});
    Result r = range(3, 4);
    EXPECT_EQ(r.count, 2);
    EXPECT_NEAR(r.high, 0.35, 1e-12);
    EXPECT_NEAR(r.low, 0.35, 1e-12);
    EXPECT_EQ(r.variance, 0);
    EXPECT_FALSE(std::isnan(r.mean));
}

}  // namespace
}  // namespace brasket
