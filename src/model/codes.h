// Code classes and fuel names: the boiler and NOx groups of a boiler type code, the name and
// short label of a fuel number (single fuel or two-fuel blend), the default mercury speciation
// of a fuel, and the fuel-dependent total factor of a particulate device. Pure functions over
// constant tables; none of them writes a working table.
#pragma once
#include <array>
#include <string>

#include "data/workset.h"

namespace brasket {

// Boiler groups, by group index.
inline constexpr std::array<const char*, 5> boilergroupnames{"CONV/PC", "CYCLONE", "STOKER", "FBC", "COAL GAS"};
// NOx groups, by group index.
inline constexpr std::array<const char*, 6> noxgroupnames{"NOX",       "NOX/SCR",  "NOX/SNCR",
                                                          "NONOX",     "NONOX/SCR", "NONOX/SNCR"};

// The boiler group (0..4) of a boiler type code. A code outside the groups (0, 15, negative)
// leaves `group` as it was.
void boilergroup(long boilercode, int& group);

// The NOx group of a boiler type code. An unclassified code (0, 22, 25 and above) leaves
// `group` as it was; then, in every case, "NONOX/SCR" (4) folds into "NOX/SCR" (1) and
// "NONOX/SNCR" (5) into "NOX/SNCR" (2).
void noxgroup(long boilercode, int& group);

// The shown name of a fuel number: -100..-1 the plain name of fuel -n; a number of 100 or more
// a blend 100 x first + second built from both names; "unknown" out of the fuel table.
std::string fuelname(const Workset& ws, long fuel);

// The short label of a fuel number ("Bit", "Bit Subbit", ...); "unknown" when a part exceeds
// 100, empty when the number lies outside the label table.
std::string fuellabel(long fuel);

// Default speciation of a fuel: particulate, elemental and oxidized fraction, in that order.
void defaultspeciation(long fuelcode, double& part, double& elem, double& ox);

// Default speciation of a fuel burnt in a boiler type: fuels 1 and 3 depend on the boiler
// type, every other fuel gives defaultspeciation's values. Same output order.
void defaultspeciation2(long fuelcode, long boilercode, double& part, double& elem, double& ox);

// Replaces the total factor of a particulate device by its fuel-dependent value, selected by
// the device's first component row (from pmcomposite) and the fuel number; leaves `total`
// as it was where no rule applies.
void blendfraction(long firstcomponent, double& total, long fuel);

}  // namespace brasket
