// Listings of descriptive unit data: the records of the unit property file, and the control
// device list of the emission factor data.
#pragma once
#include <filesystem>

namespace brasket {

struct App;

// The unit property file of the data folder: records of 172 bytes from record 1.
std::filesystem::path unitpropspath(const App& app);

// "show default data base": the unit property records, "new data" records left out.
void cmddefdatabase_Click(App& app);
// "Unit description forms": the entries of the control device list with their index.
void cmddetailed_Click(App& app);

}  // namespace brasket
