// The emission factor summary.
#pragma once

namespace brasket {

struct App;

// "Emission factor summary": the partition factors of the fuel and boiler type table and of
// the fuel and fuel-element class table, in three parts, each with its count of data points.
void cmdefsummary_Click(App& app);

}  // namespace brasket
