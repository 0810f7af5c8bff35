// The bin lookup: a fuel and device configuration becomes a bin, an emission modification
// factor and a mercury speciation (left in app.model.binfractions).
#pragma once

namespace brasket {

struct App;
struct Workset;

// Bin 90: no bin was found for the configuration.
inline constexpr long nobin = 90;
// Bin 45: the unity configuration (SO2 control 1, 2 or 3 with particulate code 15 or 16).
inline constexpr long unitybin = 45;
// Unit number meaning "not a unit of the data base" (the unit evaluation passes it).
inline constexpr long nounit = 0;

// What a search of the configuration rows 1..300 of the bin table meets: the first row that
// describes the configuration (0 when none does) and the first empty row, which the search
// passes over (0 when every row is in use). A later empty row is compared like any other.
struct ConfigurationRows {
    long match = 0;
    long firstempty = 0;
};
ConfigurationRows findconfiguration(const Workset& ws, long fuel, long boiler, long so2, long pm);

// SO2 control 1, 2 or 3 with particulate code 15 or 16: the unity configuration, whose factor
// is 1 and whose forms of mercury are not known.
bool unityconfiguration(long so2, long pm);

// Looks up the configuration (fuel number, boiler/NOx type, SO2 and particulate model codes)
// of one fuel of a unit and returns the mercury emitted, the factor applied and the bin
// matched. `unit` is the unit number of a data-base unit, for its own bin assignment, or
// `nounit`. With the bin method (partcorrmode 100) a configuration without a row (or whose row
// names bin 90) gets bin 90, factor 1 and leaves binfractions as they were; the unity
// configuration gets bin 45, factor 1 and binfractions 0, 0, 0 (its forms are not known); with
// the factor-product method the bin is not written.
void binlookup(App& app, double mercuryin, double& emission, double& factor, long fuel, long boiler, long so2, long pm,
               long& bin, long unit);

}  // namespace brasket
