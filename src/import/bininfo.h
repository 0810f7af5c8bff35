// The bin information import: bin code texts, the test rows and the configuration rows of
// the bin table from "efsummary.txt", "translation table.txt" and "translation table 2.txt",
// and the bins' emission modification factors from a bin factor file.
#pragma once
#include <filesystem>

namespace brasket {

struct App;
struct Workset;

// A bin's emission modification factor; every test row of that bin then takes its factor
// from the last control (.testline 2).
void setbinfactor(Workset& ws, long bin, double factor);

// Applies a bin factor file (two header lines, then bin number and factor per line) to the
// bin table. False when the file cannot be read (told in a message; nothing changed).
bool readbinfactorfile(App& app, const std::filesystem::path& path);

// Menu item "load bin information": the three bin exports of the import folder. Under the
// batch rebuild it asks for no folder.
void cmdloadbin_Click(App& app);

// Menu item "Bin information": a bin factor file chosen by the user.
void cmdupdatebininfo_Click(App& app);

}  // namespace brasket
