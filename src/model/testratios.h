// Test ratios: every emission test run of the test table becomes one emission modification
// factor (outlet over inlet mercury), filed under its bin in app.model.testratiotable, from
// which the bin statistics and the confidence estimates draw their runs.
#pragma once

namespace brasket {

struct App;

// Runs filed per bin in testratiotable (column 0 the count, columns 1..20 the runs).
inline constexpr long maxbinruns = 20;
// Column of testratiotable naming a second bin whose factor multiplies a bin's factor.
inline constexpr long secondbincolumn = 21;
// Bins with a row in testratiotable: 0..50.
inline constexpr long lasttestratiobin = 50;
// The test rows of the bin table: binindex rows 1..81.
inline constexpr long lasttestrow = 81;

// Rebuilds testratiotable from the test table and the test rows of the bin table: the counts of
// bins 0..50 are reset and every run is filed under the bin of the test row that computed it
// (at most 20 runs a bin, the twentieth column holding the latest beyond that). Column 21 is
// never written. No report, no message.
void testratios(App& app);

// The bin of the first of two control units in series for a composite bin (the second unit
// tested), 0 for a bin without a first unit.
long firstunitbin(long bin);

}  // namespace brasket
