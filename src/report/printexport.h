// Printing and exporting the report held in the buffer: the print job with its page heads,
// the print setup, the display set file (plain text) and the C,S,V file.
#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace brasket {

struct App;
struct ReportBuffer;

void printreport(App& app);  // "Print "
void printsetup(App& app);   // "Print setup"
void exportfile(App& app);   // "File"
void exportcsv(App& app);    // "File C,S,V "

// Writes the display set file: the header lines, a line of two blanks, then every page's
// lines with each page mark as a form feed; lines end in CR LF. False with a reason when
// the file cannot be written.
bool writedisplayset(const ReportBuffer& rb, const std::filesystem::path& file, std::string& error);
// Writes the C,S,V file: the header lines and the blank line as text, then one record of
// six fields per page line.
bool writecsvset(const ReportBuffer& rb, const std::filesystem::path& file, std::string& error);

// Column state of one C,S,V export: column starts 1..6 (7 ends column 6; 0 holds -5 once a
// "!TABS:" line fixed them) and the values of the current line's columns 1..6.
struct ColumnState {
    std::array<std::optional<long>, 8> colstart;
    std::array<std::optional<double>, 7> colval;
};

// The column finder: s = "!SETUP" finds the column starts of the page first..last; a line
// beginning "!TABS:" fixes them; any other line gets its column values and becomes its
// first-column text.
void csvline(const ReportBuffer& rb, long first, long last, ColumnState& cs, std::string& s);

// One record of the C,S,V file: the text in double quotes, then columns 2..6, an unset
// value written as nothing.
std::string csvrecord(const std::string& text, const ColumnState& cs);

}  // namespace brasket
