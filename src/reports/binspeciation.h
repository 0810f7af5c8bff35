// The bin explanations of the unit evaluation window.
#pragma once

namespace brasket {

struct App;

// Mouse buttons of a press.
inline constexpr int leftbutton = 1, rightbutton = 2;

// Appends the test runs that the bin table assigns to `bin`: per run the share of each mercury
// form at the control inlet with its removal across the controls, and the tested unit's
// boiler, particulate and SO2 types and fuel.
void speciationreport(App& app, double bin);

// A press on the bin label of fuel row `row` (0..3) of the unit evaluation window: the left
// button lists the bin's factor listing, the right button its speciation report; a row
// without fuel or without a bin says so.
void Label14_MouseDown(App& app, int row, int button);

}  // namespace brasket
