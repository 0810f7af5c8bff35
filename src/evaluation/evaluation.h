// The evaluation of one unit by the bin method: for each fuel row of the evaluation window the
// mercury in, the mercury to the stack with the existing and with the proposed controls and the
// percent reduction, shown in the window's result cells; while the long report is built, also
// its sections 3.0 to 6.0. The executive summary and contents are written on every run.
#pragma once
#include <array>
#include <string>

namespace brasket {

struct App;

// The working tables and texts of one run, created empty at its start.
struct EvaluationRun {
    // hgresults(stage, slot, form): stage 0 existing, 1 proposed, 2 second method, 3 (form 0)
    // mercury in; slots 0..3 the fuel rows, 4 all fuels; form 0 total, 1 particulate,
    // 2 oxidized, 3 elemental.
    std::array<std::array<std::array<double, 4>, 5>, 4> hgresults{};
    // emfrange(slot, column): 0 mercury in, 1..3 mean, high, low factor of the proposed bin;
    // row 4 the totals (columns 1..3 emission rates, 4 mercury in).
    std::array<std::array<double, 5>, 5> emfrange{};
    // mcrange(slot, column): 1..3 mean, high, low factor of the Monte Carlo estimate.
    std::array<std::array<double, 5>, 5> mcrange{};
    // bincandidates(slot, rank, field): ranks 1..5, field 0 the bin, 1 weight then probability.
    std::array<std::array<std::array<double, 2>, 6>, 4> bincandidates{};

    double c = 0;             // ppm by weight x tons a month to mass a year
    std::string U;            // " kg/yr." or " lb/yr."
    std::string u;            // "kg/yr" or "lb/yr"
    long existingboiler = 0;  // boiler type code of the existing configuration
    // Why a fuel row is not evaluated ("is negative.", "is too large to be evaluated."), said of
    // its mercury content or its dry tons per month; empty for a row that is evaluated.
    std::array<std::string, 4> notevaluated{};
    int tables = 0;           // count of summary tables written
};

// Evaluates the unit shown in the evaluation window, under the window's busy guard (a run that
// finds the guard held does nothing; the guard is released at the end of every run that took
// it, a failure included).
void calculates(App& app);

// The stages of one run, in order.
void mercuryin(App& app, EvaluationRun& run);           // units, mercury in per row

// The largest mercury loading of a fuel row that is evaluated, in the window's mass unit a
// year: far beyond any fuel, and far enough below the largest number that the emissions, their
// sums over the rows and the report's ranges stay numbers.
constexpr double largestloading = 1e300;
// Why a fuel row with this mercury content (ppm by weight) and tonnage (dry tons a month) is
// not evaluated, said of its content or tonnage; empty when it is. `c` turns ppm by weight
// times tons a month into the mass a year.
std::string rowdefect(double hg, double tons, double c);
void existingconfiguration(App& app, EvaluationRun& run);  // existing cells, section 3.0
void proposedconfiguration(App& app, EvaluationRun& run);  // proposed, bin and factor cells, section 4.0
void reductions(App& app, EvaluationRun& run);          // percent cells, totals, summary sentences
void summaryanduncertainty(App& app, EvaluationRun& run);  // sections 5.0 and 6.0
void executivesummary(App& app, EvaluationRun& run);    // executive summary and contents, tool tips

// The particulate, oxidized and elemental fractions with which a fuel row's bin splits its
// emission: the bin's own, or none when the bin came from the unity configuration, whose forms
// are not known.
std::array<double, 3> binforms(const App& app, long bin, bool unity);

// Whether the known forms leave part of a total of mercury unaccounted for: more than the
// rounding of stored fractions that sum to 1 (a hundredth of a percent). That part is reported
// as mercury whose form is not known.
bool notspeciated(double total, double forms);

// The proposed boiler type code of a boiler group and NOx group; the existing code for a pair
// the table does not hold.
long proposedboiler(int boilergroup, int noxgroup, long existing);

// The weights of the five best bins of a row (desirabilities in, weights out) and their sum.
double candidateweights(const std::array<double, 5>& desirability, std::array<double, 5>& weight);

// The confidence range of the second method's fraction removed, for its factor m: the fraction
// removed 1 - m, its standard deviation (the variance taken as 3.69% of the factor; a negative
// variance counts as 0) and the 90% high and low bounds over 77 degrees of freedom.
struct RemovalRange {
    double removed = 0, sd = 0, high = 0, low = 0;
};
RemovalRange secondmethodrange(double m);

}  // namespace brasket
