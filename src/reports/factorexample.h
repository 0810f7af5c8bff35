// The example emission factor calculation of the unit chosen in the main window.
#pragma once

namespace brasket {

struct App;

// "example calculation of EF": the unit's identification and model types, the boiler runs of
// its boiler/NOx type with their speciation, the particulate and SO2 control runs of its
// control types with their factors, each closed by the factors the table holds. Unit 1 when
// no unit is chosen.
void cmdflowsheet_Click(App& app);

}  // namespace brasket
