// Start-up loading of the working set: every working file of the data folder read into its
// table, the counts derived, the main window's fuel, plant and device lists filled.
#pragma once
#include <filesystem>

namespace brasket {

struct App;

// Loads the whole working set from `datafolder` with the about box as the progress panel,
// then shows the main window. Missing record files are created empty, as the loader always
// has; missing text files load as empty. Files holding more than a table's bound stop at the
// bound, and a file ending in an incomplete record loses only that record; each is told. A
// file that exists but cannot be read is told by name and loads as empty, and the save then
// refuses to replace it. A save that was stopped midway is finished or undone first.
void loadinitial(App& app, const std::filesystem::path& datafolder);

}  // namespace brasket
