// The fleet of the example set: plants and units, the unit, analysis and fuel use exports and
// the working files, and the whole set written.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "examplegen_fleet.h"

namespace brasket::example {
namespace {


std::vector<Plant> makefleet(Random& rng, int plantcount) {
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

std::string unitexport(Random& rng, const std::vector<Plant>& plants, Summary& sum) {
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
std::array<std::string, 4> analysisexports(Random& rng, const std::vector<Plant>& plants, long target,
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
std::string fueluseexport(Random& rng, const std::vector<Plant>& plants, Summary& sum) {
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

// The working files the exports presuppose: fuels, model type names and device name lists.
void writeworkingfiles(const fs::path& dir) {
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

}  // namespace

Summary makeexample(const fs::path& dir, bool small) {
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
