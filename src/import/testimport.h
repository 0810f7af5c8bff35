// The emission test import: the boiler, particulate and SO2 test exports read into the test
// table, with their unit type codes, reference codes and fuel codes.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace brasket {

struct App;

// A mercury value of a test export. "ND(x)" (not detected, x the detection limit) gives
// half of x; an "ND" text without a number in brackets gives 999.
double parsetestvalue(std::string_view text);
// True for an "ND" text that parsetestvalue turns into 999 for want of a bracketed number.
bool malformednotdetected(std::string_view text);

// The reference code of a test's description text (9 when none is named).
std::int16_t textcode(std::string_view text);

// The fuel code of a test's fuel text; bituminous coal is low-sulfur (6) below 0.6 sulfur.
std::int16_t fuelcode(std::string_view text, double sulfur);

// Test kinds, which also choose the emission factor column of the type name (kind - 1).
enum TestKind { boilertestkind = 1, so2testkind = 2, pmtestkind = 3 };

// Appends the tests of one export after the current count and stores the new count.
// Returns false, with the reason, when the export cannot be read or the table is full;
// the tests read before stay stored and counted.
bool processtests(App& app, int kind, const std::filesystem::path& path, std::string& reason);

// What became of a test import: read whole, abandoned at the folder dialog (the test table as
// it was), or failed on an export (told in a message; the table holds what was read).
enum class TestImportEnd { read, cancelled, failed };

// The test import of "Load and process test data to EF", telling its callers how it ended.
TestImportEnd importtests(App& app);

// Menu item "Load and process test data to EF": the three test exports of the import
// folder replace the test table.
void cmdmakeEF_Click(App& app);

}  // namespace brasket

namespace brasket {
class HandlerRegistry;
// Registers the menu items of the emission test, bin information and concentration imports.
void registertestdataimporthandlers(HandlerRegistry& r);
}  // namespace brasket
