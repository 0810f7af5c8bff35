// The unit data scan summary.
#pragma once

namespace brasket {

struct App;

// "Unit data scan summary": each fuel burnt with its mercury and fuel tons a year, then for
// each model type and specified device list the types in use with their units and megawatts.
void cmddatascan_Click(App& app);

}  // namespace brasket
