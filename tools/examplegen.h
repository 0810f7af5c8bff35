// The synthetic example export set: a national fleet of plants and units that exists nowhere,
// made deterministically, with the working files that its exports presuppose (the fuel names
// at the codes the model's fuel tables assume, the device type names at their rows).
// Header-only, so that the generator program and the tests build it alike.
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

namespace brasket::example {

namespace fs = std::filesystem;

// What the written exports define, for checking an import of them.
struct Summary {
    long plants = 0;
    long units = 0;      // distinct units (a unit may have several lines)
    long unitlines = 0;  // data lines of the unit export
    long analyses = 0;   // analyses over the four quarters
    long fueluselines = 0;
    std::array<long, 4> quarteranalyses{};
};

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

inline std::vector<Plant> makefleet(Random& rng, int plantcount) {
    const auto& st = states();
    std::vector<double> stateweights;
    for (const auto& s : st) stateweights.push_back(s.weight);
    std::vector<Plant> plants(static_cast<std::size_t>(plantcount));
    int owner = 0, operator_ = 0, left = 0;
    for (int i = 0; i < plantcount; ++i) {
        Plant& p = plants[static_cast<std::size_t>(i)];
        p.number = i + 1;
        p.name = "Plant " + padded(i + 1, 4);
        p.code = std::to_string(1000 + 7 * (i + 1));
        // Every state has a plant; the rest go where coal is burned most.
        p.state = i < static_cast<int>(st.size()) ? &st[static_cast<std::size_t>(i)] : &st[static_cast<std::size_t>(rng.pick(stateweights))];
        // An owner holds a run of consecutive plants, most run by the owner itself.
        if (left == 0) {
            ++owner;
            left = rng.range(1, 5);
        }
        --left;
        p.owner = "Synthetic Power Company " + padded(owner, 3);
        p.operator_ = rng.chance(0.8) ? "Synthetic Power Company " + padded(owner, 3)
                                      : "Synthetic Operating Co " + padded(++operator_ % 90 + 1, 2);
        p.fuel = p.state->rank;
        if (p.fuel == 1 && rng.chance(0.3)) p.fuel = 3;
        if (std::string(p.state->code) == "PA" && rng.chance(0.4)) p.fuel = rng.chance(0.5) ? 10 : 8;
        if (p.fuel == 4 && rng.chance(0.15)) p.blendwith = 3;
        if (rng.chance(0.12)) p.cofuel = rng.chance(0.6) ? 7 : 12;

        int nunits = 1 + rng.pick({30, 30, 18, 12, 6, 4});
        bool stylest = rng.chance(0.3);
        for (int k = 1; k <= nunits; ++k) {
            Unit u;
            u.boiler = stylest ? "ST" + std::to_string(k) : std::to_string(k);
            u.mw = std::round(std::clamp(std::exp(5.4 + 0.75 * rng.normal()), 20.0, 1300.0) * 10) / 10;
            bool coalgas = rng.chance(0.004);
            if (coalgas) {
                u.boilertype = 22;
                u.pm = 16;
                u.specboiler = specboilers()[6];
            } else if (u.mw < 60 && rng.chance(0.6)) {
                u.boilertype = std::vector<int>{4, 5, 16, 17, 18, 6, 14, 2}[static_cast<std::size_t>(rng.range(0, 7))];
                u.specboiler = u.boilertype == 6 || u.boilertype == 14 || u.boilertype == 2 ? specboilers()[5]
                                                                                            : specboilers()[4];
            } else if (p.fuel == 5 && rng.chance(0.4)) {
                u.boilertype = std::vector<int>{7, 10, 11, 21}[static_cast<std::size_t>(rng.range(0, 3))];
                u.specboiler = specboilers()[3];
            } else {
                static const std::vector<int> pc = {1, 3, 8, 9, 12, 13, 19, 20, 23, 24};
                u.boilertype = pc[static_cast<std::size_t>(rng.pick({20, 14, 14, 20, 3, 6, 10, 4, 6, 3}))];
                u.specboiler = u.boilertype == 8 || u.boilertype == 9 || u.boilertype == 20 || u.boilertype == 23
                                   ? specboilers()[1]
                                   : (u.boilertype == 12 || u.boilertype == 24 ? specboilers()[2] : specboilers()[0]);
            }
            if (u.pm == 0) {
                static const std::vector<int> pms = {1, 2, 4, 7, 8, 9, 12, 13, 14, 6, 15};
                u.pm = pms[static_cast<std::size_t>(rng.pick({55, 16, 9, 3, 3, 1, 3, 1, 2, 2, 1}))];
                static const std::vector<int> so2s = {0, 1, 5, 6, 10, 7, 2, 4};
                u.so2 = so2s[static_cast<std::size_t>(rng.pick({58, 22, 8, 3, 3, 2, 2, 2}))];
            }
            int nox = u.boilertype == 13 || u.boilertype == 19 || u.boilertype == 21 ? 2
                      : (u.boilertype == 2 || u.boilertype == 11 || u.boilertype == 17 || u.boilertype == 18 ||
                         u.boilertype == 20 || u.boilertype == 23 || u.boilertype == 24)
                          ? 3
                          : (rng.chance(0.6) ? rng.range(0, 1) : 4);
            u.specnox = specnox()[static_cast<std::size_t>(nox)];
            static const std::vector<int> scrubof = {-1, 0, 0, 1, 4, 2, 3, 0, 5, 0, 3};
            int scrub = u.so2 >= 0 && u.so2 < static_cast<int>(scrubof.size()) ? scrubof[static_cast<std::size_t>(u.so2)] : -1;
            if (scrub >= 0) u.specscrub = specscrubs()[static_cast<std::size_t>(scrub)];
            static const std::vector<int> pmof = {-1, 0, 2, 2, 1, 2, 3, 0, 4, 4, 4, 1, 1, 1, 0, -1, -1};
            int spm = pmof[static_cast<std::size_t>(u.pm)];
            if (spm >= 0) u.specpm = specpms()[static_cast<std::size_t>(spm)];
            if (rng.chance(0.35)) u.otherfuel = rng.chance(0.7) ? "NATURAL GAS" : "DISTILLATE OIL";
            p.units.push_back(u);
        }
    }
    return plants;
}

inline std::string joinfields(const std::vector<std::string>& f) {
    std::string s;
    for (std::size_t k = 1; k < f.size(); ++k) {
        if (k > 1) s += '\t';
        s += f[k];
    }
    return s + "\r\n";
}

inline std::string unitexport(Random& rng, const std::vector<Plant>& plants, Summary& sum) {
    std::string out = "Unit export of the synthetic example fleet\r\n";
    std::vector<std::string> head(47);
    const char* names[] = {"", "OWNER", "OPERATOR", "OWNER_PHONE", "OWNER_ID", "OWNER_STREET", "OWNER_CITY",
                           "OWNER_ZIP", "OPER_STREET", "OPER_CITY", "OPER_COUNTY", "OPER_STATE", "OPER_ZIP", "PLANT",
                           "PFCODE", "STREET", "CITY", "COUNTY", "STATE", "ZIP", "MAIL_STREET", "MAIL_CITY",
                           "MAIL_COUNTY", "MAIL_STATE", "MAIL_ZIP", "X25", "X26", "X27", "SUPPL_FUEL", "LIG", "BIT",
                           "SUB", "ANTH", "BOILER_ID", "MW", "X35", "X36", "BOILER", "NOX", "SCRUBBER", "PARTICULATE",
                           "MODEL_BOILER", "MODEL_SO2", "MODEL_PM", "UNIT_NAME", "LATITUDE", "LONGITUDE"};
    for (int k = 1; k <= 46; ++k) head[static_cast<std::size_t>(k)] = names[k];
    out += joinfields(head);
    for (const Plant& p : plants) {
        const std::string state = p.state->code;
        const std::string lat = fixed(25 + 23 * rng.uniform(), 4), lon = fixed(-124 + 57 * rng.uniform(), 4);
        for (std::size_t k = 0; k < p.units.size(); ++k) {
            const Unit& u = p.units[k];
            std::vector<std::string> f(47);
            f[1] = p.owner;
            f[2] = p.operator_;
            f[3] = "555-01" + padded(p.number % 100, 2);
            f[4] = padded(p.number, 5);
            f[5] = std::to_string(100 + p.number) + " Example Avenue";
            f[6] = "Sampletown";
            f[7] = padded(10000 + p.number * 37 % 89999, 5);
            f[8] = std::to_string(200 + p.number) + " Operations Way";
            f[9] = "Opsville";
            f[10] = "County " + padded(p.number % 60 + 1, 2);
            f[11] = state;
            f[12] = padded(20000 + p.number * 53 % 79999, 5);
            f[13] = p.name;
            f[14] = p.code;
            f[15] = std::to_string(p.number) + " Station Road";
            f[16] = "Plantville";
            f[17] = "County " + padded(p.number % 60 + 1, 2);
            f[18] = state;
            f[19] = padded(30000 + p.number * 71 % 69999, 5);
            f[20] = "P.O. Box " + std::to_string(1000 + p.number);
            f[21] = "Plantville";
            f[22] = "County " + padded(p.number % 60 + 1, 2);
            f[23] = state;
            f[24] = f[19];
            f[28] = u.otherfuel;
            const int fuels[] = {p.fuel, p.blendwith};
            for (int fuel : fuels) {
                if (fuel == 5) f[29] = "x";
                if (fuel == 1 || fuel == 3 || fuel == 6 || fuel == 8) f[30] = "x";
                if (fuel == 4 || fuel == 9) f[31] = "x";
                if (fuel == 10 || fuel == 11) f[32] = "x";
            }
            f[33] = u.boiler;
            f[34] = fixed(u.mw, 1);
            f[37] = u.specboiler;
            f[38] = u.specnox;
            f[39] = u.specscrub;
            f[40] = u.specpm;
            f[41] = boilertypes()[static_cast<std::size_t>(u.boilertype)];
            f[42] = so2types()[static_cast<std::size_t>(u.so2)];
            f[43] = pmtypes()[static_cast<std::size_t>(u.pm)];
            f[44] = p.name + " Unit " + u.boiler;
            f[45] = lat;
            f[46] = lon;
            out += joinfields(f);
            ++sum.unitlines;
            // A unit with two generators has a second line; the spreadsheet quoted its plant name.
            if (rng.chance(0.06)) {
                f[13] = "\"" + p.name + "\"";
                out += joinfields(f);
                ++sum.unitlines;
            }
        }
        sum.units += static_cast<long>(p.units.size());
    }
    sum.plants = static_cast<long>(plants.size());
    return out;
}

// The four quarterly analysis exports: analyses in proportion to each plant's capacity.
inline std::array<std::string, 4> analysisexports(Random& rng, const std::vector<Plant>& plants, long target,
                                                  Summary& sum) {
    std::array<std::string, 4> out;
    const char* head = "SAMPLE_ID\tPFCODE\tPLANT\tSAMPLE_DATE\tSTATE\tCOUNTY\tSUPPLIER\tMINE\tSEAM\tFUEL1\tFUEL2\tTYPE\t"
                       "LAB\tSULFUR\tMETHOD\tASH\tHG_PPM\tHG_FLAG\tCL_PPM\r\n";
    for (auto& q : out) q = head;
    double totalmw = 0;
    for (const auto& p : plants) totalmw += p.mw();
    long sample = 0;
    for (const Plant& p : plants) {
        long n = std::max<long>(4, std::lround(static_cast<double>(target) * p.mw() / totalmw));
        for (long i = 0; i < n; ++i) {
            int month = static_cast<int>(i % 12) + 1;
            int fuel = p.fuel, second = p.blendwith;
            // A fuel burned beside the main one is analysed at least once, in the plant's last
            // analysis, so that each fuel burned has a yearly mercury value.
            if (p.cofuel && (rng.chance(0.15) || i == n - 1)) fuel = p.cofuel, second = 0;
            const FuelTraits t = traits(second ? std::min(fuel, second) : fuel);
            double hg = std::clamp(t.hgmedian * std::exp(0.45 * rng.normal()), 0.004, 1.5);
            std::string flag, hgtext = fixed(hg, 4);
            if (hg < 0.02) flag = "X", hgtext = "0.02";
            std::vector<std::string> f(20);
            f[1] = "S" + padded(++sample, 6);
            f[2] = p.code;
            f[3] = p.name;
            f[4] = std::to_string(month) + "/" + std::to_string(rng.range(1, 28)) + "/1999";
            f[5] = p.state->code;
            f[6] = "County " + padded(p.number % 60 + 1, 2);
            f[7] = "Supplier " + padded(p.number % 40 + 1, 2);
            f[8] = "Mine " + padded(p.number % 120 + 1, 3);
            f[10] = fuelnames()[static_cast<std::size_t>(fuel)];
            f[11] = fuelnames()[static_cast<std::size_t>(second ? second : nonefuel)];
            if (second && rng.chance(0.5)) std::swap(f[10], f[11]);
            f[12] = "AS RECEIVED";
            f[13] = "LAB " + std::to_string(rng.range(1, 9));
            f[14] = fixed(std::clamp(1.2 + 0.8 * rng.normal(), 0.2, 5.0), 2);
            f[15] = "D6414";
            f[16] = fixed(std::clamp(10 + 3 * rng.normal(), 2.0, 30.0), 2);
            f[17] = hgtext;
            f[18] = flag;
            f[19] = std::to_string(rng.range(50, 2500));
            out[static_cast<std::size_t>((month - 1) / 3)] += joinfields(f);
            ++sum.quarteranalyses[static_cast<std::size_t>((month - 1) / 3)];
            ++sum.analyses;
        }
    }
    return out;
}

// Twelve months of fuel use per unit, tons in proportion to capacity.
inline std::string fueluseexport(Random& rng, const std::vector<Plant>& plants, Summary& sum) {
    std::string out = "YEAR\tPFCODE\tBOILER_ID\tMONTH\tFUEL1\tFUEL2\tTONS\tMOISTURE\r\n";
    for (const Plant& p : plants) {
        for (const Unit& u : p.units) {
            double capacityfactor = std::clamp(0.68 + 0.08 * rng.normal(), 0.35, 0.9);
            for (int month = 1; month <= 12; ++month) {
                auto line = [&](int fuel, int second, double share) {
                    const FuelTraits t = traits(second ? std::min(fuel, second) : fuel);
                    double cf = std::clamp(capacityfactor * (1 + 0.12 * rng.normal()), 0.05, 0.95);
                    // MW x hours x heat rate (10,000 Btu/kWh) over Btu per ton.
                    double tons = u.mw * cf * 730 * 10000 * 1000 / (2000 * t.btu) * share;
                    std::vector<std::string> f(9);
                    f[1] = "1999";
                    f[2] = p.code;
                    f[3] = u.boiler;
                    f[4] = std::to_string(month) + "/1/1999";
                    f[5] = fuelnames()[static_cast<std::size_t>(fuel)];
                    f[6] = fuelnames()[static_cast<std::size_t>(second ? second : nonefuel)];
                    f[7] = fixed(std::round(tons), 0);
                    f[8] = fixed(std::clamp(t.moisture + 1.5 * rng.normal(), 0.0, 45.0), 1);
                    out += joinfields(f);
                    ++sum.fueluselines;
                };
                line(p.fuel, p.blendwith, p.cofuel ? 0.9 : 1.0);
                if (p.cofuel) line(p.cofuel, 0, 0.1);
            }
        }
    }
    return out;
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

// The working files the exports presuppose: fuels, model type names and device name lists.
inline void writeworkingfiles(const fs::path& dir) {
    std::vector<idfuelrec> fuels(100);
    for (std::size_t k = 1; k <= 100; ++k) {
        fuels[k - 1].code = static_cast<u8>(k);
        fuels[k - 1].name = k < fuelnames().size() ? fuelnames()[k] : "";
    }
    writerecords(dir / "idfuel.dat", fuels);
    std::vector<emfactorrec> types;
    for (std::size_t i = 1; i <= 30; ++i) {
        for (const auto* column : {&boilertypes(), &so2types(), &pmtypes()}) {
            emfactorrec r;
            r.name = i < column->size() ? (*column)[i] : "";
            types.push_back(r);
        }
    }
    writerecords(dir / "emfactor.dat", types);
    writetext(dir / "boiler.dat", namelisttext(specboilers()));
    writetext(dir / "nox.dat", namelisttext(specnox()));
    writetext(dir / "scrub.dat", namelisttext(specscrubs()));
    writetext(dir / "pm.dat", namelisttext(specpms()));
}

// Writes the example set into `dir`: the full national fleet, or a small one for tests.
// The emission test and bin exports of the fleet (examplegen_tests.h).
inline void writetestandbinexports(const fs::path& dir, const std::vector<Plant>& plants, bool small);
// The trace compound, supplier and partition factor exports (examplegen_compounds.h).
inline void writecompoundexports(const fs::path& dir, bool small);

inline Summary makeexample(const fs::path& dir, bool small) {
    fs::create_directories(dir);
    Random rng(small ? 20261207 : 19990101);
    Summary sum;
    std::vector<Plant> plants = makefleet(rng, small ? 20 : 450);
    writetext(dir / "partIIExport.txt", unitexport(rng, plants, sum));
    auto quarters = analysisexports(rng, plants, small ? 400 : 40000, sum);
    for (int q = 0; q < 4; ++q)
        writetext(dir / ("hg" + std::to_string(q + 1) + "Qdatashort.txt"), quarters[static_cast<std::size_t>(q)]);
    writetext(dir / "fuelusageexport.txt", fueluseexport(rng, plants, sum));
    std::string statelist;
    for (const auto& s : states()) statelist += std::string(s.code) + "," + std::to_string(s.region) + "\r\n";
    writetext(dir / "states.prn", statelist);
    writeworkingfiles(dir);
    writetestandbinexports(dir, plants, small);
    writecompoundexports(dir, small);
    return sum;
}

}  // namespace brasket::example

#include "examplegen_tests.h"
#include "examplegen_compounds.h"
