// Text helpers of the working set's conventions: trimming removes blanks only (code-0 characters
// of never-assigned fixed texts stay), comparisons are byte-wise.
#pragma once
#include <string>
#include <string_view>

namespace brasket {

std::string ltrim(std::string_view s);
std::string rtrim(std::string_view s);
std::string trim(std::string_view s);
std::string ucase(std::string_view s);
std::string lcase(std::string_view s);
// Characters from a 1-based position (empty past the end).
std::string mid(std::string_view s, long start, long length = -1);
std::string left(std::string_view s, long n);
std::string right(std::string_view s, long n);
// 1-based position of `what` in `s` at or after `start`, 0 when absent.
long instr(long start, std::string_view s, std::string_view what);
inline long instr(std::string_view s, std::string_view what) { return instr(1, s, what); }
// A text as reports print it: a character never assigned (code 0) prints as a blank.
std::string printedtext(std::string text);
// A text of n blanks.
inline std::string space(long n) { return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string(); }
// Write `text` over `line` from 1-based column `col`, growing the line with blanks as needed.
void putat(std::string& line, long col, std::string_view text);
// Write `text` over a line of fixed width from 1-based column `col`; what reaches past the
// line's end is cut.
void placeat(std::string& line, long col, std::string_view text);

}  // namespace brasket
