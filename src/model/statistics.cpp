#include "model/statistics.h"

#include <array>
#include <cmath>

#include "app.h"
#include "model/testratios.h"

namespace brasket {

double tvalue90(double degrees) {
    static constexpr std::array<double, 22> t{0,     6.314, 2.92,  2.353, 2.132, 2.015, 1.943, 1.895,
                                              1.86,  1.833, 1.812, 1.796, 1.782, 1.771, 1.761, 1.753,
                                              1.746, 1.74,  1.734, 1.729, 1.725, 1.721};
    if (degrees >= 1 && degrees <= 21 && degrees == std::floor(degrees)) return t[static_cast<std::size_t>(degrees)];
    return 1.711;
}

namespace {

// Log mean and log variance of a factor of arithmetic mean m and variance v, by a damped
// fixed-point iteration of 30 steps from a log variance of 0.01.
void logparameters(double m, double v, double& mu, double& s2) {
    s2 = 0.01;
    mu = 0;
    for (int k = 0; k < 30; ++k) {
        mu = std::log(m) - s2 / 2;
        s2 = 0.5 * std::log(1 + v / (mu * mu)) + 0.5 * s2;
    }
}

// Count, mean and sample variance of the logs of a bin's runs; a single run has no spread,
// and a variance below 0 from rounding counts as 0.
struct LogRuns {
    double n = 0, mean = 0, variance = 0;
};

LogRuns logruns(const App& app, long bin) {
    LogRuns r;
    if (bin < 0 || bin > lasttestratiobin) return r;
    const auto& table = app.model.testratiotable;
    long n = static_cast<long>(table(bin, 0));
    if (n <= 0) return r;
    if (n > maxbinruns) n = maxbinruns;
    double sum = 0, squares = 0;
    for (long k = 1; k <= n; ++k) {
        double l = std::log(table(bin, k));
        sum += l;
        squares += l * l;
    }
    r.n = static_cast<double>(n);
    r.mean = sum / r.n;
    if (n > 1) r.variance = std::max(0.0, (squares - sum * sum / r.n) / (r.n - 1));
    return r;
}

}  // namespace

void lognormalstats(double counta, double meana, double variancea, double countb, double meanb, double varianceb,
                    double& count, double& mean, double& variance) {
    // A factor without a positive mean has no log parameters.
    if (meana <= 0 || meanb <= 0) return;
    double mua, s2a, mub, s2b;
    logparameters(meana, variancea, mua, s2a);
    logparameters(meanb, varianceb, mub, s2b);
    double m = mua + mub;
    double s2 = s2a / counta + s2b / countb;
    count = counta + countb;
    mean = std::exp(m + s2 / 2);
    variance = (std::exp(s2) - 1) * m * m;
}

void confidencerange(App& app, long bina, long binb, double& lognormalmean, double& variance, double& count,
                     double& geometricmean, double& high, double& low) {
    lognormalmean = 0;
    count = 0;
    LogRuns a = logruns(app, bina), b = logruns(app, binb);
    if (a.n == 0 || b.n == 0) return;
    double m = a.mean + b.mean;
    double s2 = a.variance / a.n + b.variance / b.n;
    lognormalmean = std::exp(m + s2 / 2);
    variance = (std::exp(s2) - 1) * m * m;
    count = a.n + b.n;
    double t = tvalue90(count);
    // Only bin b's spread enters the range.
    double h = t * std::sqrt(b.variance) * std::sqrt((count + 1) / count);
    double upper = std::min(m + h, 1.0);
    geometricmean = std::exp(m);
    high = std::exp(upper);
    low = std::exp(m - h);
}

}  // namespace brasket
