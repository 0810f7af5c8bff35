// The batch rebuild of the working set: every table rebuilt in memory from the text exports
// of the import folder, in the order in which each step finds the tables it needs filled.
#pragma once
#include <array>

namespace brasket {

struct App;

// The exports the batch reads, as its steps name them, in the order it reads them.
inline constexpr std::array<const char*, 14> batchexports{
    "partIIExport.txt",      "hg1Qdatashort.txt",   "hg2Qdatashort.txt",       "hg3Qdatashort.txt",
    "hg4Qdatashort.txt",     "fuelusageexport.txt", "partIIexport.txt",        "efsummary.txt",
    "translation table.txt", "translation table 2.txt", "dornvelt factors.txt", "boilertest.txt",
    "pmtest.txt",            "so2test.txt"};

// Menu item "Load and process set from all data files ": units and plants, the four quarters
// of analyses, fuel use, the units' other names, the bin tables and factors, the emission
// factors from the tests and the monthly concentrations, ending with the concentration check
// report. `updatingall` is 1 while it runs, so that no step asks for a folder and the factor
// listing stays hidden, and 0 again however it ends. When an export is missing nothing
// changes; when a step fails the tables are put back as they were. A message tells either,
// and another, once at the end, the lines that all the steps skipped or changed. A rebuilt
// table no longer blocks the save of a file that could not be read at start-up.
void cmdupdateall_Click(App& app);

}  // namespace brasket
