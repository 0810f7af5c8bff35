// Emission factors from the emission tests: the speciation and emission modification factors
// (mercury leaving over mercury entering) of every furnace and control device type, of every
// fuel and furnace type and of every fuel and fuel-element class, derived from the test runs
// of the test table, averaged arithmetically or geometrically.
#pragma once
#include <array>
#include <optional>
#include <vector>

#include "data/workset.h"

namespace brasket {

struct App;

// The runs of one group that enter its means: at most this many, the first in record order.
inline constexpr std::size_t maxgroupruns = 200;

// Labels of the fuel-element classes 1..18 (entry 0 unused), as the emission factor summary
// prints them.
inline constexpr std::array<const char*, 19> fuelelementclasslabels{
    "",
    "High sulfur",           "Low sulfur",           "High ash",              "Low ash",
    "High chlorine",         "Low chlorine",         "High sulfur-High ash",  "Low sulfur-Low ash",
    "High sulfur-Low ash",   "Low sulfur-High ash",  "High Hg-High ash",      "Low Hg-Low ash",
    "High Hg-Low ash",       "Low Hg-High ash",      "High chlorine-High ash", "Low chlorine-Low ash",
    "High chlorine-Low ash", "Low chlorine-High ash"};

// True when a fuel of that sulfur, ash, mercury and chlorine content belongs to class 1..18:
// sulfur is high above 1, ash above 8, mercury above 0.05 and chlorine above 500.
bool infuelelementclass(int elementclass, double sulfur, double ash, double mercury, double chlorine);

// The four values of one run: particulate, oxidized, elemental, total.
using RunValues = std::array<double, 4>;

// The means and deviations of one group of runs.
struct GroupMeans {
    std::array<double, 4> mean{};  // particulate, oxidized, elemental, total
    std::array<double, 3> sd{};    // of the three species values, or of their logarithms
};

// Averages one group (at least one run). Geometric: the logarithms of the positive values
// are averaged and the means raised back; deviations are those of the logarithms. A species
// without a usable value has mean and deviation 0. The total mean is taken over the totals
// that are not 0 (arithmetic) or positive (geometric); with none it is `nototal`.
GroupMeans averagegroup(const std::vector<RunValues>& runs, bool geometric, double nototal);

// Run values of a boiler test run for the furnace column: the stack mercury split into its
// three fractions and the mercury leaving over the mercury in the fuel. No value when the
// stack mercury adds up to 0 or less.
std::optional<RunValues> boilerrunvalues(const testrec& t);
// The same run for the fuel tables, its total in the mass units of those tables.
std::optional<RunValues> fuelrunvalues(const testrec& t);
// Run values of an SO2 or particulate control test run: outlet over inlet per species and in
// total, corrected to the inlet oxygen. No value when the inlet mercury adds up to 0 or less,
// or when the outlet oxygen is 21 percent (no correction exists).
std::optional<RunValues> devicerunvalues(const testrec& t);

// The fuel row of a test run's fuel code: coal gas (62) is row 0.
int testfuelrow(const testrec& t);

// Rewrites the numeric fields of `emfactor` rows 1..30, `emfactorf` (fuel 0..11, type 1..30)
// and `emfactorfs` (fuel 0..11, class 1..18) from the test runs; `efmeanmode` 1 geometric.
void derivetestfactors(Workset& ws, int efmeanmode);

// Menu item "update emission factors/QA": reloads the tests, lists the boiler test runs with
// their fuels, derives the factor tables and shows the listing unless the batch rebuild runs.
// When the test import fails the factor tables stay as they were and a message says so.
void cmdupdateef_Click(App& app);
// The same, telling its caller whether the factors were derived (false: the test import
// failed).
bool updateemissionfactors(App& app);

}  // namespace brasket
