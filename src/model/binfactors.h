// Bin factors and the bin listing: a bin's test runs become its emission modification factor
// and speciation in the bin table, with the listing of the runs and confidence estimates.
#pragma once
#include <string>

namespace brasket {

struct App;

// Appends the listing of one bin (its test runs with their factors, the bin's factor and
// speciation, and confidence estimates under `heading`, or the default heading when empty) to
// the report buffer; sets the bin's .efactor and fractions in binindex, its row of
// testratiotable, and workvalues 1..3 (mean, high and low factor). A bin without runs keeps
// the factor it has, which workvalues 1..3 then carry.
void printbinnumber(App& app, long bin, const std::string& heading);

// A test run's id as the bin listing shows it: a text that is wholly a number in the plain
// number-to-text form (a leading blank for a positive number), any other text trimmed.
std::string runidtext(const std::string& runid);

// Menu item "Bin calculations": reloads the emission tests, lists bins 0..44 through
// printbinnumber and shows the listing.
void bincalculation(App& app);
void cmdbincalcs_Click(App& app);

}  // namespace brasket
