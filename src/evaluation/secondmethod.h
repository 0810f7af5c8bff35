// The second estimate of the mercury leaving the stack: the fuel's mercury split into its three
// forms by a speciation table keyed by furnace and fuel (partfactors1), each form removed by a
// fixed effectiveness of the control devices (partfactors2), the emission modification factor
// being one minus the share removed. While the long evaluation report is written
// (reportcalc = 1) the routines add their working to it.
//
// Codes as in evaluation/binscan.h; fuel class 2 is the empty fuel row.
#pragma once
#include <array>
#include <string>

namespace brasket {

struct App;

// The working table of the second method, indexed (stage 0..3, slot 0..4, species 0..3),
// species 1 particulate, 2 oxidized, 3 elemental. Stage 2 holds the method's fractions: the
// speciation of fuel slot s in (2, s, 1..3), the combined removal of the controls in (2, 4, 1..3).
using SecondMethodTable = std::array<std::array<std::array<double, 4>, 5>, 4>;
inline constexpr int controlslot = 4;

// Second-method device types 1..13.
inline constexpr int secondmethoddevices = 13;

// The name of a second-method device type 1..13; any other type leaves `name` unchanged.
void devicename2(long type, std::string& name);

// The combined removal fractions of the SO2 and particulate controls, into (2, 4, 1..3). The
// boiler and NOx groups take no part. Fuel class 2 only takes back the two report lines the
// evaluation report wrote for the empty row.
void controleffectiveness(App& app, long fuelclass, long boilergroup, long noxgroup, long so2, long pm,
                          SecondMethodTable& table);

// The speciation of the fuel burnt in the furnace, into (2, slot, 1..3). Replaces the fuel
// class by its coarse class. Fuel class 2 only takes back the three report lines the evaluation
// report wrote for the empty row.
void fuelspeciation(App& app, long& fuelclass, long boilergroup, long noxgroup, long so2, long pm,
                    SecondMethodTable& table, int slot);

// The second-method emission modification factor of one configuration burning one fuel class
// in fuel slot `slot`; 0 for the empty fuel row.
double secondmethodfactor(App& app, long fuelclass, long boilergroup, long noxgroup, long so2, long pm, int slot);

// The second-method factor of the evaluation window's fuel row `slot` (0..3), under the unit's
// existing configuration when `existing` is true, else under the evaluated one.
double method2(App& app, int slot, bool existing);

// The fuel class of a unit's fuel type code; any other code leaves `fuelclass` as given.
void fuelclassofcode(long fueltype, long& fuelclass);

// The second-method factor of one fuel of a fleet unit: its model boiler type, particulate and
// SO2 codes and the fuel type code, whose fuel class is also given back.
double method2v(App& app, long boilertype, long pm, long so2, long fueltype, long& fuelclass);

}  // namespace brasket
