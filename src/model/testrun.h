// One emission test run seen through a test row of the bin table: the emission modification
// factor the row's layout gives it and the speciation of the mercury leaving. Shared by the
// test ratios and the bin factors.
#pragma once
#include <array>

#include "data/workset.h"

namespace brasket {

struct App;

// Run layouts as the bin listing names them.
enum RunLayout { acrosscontrol = 0, coaltostack = 1, lastcontrol = 3 };

struct RunFactor {
    bool fits = false;      // the row's layout serves the run's test kind
    bool computed = false;  // the run had what its layout needs: emf is its factor
    RunLayout layout = acrosscontrol;
    double emf = 0;
    std::array<double, 3> fractions{};  // particulate, oxidized, elemental share of the outlet
};

// The factor of test record `record` by a test row of layout `testline`:
//   0, boiler runs: mercury leaving the stack (outlet total times gas rate, from the last
//      record of the same unit and run) over mercury in the fuel (content times burn rate);
//   1, control device runs ("across control"): outlet over inlet total, corrected to a common
//      oxygen level by (21 - inlet O2) / (21 - outlet O2), when the inlet total is positive;
//   2, control device runs ("last control", the second of two units in series): as 1, when
//      the outlet total is positive.
// A run with an outlet oxygen of 21% or an inlet total of 0 has no device factor.
RunFactor runfactor(const Workset& ws, long record, int testline);

// Files a run's factor as the next run of a bin in testratiotable: at most 20 runs, the
// twentieth column holding the latest beyond that; nothing for a bin without a row.
void filetestratio(App& app, long bin, double ratio);

}  // namespace brasket
