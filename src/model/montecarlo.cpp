#include "model/montecarlo.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <cmath>
#include <string_view>

#include "app.h"
#include "common/numtext.h"
#include "model/testratios.h"

namespace brasket {

// Each tail is kept as a heap with its bound on top: the smallest of the high tail, the
// largest of the low tail. A new value that beats the bound last found takes the bound
// afresh from the tail and replaces it when it still beats it.
void MonteCarloTally::add(double p) {
    sum_ += p;
    squares_ += p * p;
    if (highcount_ < taillength) {
        hightail_[static_cast<std::size_t>(highcount_++)] = p;
        if (highcount_ == taillength) std::make_heap(hightail_.begin(), hightail_.end(), std::greater<>());
    } else if (p > high_) {
        high_ = std::min(1.0, hightail_.front());
        if (p > high_) {
            std::pop_heap(hightail_.begin(), hightail_.end(), std::greater<>());
            hightail_.back() = p;
            std::push_heap(hightail_.begin(), hightail_.end(), std::greater<>());
        }
    }
    if (lowcount_ < taillength) {
        lowtail_[static_cast<std::size_t>(lowcount_++)] = p;
        if (lowcount_ == taillength) std::make_heap(lowtail_.begin(), lowtail_.end());
    } else if (p < low_) {
        low_ = std::max(0.0, lowtail_.front());
        if (p < low_) {
            std::pop_heap(lowtail_.begin(), lowtail_.end());
            lowtail_.back() = p;
            std::push_heap(lowtail_.begin(), lowtail_.end());
        }
    }
}

double MonteCarloTally::variance() const {
    // Draws without spread may leave a variance just below 0 from rounding: it is 0.
    return std::max(0.0, (squares_ - sum_ * sum_ / montecarlodraws) / (montecarlodraws - 1));
}

void MonteCarloTally::finalpass() {
    low_ = 0;
    for (int i = 0; i < lowcount_; ++i) low_ = std::max(low_, lowtail_[static_cast<std::size_t>(i)]);
    high_ = 1;
    for (int i = 0; i < highcount_; ++i) high_ = std::min(high_, hightail_[static_cast<std::size_t>(i)]);
}

namespace {

// The positive half of the deviate table: standard normal quantiles spaced about 0.025 apart
// in probability, five characters a value.
constexpr std::string_view deviatetext =
    "  .07  .13  .19  .26  .32  .39 .455  .53   .6  .68  .76  .84  .94 1.04 1.15 1.28 1.44 1.65 1.96  2.3 ";

std::array<double, 41> makedeviates() {
    std::array<double, 41> d{};
    for (std::size_t k = 1; k <= 20; ++k) {
        d[20 + k] = val(deviatetext.substr(5 * (k - 1), 5));
        d[20 - k] = -d[20 + k];
    }
    return d;
}

const std::array<double, 41> deviates = makedeviates();

// Every estimate starts the random source afresh from the platform's clock.
void reseedfromclock(App& app) {
    auto ticks = app.platform.now().time_since_epoch().count();
    app.rng.reseed(static_cast<std::uint64_t>(ticks));
}

double clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

// A run position 1..n drawn uniformly (1 when n is 0).
long drawrun(App& app, long n) { return static_cast<long>(std::floor(app.rng.next() * static_cast<double>(n))) + 1; }

double runvalue(std::span<const double> runs, long k) {
    return k >= 1 && static_cast<std::size_t>(k) <= runs.size() ? runs[static_cast<std::size_t>(k - 1)] : 0;
}

}  // namespace

double deviatedraw(App& app) { return deviates[static_cast<std::size_t>(app.rng.next() * 41)]; }

void montecarlo1(App& app, double meana, double sda, double meanb, double sdb, double& high, double& low,
                 double& mean, double& variance) {
    reseedfromclock(app);
    MonteCarloTally tally;
    for (long i = 0; i < montecarlodraws; ++i) {
        double za = deviatedraw(app);
        double zb = deviatedraw(app);
        tally.add(clamp01(meana + sda * za) * clamp01(meanb + sdb * zb));
    }
    high = tally.high();
    low = tally.low();
    mean = tally.mean();
    variance = tally.variance();
}

void montecarlo2(App& app, long n, std::span<const double> runs, double sd, double& mean, double& high,
                 double& low) {
    reseedfromclock(app);
    MonteCarloTally tally;
    for (long i = 0; i < montecarlodraws; ++i) {
        long k = drawrun(app, n);
        double z = deviatedraw(app);
        tally.add(clamp01(runvalue(runs, k) + sd * z));
    }
    mean = tally.mean();
    high = tally.high();
    low = tally.low();
}

void montecarlo3(App& app, long counta, std::span<const double> runsa, long countb, std::span<const double> runsb,
                 double sd, double& mean, double& high, double& low) {
    reseedfromclock(app);
    MonteCarloTally tally;
    for (long i = 0; i < montecarlodraws; ++i) {
        long ka = drawrun(app, counta);
        long kb = drawrun(app, countb);
        double za = deviatedraw(app);
        double zb = deviatedraw(app);
        tally.add(clamp01(runvalue(runsa, ka) + sd * za) * clamp01(runvalue(runsb, kb) + sd * zb));
    }
    mean = tally.mean();
    high = tally.high();
    low = tally.low();
}

namespace {

// The runs of a candidate bin: its filed runs, or none for a bin without a row.
long filedruns(const App& app, long bin) {
    if (bin < 0 || bin > lasttestratiobin) return 0;
    return std::clamp(static_cast<long>(app.model.testratiotable(bin, 0)), 0L, maxbinruns);
}

// The factor a bin stands for without runs: its factor in the bin table (1 for a bin outside
// it, as for a configuration without a bin).
double tablefactor(const App& app, long bin) {
    const auto& bi = app.ws.binindex;
    if (bin < 1 || bin > bi.hi) return 1;
    return bi(bin).efactor;
}

// One draw of a bin's factor: a random run with a relative variation r, or the bin's table
// factor with that variation when the bin has no runs.
double binfactordraw(App& app, long bin, double r) {
    long n = filedruns(app, bin);
    double e;
    if (n > 0) {
        long k = drawrun(app, n);
        e = app.model.testratiotable(bin, k);
    } else {
        e = tablefactor(app, bin);
    }
    double z = deviatedraw(app);
    return clamp01(e + e * r * z);
}

}  // namespace

void montecarlobins(App& app, long slot, const BinCandidates& candidates, double r, double& mean, double& high,
                    double& low) {
    const auto& slotrows = candidates.at(static_cast<std::size_t>(slot));
    std::array<long, 6> bin{};
    std::array<double, 6> weight{};
    bool allhaveruns = true, anyhasruns = false;
    for (std::size_t k = 1; k <= 5; ++k) {
        bin[k] = static_cast<long>(slotrows[k][0]);
        weight[k] = slotrows[k][1];
        if (filedruns(app, bin[k]) > 0) anyhasruns = true;
        else allhaveruns = false;
    }
    // A candidate without runs weighs 0 and the others share its probability.
    double shared = 0;
    if (!allhaveruns) {
        for (std::size_t k = 1; k <= 5; ++k) {
            if (filedruns(app, bin[k]) == 0) weight[k] = 0;
            shared += std::max(weight[k], 0.0);
        }
        if (shared > 0)
            for (std::size_t k = 1; k <= 5; ++k) weight[k] /= shared;
    }
    // No candidate with runs (or none with a weight): the rank-1 bin's factor stands.
    const bool rankonly = !anyhasruns || (!allhaveruns && shared <= 0);
    std::array<double, 5> cumulative{};
    for (std::size_t j = 1; j <= 4; ++j) cumulative[j] = cumulative[j - 1] + weight[j];

    reseedfromclock(app);
    MonteCarloTally tally;
    for (long i = 0; i < montecarlodraws; ++i) {
        double u = app.rng.next();
        std::size_t rank = 1;
        for (std::size_t j = 1; j <= 4; ++j)
            if (cumulative[j] < u) ++rank;
        if (rankonly) {
            rank = 1;
        } else if (!allhaveruns) {
            // Rounding of the shared probabilities may leave a sliver for a rank without runs.
            while (rank > 1 && weight[rank] <= 0) --rank;
            while (rank < 5 && weight[rank] <= 0) ++rank;
        }
        long chosen = bin[rank];
        double x = binfactordraw(app, chosen, r);
        double p = x;
        if (chosen >= 0 && chosen <= lasttestratiobin) {
            long second = static_cast<long>(app.model.testratiotable(chosen, secondbincolumn));
            if (second > 0) p = binfactordraw(app, second, r) * x;
        }
        tally.add(p);
    }
    tally.finalpass();
    mean = tally.mean();
    high = tally.high();
    low = tally.low();
}

}  // namespace brasket
