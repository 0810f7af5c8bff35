// The emission test and bin exports of the synthetic example set: boiler, particulate and SO2
// test runs of tested units that exist nowhere, the bin summary, the two translation tables
// and a bin factor file. They agree with the fleet of examplegen.cpp: the tested units' type
// names are the model type names at their rows, their bins (1 to 44) are those of the bin
// summary, and the configuration rows carry the fleet's fuel numbers and model codes.
#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "examplegen_fleet.h"

namespace brasket::example {
namespace {

// A fleet configuration as the bin look-up sees it: fuel number, boiler type, particulate
// control and SO2 control codes.
using Configuration = std::tuple<int, int, int, int>;

// Fuel groups of the bins: bituminous, subbituminous, lignite, other fuels.
int fuelgroup(int fuel) {
    switch (fuelsof(fuel).first) {  // a blend is binned by its lower code
    case 1: case 3: case 6: case 8: case 10: case 11: return 0;
    case 4: case 9: return 1;
    case 5: return 2;
    default: return 3;
    }
}

bool wetso2(int so2) { return so2 == 1 || so2 == 2 || so2 == 3 || so2 == 4 || so2 == 7 || so2 == 8 || so2 == 9; }

// Control classes of the bins: particulate control, then SO2 control where it matters.
int controlclass(int pm, int so2) {
    switch (pm) {
    case 1: case 7: case 14: return so2 == 0 ? 0 : (wetso2(so2) ? 1 : 2);  // cold-side ESP
    case 2: case 3: case 5: return so2 == 0 ? 3 : (wetso2(so2) ? 5 : 4);   // baghouse
    case 4: case 11: case 12: case 13: return so2 == 0 ? 6 : 7;             // hot-side ESP
    case 8: case 9: case 10: return 8;                                      // particulate scrubber
    case 6: return 9;                                                       // mechanical collector
    default: return 10;                                                     // none, coal gas
    }
}

// Bins 1 to 44: eleven control classes for each of four fuel groups.
int binof(int fuel, int pm, int so2) { return 1 + 11 * fuelgroup(fuel) + controlclass(pm, so2); }

std::string bincode(int bin) { return std::string(1, "BSLO"[(bin - 1) / 11]) + padded((bin - 1) % 11 + 1, 2); }

const char* controlclassname(int c) {
    static const char* names[] = {"cold ESP",        "cold ESP + wet FGD", "cold ESP + dry FGD", "baghouse",
                                  "baghouse + dry FGD", "baghouse + wet FGD", "hot ESP",          "hot ESP + FGD",
                                  "particulate scrubber", "mechanical collector", "no control"};
    return names[c];
}
const char* fuelgroupname(int g) {
    static const char* names[] = {"bituminous", "subbituminous", "lignite", "other fuels"};
    return names[g];
}

// Speciation of the mercury leaving the furnace (particulate, oxidized, elemental) by fuel group.
std::array<double, 3> furnacespeciation(int group) {
    switch (group) {
    case 0: return {0.10, 0.55, 0.35};
    case 1: return {0.05, 0.25, 0.70};
    case 2: return {0.03, 0.15, 0.82};
    default: return {0.06, 0.40, 0.54};
    }
}

// Fractions of particulate, oxidized and elemental mercury a device removes.
std::array<double, 3> pmremoval(int pm, int group) {
    switch (pm) {
    case 1: case 7: case 14: return {0.95, 0.20, 0.02};
    case 2: case 3: case 5: return {0.99, group == 0 ? 0.60 : 0.20, 0.05};
    case 4: case 11: case 12: case 13: return {0.90, 0.05, 0.0};
    case 8: case 9: case 10: return {0.80, 0.50, 0.0};
    case 6: return {0.50, 0.02, 0.0};
    default: return {0, 0, 0};
    }
}
std::array<double, 3> so2removal(int so2) {
    if (so2 == 0) return {0, 0, 0};
    if (wetso2(so2)) return {0.50, 0.85, 0.0};
    return {0.90, 0.50, 0.05};
}

// The emission modification factor of a configuration: the share of the fuel's mercury that
// leaves the stack.
double modelfactor(int fuel, int pm, int so2) {
    int g = fuelgroup(fuel);
    auto s = furnacespeciation(g);
    auto r1 = pmremoval(pm, g), r2 = so2removal(so2);
    double f = 0;
    for (int k = 0; k < 3; ++k) f += s[k] * (1 - r1[k]) * (1 - r2[k]);
    return f;
}

// The fleet's configurations with the number of units in each, most common first.
std::vector<std::pair<Configuration, int>> fleetconfigurations(const std::vector<Plant>& plants) {
    std::map<Configuration, int> count;
    for (const Plant& p : plants) {
        const int fuel = fuelnumber(p.fuel, p.blendwith), cofuel = p.cofuel ? fuelnumber(p.cofuel, 0) : 0;
        for (const Unit& u : p.units) {
            ++count[{fuel, u.boilertype, u.pm, u.so2}];
            if (cofuel) ++count[{cofuel, u.boilertype, u.pm, u.so2}];
        }
    }
    std::vector<std::pair<Configuration, int>> list(count.begin(), count.end());
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return list;
}

// A tested unit: a configuration of the fleet with a name of its own.
struct TestedUnit {
    std::string name;
    int number = 0;
    int fleetfuel = 203;   // the fuel number of its configuration
    std::string fueltext;  // how the test exports name its fuel
    int fuel = 3;          // the fuel code that text stands for
    int boilertype = 0, pm = 0, so2 = 0, bin = 0;
    double mw = 0;
};

// The fuel text of a test line and the fuel code it stands for.
std::pair<std::string, int> testfuel(int fleetfuel) {
    auto [a, b] = fuelsof(fleetfuel);
    if (b) return {"Sub-bit/Bit blend", 14};
    switch (a) {
    case 1: case 3: return {"Bituminous", 3};
    case 6: return {"Bituminous, low sulfur", 6};
    case 4: return {"Sub-bituminous", 4};
    case 5: return {"Lignite", 5};
    case 7: return {"Petroleum Coke", 7};
    case 8: return {"Waste Bit", 8};
    case 9: return {"Waste Sub", 9};
    case 10: return {"Anthracite", 10};
    case 11: return {"Waste anthracite", 8};
    default: return {"Tire-derived fuel", 2};
    }
}

std::vector<TestedUnit> testedunits(Random& rng, const std::vector<Plant>& plants, int count) {
    auto configurations = fleetconfigurations(plants);
    std::vector<double> weights;
    for (const auto& c : configurations) weights.push_back(c.second);
    std::vector<TestedUnit> units;
    for (int i = 1; i <= count; ++i) {
        const Configuration& c = configurations[static_cast<std::size_t>(rng.pick(weights))].first;
        TestedUnit t;
        t.number = i;
        t.name = "Test Unit " + padded(i, 3);
        t.fleetfuel = std::get<0>(c);
        std::tie(t.fueltext, t.fuel) = testfuel(t.fleetfuel);
        t.boilertype = std::get<1>(c);
        t.pm = std::get<2>(c);
        t.so2 = std::get<3>(c);
        t.bin = binof(std::get<0>(c), t.pm, t.so2);
        t.mw = std::round(std::clamp(std::exp(5.3 + 0.6 * rng.normal()), 40.0, 900.0));
        units.push_back(t);
    }
    return units;
}

// A mercury value of a run: below its detection limit it is written "ND(limit)".
std::string measured(Random& rng, double v) {
    if (v < 0.02) return "ND(" + fixed(rng.chance(0.5) ? 0.02 : 0.04, 2) + ")";
    return fixed(v, 3);
}

// The three test exports: boiler, particulate and SO2 control runs of every tested unit.
std::array<std::string, 3> testexports(Random& rng, const std::vector<TestedUnit>& units) {
    const std::string head =
        "TYPE\tUNIT\tRUN\tBURN RATE (dry kg/hr)\tHEAT INPUT (MMBtu/hr)\tSULFUR (%)\tO2 IN (%)\tIN PART\tIN OX\t"
        "IN ELEM\tGAS RATE (DSCM/hr)\tT IN (F)\tT OUT (F)\tO2 OUT (%)\tOUT PART\tOUT OX\tOUT ELEM\tMETHOD\tFUEL\r\n"
        "\t\t\t\t\t\t\t(ug/DSCM; boiler: ash %)\t(ug/DSCM; boiler: Hg ppmw)\t(ug/DSCM; boiler: Cl ppmw)\t\t\t\t\t"
        "(ug/DSCM)\t(ug/DSCM)\t(ug/DSCM)\t\t\r\n";
    std::array<std::string, 3> out{head, head, head};  // boiler, particulate, SO2
    static const std::vector<std::string> methods = {"Ontario Hydro (ASTM D6414)", "EPA Method 29 (3051/3052/7471)",
                                                     "Coal: EPA 7471)", "Coal and ash (7371/1631)",
                                                     "Proposed sorbent trap method", "ASTM D3684", "ASTM D5430",
                                                     "EPA 1631"};
    for (const TestedUnit& t : units) {
        const int g = fuelgroup(t.fleetfuel);
        const FuelTraits tr = traits(fuelsof(t.fleetfuel).first);
        const std::string method = methods[static_cast<std::size_t>(rng.range(0, static_cast<int>(methods.size()) - 1))];
        for (int run = 1; run <= 3; ++run) {
            double sulfur = t.fuel == 6 ? 0.3 + 0.25 * rng.uniform() : (g == 0 ? 0.7 + 2.5 * rng.uniform() : 0.2 + 0.5 * rng.uniform());
            double hg = std::clamp(tr.hgmedian * std::exp(0.3 * rng.normal()), 0.01, 1.0);
            double ash = g == 0 ? 8 + 6 * rng.uniform() : (g == 2 ? 10 + 8 * rng.uniform() : 5 + 4 * rng.uniform());
            double chlorine = g == 0 ? 300 + 1500 * rng.uniform() : 30 + 200 * rng.uniform();
            double burn = t.mw * 1e7 / tr.btu * 0.4536 * (0.9 + 0.1 * rng.uniform());
            double gas = burn * (9.5 + rng.uniform());
            double total = hg * 1000 * burn / gas;  // ug/DSCM leaving the furnace
            auto s = furnacespeciation(g);
            std::array<double, 3> inlet{};
            for (int k = 0; k < 3; ++k) inlet[k] = total * s[k] * (1 + 0.1 * rng.normal());
            auto r1 = pmremoval(t.pm, g), r2 = so2removal(t.so2);
            std::array<double, 3> afterpm{}, stack{};
            for (int k = 0; k < 3; ++k) {
                afterpm[k] = std::max(0.0, inlet[k] * (1 - r1[k]) * (1 + 0.08 * rng.normal()));
                stack[k] = std::max(0.0, afterpm[k] * (1 - r2[k]) * (1 + 0.08 * rng.normal()));
            }
            double o2in = 5 + 2 * rng.uniform(), o2out = o2in + 0.3 + rng.uniform();
            auto line = [&](const std::string& type, const std::array<std::string, 3>& in,
                            const std::array<double, 3>& outlet) {
                std::vector<std::string> f(20);
                f[1] = type;
                f[2] = t.name;
                f[3] = std::to_string(run);
                f[4] = fixed(burn, 0);
                f[5] = fixed(burn * tr.btu * 2.2046 / 1e6, 1);
                f[6] = fixed(sulfur, 2);
                f[7] = fixed(o2in, 1);
                f[8] = in[0];
                f[9] = in[1];
                f[10] = in[2];
                f[11] = fixed(gas, 0);
                f[12] = fixed(280 + 60 * rng.uniform(), 0);
                f[13] = fixed(130 + 40 * rng.uniform(), 0);
                f[14] = fixed(o2out, 1);
                for (int k = 0; k < 3; ++k) f[static_cast<std::size_t>(15 + k)] = measured(rng, outlet[static_cast<std::size_t>(k)]);
                f[18] = method;
                f[19] = t.fueltext;
                return joinfields(f);
            };
            out[0] += line(boilertypes()[static_cast<std::size_t>(t.boilertype)],
                           {fixed(ash, 1), fixed(hg, 4), fixed(chlorine, 0)}, stack);
            if (t.pm >= 1 && t.pm <= 14)
                out[1] += line(pmtypes()[static_cast<std::size_t>(t.pm)],
                               {measured(rng, inlet[0]), measured(rng, inlet[1]), measured(rng, inlet[2])}, afterpm);
            if (t.so2 > 0)
                out[2] += line(so2types()[static_cast<std::size_t>(t.so2)],
                               {measured(rng, afterpm[0]), measured(rng, afterpm[1]), measured(rng, afterpm[2])},
                               stack);
        }
    }
    return out;
}

// "efsummary.txt": one line per bin, its code text, its description and its number.
std::string binsummaryexport() {
    std::string out = "CODE\tDESCRIPTION\tBIN\tEMF\r\nBin summary of the synthetic example set\t\t\t\r\n";
    for (int bin = 1; bin <= 44; ++bin) {
        int g = (bin - 1) / 11, c = (bin - 1) % 11;
        out += joinfields({"", bincode(bin), std::string(fuelgroupname(g)) + ", " + controlclassname(c),
                           std::to_string(bin), fixed(bin % 11 == 0 ? 1.0 : 0.5, 2)});
    }
    return out;
}

// "translation table.txt": one test row per tested unit.
std::string testrowsexport(const std::vector<TestedUnit>& units) {
    std::string out = "UNIT\tBIN\tCODE\tUNIT NO\tLAYOUT\tFUEL NAME\tFUEL\r\n";
    for (const TestedUnit& t : units)
        out += joinfields({"", t.name, std::to_string(t.bin), bincode(t.bin), std::to_string(t.number),
                           t.pm == 15 || t.pm == 16 || t.pm == 0 ? "0" : "1", t.fueltext,
                           std::to_string(t.fuel)});
    return out;
}

// "translation table 2.txt": one configuration row per fleet configuration but the last (at
// most the table's 300 rows), most common first, so the bin search has work.
std::string configurationrowsexport(const std::vector<Plant>& plants) {
    auto configurations = fleetconfigurations(plants);
    std::size_t rows = std::min<std::size_t>(configurations.size() - 1, 300);
    std::string out = "DESCRIPTION\tCODE\tBIN\tFUEL NAME\tFUEL\r\nConfiguration rows of the synthetic example set\r\n";
    for (std::size_t j = 0; j < rows; ++j) {
        auto [fuel, boiler, pm, so2] = configurations[j].first;
        int bin = binof(fuel, pm, so2);
        std::vector<std::string> f(24);
        f[1] = "configuration " + std::to_string(j + 1);
        f[2] = bincode(bin);
        f[3] = std::to_string(bin);
        auto [first, second] = fuelsof(fuel);
        f[4] = fuelnames()[static_cast<std::size_t>(first)] +
               (second ? "/" + fuelnames()[static_cast<std::size_t>(second)] : std::string());
        f[5] = std::to_string(fuel);
        f[6] = boilertypes()[static_cast<std::size_t>(boiler)];
        f[7] = pmtypes()[static_cast<std::size_t>(pm)];
        f[8] = so2types()[static_cast<std::size_t>(so2)];
        f[9] = std::to_string(configurations[j].second);
        f[21] = std::to_string(boiler);
        f[22] = std::to_string(pm);
        f[23] = std::to_string(so2);
        out += joinfields(f);
    }
    return out;
}

// A bin factor file: the factor of every bin of the fleet. A bin with tested units takes the
// mean model factor of those units; any other bin the mean over the fleet configurations it
// holds, so that no configuration of the fleet falls in a bin without a factor (which would
// read as all its mercury removed).
std::string binfactorexport(const std::vector<TestedUnit>& units, const std::vector<Plant>& plants) {
    std::map<int, std::pair<double, int>> tested, fleet;
    for (const TestedUnit& t : units) {
        auto& s = tested[t.bin];
        s.first += modelfactor(t.fleetfuel, t.pm, t.so2);
        s.second += 1;
    }
    for (const auto& [configuration, count] : fleetconfigurations(plants)) {
        auto [fuel, boiler, pm, so2] = configuration;
        auto& s = fleet[binof(fuel, pm, so2)];
        s.first += modelfactor(fuel, pm, so2);
        s.second += 1;
    }
    for (const auto& [bin, s] : tested) fleet[bin] = s;
    std::string out = "BIN\tEMF\r\nBin factors of the synthetic example set\t\r\n";
    for (const auto& [bin, s] : fleet) out += joinfields({"", std::to_string(bin), fixed(s.first / s.second, 3)});
    return out;
}

}  // namespace

// Writes the test and bin exports of the fleet into `dir`.
void writetestandbinexports(const fs::path& dir, const std::vector<Plant>& plants, bool small) {
    Random rng(small ? 4402 : 4401);
    auto units = testedunits(rng, plants, small ? 15 : 60);
    auto tests = testexports(rng, units);
    writetext(dir / "boilertest.txt", tests[0]);
    writetext(dir / "pmtest.txt", tests[1]);
    writetext(dir / "so2test.txt", tests[2]);
    writetext(dir / "efsummary.txt", binsummaryexport());
    writetext(dir / "translation table.txt", testrowsexport(units));
    writetext(dir / "translation table 2.txt", configurationrowsexport(plants));
    writetext(dir / "dornvelt factors.txt", binfactorexport(units, plants));
}

}  // namespace brasket::example
