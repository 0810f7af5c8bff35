// The fuel speciation table's completion and the model switches of the main window: the
// cells of the fuel by boiler type table without tests get count-weighted speciations, the
// particulate correlation option steps through its modes, the averaging of the factors
// derived from tests switches between arithmetic and geometric, and the correlation of `mwt`.
#pragma once
#include <array>
#include <string>

namespace brasket {

struct App;

// The boiler class (0..3) of boiler types 0..23, whose class values fill the table in mode 2.
inline constexpr std::array<int, 24> boilerclassmap{0, 1, 3, 1, 3, 2, 2, 3, 3, 3, 1, 3,
                                                    3, 3, 3, 3, 3, 3, 3, 3, 0, 2, 2, 3};

// Completes `emfactorf` for boiler types 1..23: each cell without tests gets the speciation of
// its boiler type's column (missingfactormode 0), its fuel's row (1) or its row's boiler class
// (2), and failing that the grand means. Fuel rows 1 and 2 are only cleared.
void SETFUELCORRELATION(App& app);
// Button Command22: completes the fuel speciation table.
void Command22_Click(App& app);

// Menu item cmdburncorrelation: steps partcorrmode 2 -> 5 -> 1 -> 2, the caption naming the
// new mode; entering correlation by fuel completes the fuel speciation table.
void cmdburncorrelation_Click(App& app);

// Menu item cmdemissionfactorset: switches efmeanmode between arithmetic (0) and geometric
// (1) and derives the factors from the tests again.
void cmdemissionfactorset_Click(App& app);

// The correlation of the value `mwt` as text: "NO MWT" for 0, otherwise a fraction falling
// from 0.999 at 100 to 0 at 450, written without a leading zero.
void CORR25D(App& app, std::string& out);

}  // namespace brasket
