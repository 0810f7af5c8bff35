// The emission test runs as the test reports read them: which runs belong to a device type,
// and the values derived from one run (outlet speciation, oxygen-corrected factors, mercury
// material balance) and from a list of runs (means).
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/workset.h"

namespace brasket {

// Columns of the factor table `emfactor`.
inline constexpr int furnacecolumn = 0, so2column = 1, pmcolumn = 2;
// Test kinds of `test` records.
inline constexpr int boilertest = 1, so2test = 2, particulatetest = 3;
// The coal gas particulate device, reported as the material balance of its boiler type.
inline constexpr long coalgasdevice = 16, coalgasboiler = 21;

// A device code names a row of the factor table.
inline bool isdevicecode(long code) { return code >= 0 && code <= 30; }

// The 25-character name of a device type in its column of `emfactor`, as stored (a name never
// written reads as blanks); empty for a code outside the table.
std::string devicename(const Workset& ws, long code, int column);

// The number of test records stored, held within the table.
long storedtests(const Workset& ws);

// Calls visit(record number, record) for every test of the kind and type code, in record order.
void forruns(const Workset& ws, int kind, long typecode, const std::function<void(long, const testrec&)>& visit);

// Shares of the three mercury forms in a whole.
struct Speciation {
    double part = 0, ox = 0, elem = 0;
};
// The outlet speciation of a boiler run; none when its outlet holds no mercury.
std::optional<Speciation> outletspeciation(const testrec& t);

// A control device run: the oxygen correction (21 - inlet O2) / (21 - outlet O2), the
// corrected outlet over inlet of each form and of the total.
struct ControlRun {
    double oxygen = 0;
    double part = 0, ox = 0, elem = 0;
    double total = 0;
};
// The factors of a control run; none when an inlet form is 0 or the outlet oxygen is 21 %,
// where the run cannot give a factor.
std::optional<ControlRun> controlrun(const testrec& t);

// The mercury material balance of a boiler run, grams per hour: in with the coal, out with the
// flue gas, and their ratio when both are above 0.
struct MaterialBalance {
    float hgin = 0;
    double hgout = 0;
    double outlettotal = 0;  // micrograms per cubic metre of the three outlet forms
    std::optional<double> ratio;
};
MaterialBalance materialbalance(const testrec& t);

// A run in a device's list of accepted runs: its total factor and its test record.
struct ListedRun {
    double total = 0;
    long record = 0;
};
// The arithmetic mean of the total factors; none for an empty list.
std::optional<double> arithmeticmean(const std::vector<ListedRun>& runs);
// The geometric mean of the total factors above 0 (a factor of 0 or below has no logarithm);
// none when no factor is above 0.
std::optional<double> geometricmean(const std::vector<ListedRun>& runs);

// The control effectiveness of a run, 1 - total factor; a device that removes nothing (or
// adds mercury) counts with 1e-11, so that it drives a geometric mean towards 0.
double controleffectiveness(double totalfactor);

// A 16-bit count raised by n, held at its largest value rather than wrapping.
std::int16_t addcount(std::int16_t count, long n);

}  // namespace brasket
