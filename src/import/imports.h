// The readers of the unit, analysis and fuel-use exports and their menu items.
#pragma once
#include <filesystem>

namespace brasket {

struct App;

// Units and plants from "partIIExport.txt": owners, operators, plants and units numbered in
// file order, with their records and the model codes of each unit. False when the export
// cannot be read (told in a message; nothing changed).
bool processunits(App& app, const std::filesystem::path& path);
// The same export again with the same numbering: the supplemental fuel and the specified
// boiler, particulate control, scrubber and NOx control of each unit.
bool processunits2(App& app, const std::filesystem::path& path);
// Appends the mercury analyses of one quarter's export after the count in meas(0).
bool processHg(App& app, const std::filesystem::path& path);
// Files each line of "fuelusageexport.txt" into the unit's month of the fuel-use table.
bool processcoal(App& app, const std::filesystem::path& path);

// "update plant information from data file"
void cmdupdateplant_Click(App& app);
// "update other fuel names"
void cmdotherfuel_Click(App& app);
// "read mercury analysis data"
void cmdreadhganalysis_Click(App& app);
// "load fuelusage export"
void cmdfuelusageexport_Click(App& app);

}  // namespace brasket
