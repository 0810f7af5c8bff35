// The text files of the working set: the four device name lists and the fleet bin statistics.
#pragma once
#include <string>
#include <vector>

#include "data/workset.h"

namespace brasket {

// Items of a name list text: split at commas and line ends, blanks at both ends removed; an
// item in double quotes is one name, commas included (the writer quotes such names).
std::vector<std::string> namelistitems(const std::string& content);
// Lines of a name list file for elements 1..count (count from element 0), CR LF ended.
std::string namelisttext(const std::vector<std::string>& names);

struct BinnumberRead {
    long cells = 0;    // cells read
    long skipped = 0;  // malformed lines or cells outside the table, skipped
};
// Reads binnumber.dat content into the two grids (cells not in the text keep their values); a
// line whose count does not fit 16 bits or whose mercury does not fit a 32-bit float is skipped.
BinnumberRead readbinnumber(const std::string& content, BinGrid<i16>& count, BinGrid<f32>& mercury);
// The binnumber.dat text: a line per cell with a count of 1 or more or mercury above 0.
std::string binnumbertext(const BinGrid<i16>& count, const BinGrid<f32>& mercury);

// The shortest decimal text of a float that reads back to the same value, "." as separator.
std::string decimaltext(float x);

}  // namespace brasket
