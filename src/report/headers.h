// The standard report header: the lines stating the options, the states and the control
// upgrades under which a report was computed.
#pragma once

namespace brasket {

struct App;

// Appends the option lines, then the states and the upgrades.
void reportsettings(App& app);
// Appends the states taking part, unless every state of the main window's list does.
void reportstates(App& app);
// Appends the chosen control upgrades, when one of them is chosen.
void reportupgrades(App& app);

}  // namespace brasket
