// How each fuel row's bin was found for the configuration under evaluation, shown in the row's
// bin cell (Label14) by caption, colour and tool tip:
//   1 confirmed by an emission test of a unit of the same configuration
//   2 found in the bin table by boiler type
//   3 found in the bin table with coarser control codes
//   4 found in the bin table by boiler group and NOx group
//   5 only the best guess of the weighted scan
#pragma once
#include <string>

namespace brasket {

struct App;
struct Label;

enum MatchLevel : int { testmatch = 1, boilertypematch = 2, coarsematch = 3, groupmatch = 4, scanmatch = 5 };

// The tool tips of the bin cell.
inline constexpr const char* exactmatchtip = "This is the bin assignment.  There is an exact bin match.";
inline constexpr const char* nomatchtip =
    "This is the bin assignment.  Yellow indicates the absence of an exact match.";
inline constexpr const char* bestmatchtip =
    "This is the bin assignment.  Orange indicates a computer assigned best match.  See long report for details.";

// Colours a bin cell and sets its tool tip for a match level 1..5.
void showbinlevel(Label& cell, int level);

// The boiler types a boiler group and NOx group stand for, 0 where there is none.
void boilercodes(long boilergroup, long noxgroup, long& type1, long& type2, long& type3);

// True when an emission test of a unit whose configuration equals the evaluation window's
// proposed configuration for fuel row `row` confirms `bin`.
bool checkbinnumbermatch(App& app, int row, long bin);

// Finds the bin of fuel row `row` (0..3) for the proposed configuration through the five
// levels, records the level in the window's matchlevel and shows the bin cell. Returns the bin
// shown, 90 when none (always 90 for a row without fuel).
long checkmatchlevel(App& app, int row);

// "bin display update": the bin cells of the four fuel rows.
void Command13_Click(App& app);

}  // namespace brasket
