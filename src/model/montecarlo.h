// Monte Carlo estimates of emission modification factors: each draws 2000 values, each factor
// clamped to [0, 1], and returns their mean and 90% range (the 100th highest and lowest draw,
// tracked in two bounded tail lists). The random source is reseeded from the platform's clock
// at the start of every estimate.
#pragma once
#include <array>
#include <span>

namespace brasket {

struct App;

inline constexpr long montecarlodraws = 2000;

// The running tally of one estimate: sum, sum of squares and the two tails of 100 values
// (5% of the draws each, hence the 90% range). A tail is looked at again only when a value
// beats its bound, which grows rare as the draws go on.
class MonteCarloTally {
public:
    static constexpr int taillength = 100;
    void add(double p);
    double mean() const { return sum_ / montecarlodraws; }
    double variance() const;
    // The bounds left by the last rescan of each tail (high starts at 0, low at 1).
    double high() const { return high_; }
    double low() const { return low_; }
    // Bounds taken afresh from the whole tails: the smallest high entry, the largest low entry.
    void finalpass();

private:
    double sum_ = 0, squares_ = 0, high_ = 0, low_ = 1;
    std::array<double, taillength> hightail_{}, lowtail_{};
    int highcount_ = 0, lowcount_ = 0;
};

// A standard normal deviate: one of 41 tabled values (-2.3 .. 2.3), each with probability 1/41.
double deviatedraw(App& app);

// The product of two normally distributed factors (mean and standard deviation each).
void montecarlo1(App& app, double meana, double sda, double meanb, double sdb, double& high, double& low,
                 double& mean, double& variance);

// A run chosen at random from the first n of `runs` (runs[0] is run 1; a run beyond the list
// reads as 0) plus a normal variation of standard deviation sd.
void montecarlo2(App& app, long n, std::span<const double> runs, double sd, double& mean, double& high,
                 double& low);

// The product of a random run of each of two bins, each with a normal variation of sd.
void montecarlo3(App& app, long counta, std::span<const double> runsa, long countb, std::span<const double> runsb,
                 double sd, double& mean, double& high, double& low);

// Candidate bins of the fuel slots: (slot 0..3, rank 0..5, field): field 0 the bin number,
// field 1 its probability; ranks 1..5 are used.
using BinCandidates = std::array<std::array<std::array<double, 2>, 6>, 4>;

// A factor drawn over the candidate bins of one fuel slot: a candidate chosen by its
// probability, one of its runs in testratiotable with a relative variation r, times a run of
// the bin's second bin (column 21) where it names one. A candidate without runs weighs 0 and
// the others share its probability; when no candidate has runs, the rank-1 bin's factor
// stands for its runs.
void montecarlobins(App& app, long slot, const BinCandidates& candidates, double r, double& mean, double& high,
                    double& low);

}  // namespace brasket
