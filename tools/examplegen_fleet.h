// What the parts of the example generator share: the fuels, model type names and states of
// the synthetic fleet, its plants and units, the deterministic random source, number texts and
// the writing of export and working files.
#pragma once
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "data/codec.h"
#include "data/records.h"
#include "data/textfiles.h"
#include "examplegen.h"

namespace brasket::example {

// The fuels at their codes; the exports name fuels by these names.
inline const std::vector<std::string>& fuelnames() {
    static const std::vector<std::string> names = {
        "",                       // 0: no fuel
        "BITUMINOUS HIGH SULFUR", "NONE", "BITUMINOUS", "SUBBITUMINOUS", "LIGNITE", "BITUMINOUS LOW SULFUR",
        "PETROLEUM COKE", "WASTE BITUMINOUS", "WASTE SUBBITUMINOUS", "ANTHRACITE", "WASTE ANTHRACITE", "TIRES",
        "NOTHING BURNED", "NATURAL GAS", "DISTILLATE OIL", "RESIDUAL OIL", "WOOD"};
    return names;
}

// The fuel named "NONE". The analysis and fuel-use exports name it as the other fuel of a line
// that burns one fuel alone, as the source spreadsheets do, so the import packs a single fuel k
// as 100 x min(k, 2) + max(k, 2): bituminous (3) is stored as 203, high-sulfur bituminous (1) as
// 102, the codes of the evaluation window's fuel list and of the bin configuration rows.
inline constexpr int nonefuel = 2;

// The fuel number the import stores for a line naming `fuel` and `second` (0: `fuel` alone).
inline int fuelnumber(int fuel, int second) {
    if (second == 0) second = nonefuel;
    return 100 * std::min(fuel, second) + std::max(fuel, second);
}

// The fuels a stored fuel number stands for, "NONE" left out: the lower code first, the second
// 0 unless the number is a blend of two fuels.
inline std::pair<int, int> fuelsof(int number) {
    int a = number / 100, b = number % 100;
    if (a == nonefuel) a = 0;
    if (b == nonefuel) b = 0;
    if (a == 0 || b == 0) return {a + b, 0};
    return {std::min(a, b), std::max(a, b)};
}

// Model type names by row: boiler and NOx types, SO2 controls, particulate controls.
inline const std::vector<std::string>& boilertypes() {
    static const std::vector<std::string> names = {
        "", "PC WALL/LNB", "FBC/SNCR", "PC WALL", "STOKER", "STOKER/LNB", "FBC", "CYCLONE/LNB", "PC TANG",
        "PC TANG/LNB", "CYCLONE", "CYCLONE/SNCR", "PC WET BOTTOM/LNB", "PC WALL/SCR", "FBC/LNB", "OTHER/SNCR",
        "STOKER/OFA", "STOKER/LNB/SNCR", "STOKER/SNCR", "PC WALL/LNB/SCR", "PC TANG/SNCR", "CYCLONE/SCR",
        "COAL GAS", "PC TANG/LNB/SNCR", "PC WET BOTTOM/SNCR", "PC OTHER"};
    return names;
}
inline const std::vector<std::string>& so2types() {
    static const std::vector<std::string> names = {
        "", "WET SCRUB", "WET SCRUB/VENTURI", "PARTSCRUB SO2", "WET SCRUB/MAG LIME", "SDA", "DRYSCRUB",
        "WETSCRUB/COMP COAL", "DUAL ALKALI", "WET SCRUB/SODIUM", "SORB INJ", "SDAESP", "SORBESP"};
    return names;
}
inline const std::vector<std::string>& pmtypes() {
    static const std::vector<std::string> names = {
        "", "ESP-CS", "BAGHOUSE", "MECH/BAGHOUSE", "ESP-HS", "BAGHOUSE (COMPOSITE)", "MECH", "MECH/ESP-CS",
        "PARTSCRUB", "PARTSCRUB/ESP-CS", "MECH/PARTSCRUB", "MECH/BAGHOUSE/ESP-HS", "ESP-HS/ESP-CS",
        "ESP-HS/BAGHOUSE", "ESP-CS/ESP-CS", "NONE", "COAL GAS"};
    return names;
}

// Specified device names, as the source data spells them.
inline const std::vector<std::string>& specboilers() {
    static const std::vector<std::string> names = {"DRY BOTTOM WALL-FIRED", "DRY BOTTOM TANGENTIAL", "WET BOTTOM WALL-FIRED",
                                                   "CYCLONE FIRED", "SPREADER STOKER", "FLUIDIZED BED",
                                                   "GASIFIER COMBINED CYCLE"};
    return names;
}
inline const std::vector<std::string>& specnox() {
    static const std::vector<std::string> names = {"LOW NOX BURNER", "OVERFIRE AIR", "SELECTIVE CATALYTIC REDUCTION",
                                                   "SELECTIVE NONCATALYTIC REDUCTION", "NO NOX CONTROL"};
    return names;
}
inline const std::vector<std::string>& specscrubs() {
    static const std::vector<std::string> names = {"WET LIMESTONE", "WET LIME", "SPRAY DRYER", "DRY SORBENT INJECTION",
                                                   "MAGNESIUM LIME", "DUAL ALKALI"};
    return names;
}
inline const std::vector<std::string>& specpms() {
    static const std::vector<std::string> names = {"ESP COLD SIDE", "ESP HOT SIDE", "FABRIC FILTER", "MECHANICAL COLLECTOR",
                                                   "VENTURI SCRUBBER"};
    return names;
}

struct State {
    const char* code;
    int region;
    int weight;     // how many coal plants it tends to have
    int rank;       // the fuel code its plants mostly burn
};

inline const std::vector<State>& states() {
    static const std::vector<State> list = {
        {"CT", 1, 1, 3}, {"ME", 1, 1, 3}, {"MA", 1, 1, 3}, {"NH", 1, 1, 3}, {"RI", 1, 1, 3}, {"VT", 1, 1, 3},
        {"NJ", 2, 1, 3}, {"NY", 2, 2, 3}, {"DE", 3, 1, 3}, {"DC", 3, 1, 3}, {"MD", 3, 2, 3}, {"PA", 3, 5, 1},
        {"VA", 3, 3, 6}, {"WV", 3, 4, 1}, {"AL", 4, 3, 3}, {"FL", 4, 3, 3}, {"GA", 4, 3, 3}, {"KY", 4, 5, 1},
        {"MS", 4, 1, 5}, {"NC", 4, 3, 6}, {"SC", 4, 2, 6}, {"TN", 4, 3, 3}, {"IL", 5, 5, 4}, {"IN", 5, 5, 1},
        {"MI", 5, 4, 4}, {"MN", 5, 3, 4}, {"OH", 5, 6, 1}, {"WI", 5, 4, 4}, {"AR", 6, 1, 4}, {"LA", 6, 1, 5},
        {"NM", 6, 1, 4}, {"OK", 6, 2, 4}, {"TX", 6, 5, 5}, {"IA", 7, 3, 4}, {"KS", 7, 2, 4}, {"MO", 7, 4, 4},
        {"NE", 7, 2, 4}, {"CO", 8, 3, 4}, {"MT", 8, 1, 4}, {"ND", 8, 2, 5}, {"SD", 8, 1, 4}, {"UT", 8, 1, 6},
        {"WY", 8, 2, 4}, {"AZ", 9, 2, 4}, {"CA", 9, 1, 4}, {"HI", 9, 1, 3}, {"NV", 9, 1, 4}, {"AK", 10, 1, 4},
        {"ID", 10, 1, 4}, {"OR", 10, 1, 4}, {"WA", 10, 1, 4}};
    return list;
}

// A small deterministic random source (splitmix64), the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }
    bool chance(double p) { return uniform() < p; }
    double normal() {
        double u1 = std::max(uniform(), 1e-12), u2 = uniform();
        return std::sqrt(-2 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }
    // Picks an index by weights.
    int pick(const std::vector<double>& weights) {
        double total = 0;
        for (double w : weights) total += w;
        double r = uniform() * total;
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (r < weights[i]) return static_cast<int>(i);
            r -= weights[i];
        }
        return static_cast<int>(weights.size()) - 1;
    }

private:
    std::uint64_t s_;
};

// A number with a fixed count of decimals, whatever the C locale says about the decimal point.
inline std::string fixed(double v, int decimals) {
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buf, end);
}

inline std::string padded(long v, int width) {
    std::string s = std::to_string(v);
    return std::string(static_cast<std::size_t>(std::max<long>(0, width - static_cast<long>(s.size()))), '0') + s;
}

struct Unit {
    std::string boiler;
    double mw = 0;
    int boilertype = 0, so2 = 0, pm = 0;
    std::string specboiler, specnox, specscrub, specpm, otherfuel;
};

struct Plant {
    int number = 0;
    std::string name, code, owner, operator_;
    const State* state = nullptr;
    int fuel = 3;        // main fuel code
    int blendwith = 0;   // a second fuel burned blended with the main one, 0 for none
    int cofuel = 0;      // a fuel burned on its own beside the main one, 0 for none
    std::vector<Unit> units;
    double mw() const {
        double t = 0;
        for (const auto& u : units) t += u.mw;
        return t;
    }
};

// Typical mercury (ppm by weight, median) and heating value (Btu per pound) and moisture
// (percent) of a fuel.
struct FuelTraits {
    double hgmedian, btu, moisture;
};
inline FuelTraits traits(int fuel) {
    switch (fuel) {
    case 1: return {0.15, 12300, 6};
    case 3: return {0.10, 12000, 7};
    case 4: return {0.065, 8800, 26};
    case 5: return {0.11, 6800, 33};
    case 6: return {0.07, 12600, 6};
    case 7: return {0.03, 14000, 8};
    case 8: return {0.35, 9000, 10};
    case 9: return {0.10, 7800, 20};
    case 10: return {0.18, 12500, 5};
    case 11: return {0.25, 8000, 9};
    case 12: return {0.06, 15000, 1};
    default: return {0.08, 11000, 10};
    }
}

inline std::string joinfields(const std::vector<std::string>& f) {
    std::string s;
    for (std::size_t k = 1; k < f.size(); ++k) {
        if (k > 1) s += '\t';
        s += f[k];
    }
    return s + "\r\n";
}

template <class R>
void writerecords(const fs::path& path, const std::vector<R>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const R& r : records) {
        auto bytes = encode(r);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

inline void writetext(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}
// The emission test and bin exports of the fleet (examplegen_tests.cpp).
void writetestandbinexports(const fs::path& dir, const std::vector<Plant>& plants, bool small);
// The trace compound, supplier and partition factor exports (examplegen_compounds.cpp).
void writecompoundexports(const fs::path& dir, bool small);

}  // namespace brasket::example
