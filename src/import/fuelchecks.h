// The checks of the fuel data: the monthly fuel burn of every unit against its yearly average,
// and the mercury in the coal of each boiler emission test against the mercury in its flue gas.
#pragma once

namespace brasket {

struct App;

// "Burn data QA": the check report "Error form for monthly fuel burn" lists each unit without
// any fuel burnt in the year, and each month of a unit with no burn or with less than half of
// the unit's monthly average.
void cmdworkunit_Click(App& app);

// The "OK" button of the frame "Regulatory requirements": the burn check, then the frame hides.
void Command19_Click(App& app);

// "mercury-gas conc. /QA": the check report "Error form for coal mercury-gas concentration
// mismatch" sets the mercury leaving each boiler test in the flue gas against the mercury
// entering with the coal, by unit type code, with the average ratio.
void cmdmercury_conc_Click(App& app);

}  // namespace brasket
