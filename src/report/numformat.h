// Numbers in report texts: the one pattern formatter and the two size-driven formats that
// every report uses. Locale independent.
#pragma once
#include <string>
#include <string_view>

namespace brasket {

// A number in a digit-placeholder pattern: "#" a digit shown only when significant, "0" a
// digit always shown, "." the decimal point (written even when no decimal digit follows),
// "%" multiplies by 100 and prints itself, "e+"/"e-" (or "E") followed by "0"/"#" a decimal
// exponent (with "+" the sign is always written, with "-" only when negative); every other
// character is written unchanged. Rounds to the last placeholder, to nearest.
std::string formatnumber(double x, std::string_view pattern);

// A number with d decimals, led by one blank for each k = 1..w with x below 10^k; small
// values in the form "0.000e+0" after w blanks; 0 gives "   *".
std::string fmtsig(double x, int w, int d);

// The report text of a number, its form chosen by its size.
std::string fmtnum(double x);

}  // namespace brasket
