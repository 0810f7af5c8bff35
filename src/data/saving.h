// Saving the working tables back to the data folder as one set, erasing them in memory, and
// loading the emission data of the current emission factor set.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "data/filebytes.h"

namespace brasket {

struct App;
struct Workset;

// "Save update of processed files in set": writes every working file of the set from its
// table as one committed set, so that a failure or a stop at any moment leaves the previous
// set or the new one whole; a failure is told in a message naming the file. A set of which a
// file could not be read at start-up, or whose idunit.dat or idplant.dat held records while
// unit.dat or plant.dat was missing or empty, is not saved (told), so that the file is not
// emptied.
void cmdsaveallupdate_Click(App& app);

// The complete bytes of every working file a save writes, from the tables.
std::vector<FileImage> worksetimages(const App& app);
// The working files a save writes, in the order it writes them.
const std::vector<std::string>& savedfilenames();

// "Erase all data": empties the loaded tables in memory, without asking; the files of the
// erased tables may then be saved although they could not be read at start-up.
void cmderase_Click(App& app);

// The tables of these working files were set anew, so the files no longer stand behind them:
// a save may replace them even where they could not be read at start-up.
void unblocksave(Workset& ws, std::initializer_list<std::string_view> files);

// Loads `emisf` from emisf.dat (emission factor set 1) or emisf2.dat (set 2).
void loademisf(App& app);

}  // namespace brasket
