// Confidence statistics of emission modification factors: Student t values for a 90% range,
// the lognormal parameters of the product of two factors, and the lognormal confidence range
// of the product of two bins' factors.
#pragma once

namespace brasket {

struct App;

// The one-sided 0.95 quantile of Student's t for whole degrees of freedom 1..21; 1.711 for
// any other value (0, negative, fractional, 22 and above).
double tvalue90(double degrees);

// Count, mean and variance of the product of two factors, each given by its count, mean and
// variance. Leaves every output as it was when either mean is 0 (or below).
void lognormalstats(double counta, double meana, double variancea, double countb, double meanb, double varianceb,
                    double& count, double& mean, double& variance);

// The lognormal range of the product of the factors of bins a and b, from their runs in
// testratiotable: lognormal mean, variance, count (runs of a plus runs of b), geometric mean,
// and the 90% range. Mean and count are 0 and nothing else is written when either bin has no
// runs (or no row).
void confidencerange(App& app, long bina, long binb, double& lognormalmean, double& variance, double& count,
                     double& geometricmean, double& high, double& low);

}  // namespace brasket
