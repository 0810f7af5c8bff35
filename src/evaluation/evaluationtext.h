// Helpers shared by the stages of an evaluation: report table rows built in a field of blanks,
// and the result cells of the window read back as numbers.
#pragma once
#include <string>
#include <string_view>

#include "common/textutil.h"

namespace brasket {

class Form1;

// Table rows of the evaluation report are built in a field of this many blanks.
inline constexpr std::size_t fieldwidth = 100;
inline std::string blankfield() { return std::string(fieldwidth, ' '); }
// Writes text into a field from a 1-based position on, over what stands there, cut at the
// field's end.
void putinfield(std::string& field, long position, std::string_view text);

struct App;

// The coal data of the evaluation window as the report lists it: the heading, then per fuel
// row that is not "NONE" its fuel, tons per month and mercury as shown.
void coaldatatable(App& app);

// Takes back the last n report lines written, so that the lines that follow overwrite them
// (lines the report wrote for a fuel row that has nothing to show); the line counter never
// goes below 0.
void takebacklines(App& app, long n);

// The number shown in result cell Label3(cell).
double cellvalue(const Form1& f, int cell);

}  // namespace brasket
