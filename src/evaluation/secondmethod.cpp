#include "evaluation/secondmethod.h"

#include <algorithm>

#include "app.h"
#include "common/numtext.h"
#include "evaluation/binscan.h"
#include "evaluation/evaluationtext.h"
#include "report/numformat.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket {

namespace {

constexpr std::array<const char*, secondmethoddevices + 1> devicenames{
    "",          "ESP CS",          "ESP HS",     "Lignite ESP cs",    "Particle Scrub",
    "Baghouse",  "ESP CS wetscrub", "SDA control", "Mechanical",       "ESPCS/bag",
    "ESPHS /Wetscrub", "SDA/ESP",   "Baghouse/Wetscrub", "Sorb/ESP"};

constexpr long emptyfuelclass = 2;
constexpr long lignite = 5;
constexpr long fallbackspeciationbin = 32;
constexpr long speciationbins = 51;

// Device types 1..13 of the second method, for the stage-2 fractions k = 1..3.
std::array<double, 4> removal(const App& app, long type) {
    const partfactors2rec& r = app.ws.partfactors2(type);
    return {0, r.partremoval, r.oxremoval, r.elemremoval};
}

std::string nameof(long type) {
    std::string name;
    devicename2(type, name);
    return name;
}

// 100 times a fraction, computed as the stored 32-bit value gives it, with its "%".
std::string percentline(std::string_view label, double fraction) {
    return std::string(label) + formatnumber(static_cast<float>(100.0f * static_cast<float>(fraction)), "##0.###") +
           "%";
}

// The particulate device type the second method models a particulate control code as.
long particulatedevice(long pm, long fuelclass) {
    switch (pm) {
    case 1: return fuelclass == lignite ? 3 : 1;
    case 2: case 3: case 11: case 13: return 5;
    case 4: return 2;
    case 5: return 9;
    case 6: return 8;
    case 7: case 9: case 12: case 14: return 1;
    case 8: case 10: return 4;
    default: return 0;
    }
}

// The control device d (SO2 control or a combination) and the particulate device p in series
// after it, 0 for none.
void devicechoice(long s, long m, long fuelclass, long& d, long& p) {
    d = 0;
    p = 0;
    const bool wet = s == 1 || s == 6;
    if (s == 5 && m == 1) d = 11;
    else if (s == 5) d = 7;
    else if (s == 4 && (m == 4 || m == 3)) d = 2;
    else if (s == 10) d = 11;
    else if (s == 11 || s == 9) d = 13;
    else if (wet && m == 1) d = 6;
    else if (wet && m == 4) d = 10;
    else if (wet && (m == 2 || m == 3 || m == 5 || m == 13)) d = 12;
    else if (wet && (m == 8 || m == 10)) d = 4;
    else {
        d = wet ? 1 : 0;
        p = particulatedevice(m, fuelclass);
    }
}

void specieslines(App& app, std::string_view part, std::string_view ox, std::string_view elem,
                  const std::array<double, 4>& f) {
    reportline(app, percentline(part, f[1]));
    reportline(app, percentline(ox, f[2]));
    reportline(app, percentline(elem, f[3]));
}

// The speciation row of partfactors1 for a furnace, control class and fuel class: the first row
// of the first pass that finds one, row 32 when none does.
long speciationbin(const App& app, long b, long n, long c, long f) {
    auto find = [&](auto&& pred) -> long {
        for (long r = 1; r <= speciationbins; ++r) {
            const partfactors1rec& k = app.ws.partfactors1(r);
            if (pred(k.boilergroup, k.noxgroup, k.controlclass, k.fuelclass)) return r;
        }
        return 0;
    };
    constexpr long anyboiler = 5, anynox = 6;
    long r = find([&](long k0, long k1, long k2, long k3) { return k0 == b && k1 == n && k2 == c && k3 == f; });
    if (!r) r = find([&](long k0, long k1, long, long k3) { return k0 == b && k1 == n && k3 == f; });
    if (!r && (b == 3 || b == 1))
        r = find([&](long k0, long k1, long, long k3) { return k0 == b && k1 == anynox && k3 == f; });
    if (!r)
        r = find([&](long k0, long k1, long k2, long k3) { return k0 == anyboiler && k1 == anynox && k2 == c && k3 == f; });
    if (!r) r = find([&](long k0, long k1, long k2, long k3) { return k0 == anyboiler && k1 == n && k2 == c && k3 == f; });
    if (!r) r = find([&](long k0, long k1, long, long k3) { return k0 == anyboiler && k1 == n && k3 == f; });
    if (!r) r = find([&](long k0, long k1, long, long k3) { return k0 == anyboiler && k1 == 3 && k3 == f; });
    return r ? r : fallbackspeciationbin;
}

}  // namespace

void devicename2(long type, std::string& name) {
    if (type >= 1 && type <= secondmethoddevices) name = devicenames[static_cast<std::size_t>(type)];
}

void controleffectiveness(App& app, long fuelclass, long, long, long so2, long pm, SecondMethodTable& table) {
    long d = 0, p = 0;
    devicechoice(so2, pm, fuelclass, d, p);
    auto& combined = table[2][controlslot];
    combined[1] = combined[2] = combined[3] = 0;
    if (fuelclass == emptyfuelclass) {
        takebacklines(app, 2);
        return;
    }
    const bool writing = app.reportcalc == 1;
    if (d > 0) {
        const auto f = removal(app, d);
        for (int k = 1; k <= 3; ++k) combined[k] = f[k];
        if (writing) {
            reportline(app, "Second method of estimation of control effectiveness.");
            reportline(app, " control effectiveness by mercury species:");
            reportline(app, " The Control Device is " + nameof(d));
            specieslines(app, "   particulate    ", "   oxidized       ", "   elemental      ", f);
        }
    }
    if (p > 0) {
        // The particulate device acts on what the first device let through.
        const auto f = removal(app, p);
        for (int k = 1; k <= 3; ++k) combined[k] = combined[k] + f[k] * (1 - combined[k]);
        if (writing) {
            reportline(app, " The Particulate Control Device is " + nameof(p));
            specieslines(app, "   particulate    ", "   oxidized       ", "   elemental      ", f);
        }
    }
    if (writing) {
        reportline(app, " The Combined emission modification factor (outlet/inlet) is ");
        reportline(app, "   particulate    " + formatnumber(1 - combined[1], "0.####"));
        reportline(app, "   oxidized       " + formatnumber(1 - combined[2], "0.####"));
        reportline(app, "   elemental      " + formatnumber(1 - combined[3], "0.####"));
    }
}

void fuelspeciation(App& app, long& fuelclass, long boilergroup, long noxgroup, long so2, long pm,
                    SecondMethodTable& table, int slot) {
    switch (fuelclass) {
    case 1: case 6: case 7: case 10: case 12: fuelclass = 3; break;
    case 9: case 11: fuelclass = 8; break;
    default: break;
    }
    const long controlclass = (so2 == 5 || so2 == 10) ? 5 : (pm == 4 ? 4 : 0);
    const long bin = speciationbin(app, boilergroup, noxgroup, controlclass, fuelclass);
    if (fuelclass == emptyfuelclass) {
        takebacklines(app, 3);
        return;
    }
    const partfactors1rec& row = app.ws.partfactors1(bin);
    auto& species = table.at(2).at(static_cast<std::size_t>(slot));
    species[1] = row.partfrac;
    species[2] = row.oxfrac;
    species[3] = row.elemfrac;
    if (app.reportcalc == 1) {
        reportline(app, "Second method of estimation of control effectiveness.");
        reportline(app, "  mercury speciation by furnace and fuel");
        reportline(app, "  speciation bin: " + str(bin));
        reportline(app, "  The estimated partitioning of the mercury for this fuel is ");
        specieslines(app, "    particulate    ", "    oxidized       ", "    elemental      ", species);
    }
}

double secondmethodfactor(App& app, long fuelclass, long boilergroup, long noxgroup, long so2, long pm, int slot) {
    if (fuelclass == emptyfuelclass) return 0;
    SecondMethodTable table{};
    controleffectiveness(app, fuelclass, boilergroup, noxgroup, so2, pm, table);
    fuelspeciation(app, fuelclass, boilergroup, noxgroup, so2, pm, table, slot);
    double removed = 0;
    for (int k = 1; k <= 3; ++k) removed += table[2][controlslot][k] * table[2][static_cast<std::size_t>(slot)][k];
    return 1 - removed;
}

double method2(App& app, int slot, bool existing) {
    const Form1& f = app.form1;
    int g = 0, n = 0;
    long so2 = 0, pm = 0;
    if (existing) {
        boilerandnoxgroup(listcode(f.Combo1[0]), g, n);
        so2 = listcode(f.Combo1[2]);
        pm = listcode(f.Combo1[1]);
    } else {
        g = static_cast<int>(listcode(f.Combo3[0]));
        n = static_cast<int>(listcode(f.Combo3[3]));
        so2 = listcode(f.Combo3[2]);
        pm = listcode(f.Combo3[1]);
    }
    return secondmethodfactor(app, fuelclass(f, slot), g, n, so2, pm, slot);
}

void fuelclassofcode(long t, long& fuelclass) {
    if (t == 102) fuelclass = 1;
    else if (t == 202) fuelclass = 2;
    else if (t < 300) fuelclass = t % 100;
    else if (t == 403) fuelclass = 13;
    else if (t == 304) fuelclass = 14;
    else if (t == 407) fuelclass = 15;
    else if (t == 307) fuelclass = 16;
    else if (t == 308) fuelclass = 17;
    else if (t == 704) fuelclass = 18;
    else if (t == 608) fuelclass = 19;
}

double method2v(App& app, long boilertype, long pm, long so2, long fueltype, long& fuelclass) {
    fuelclassofcode(fueltype, fuelclass);
    int g = 0, n = 0;
    boilerandnoxgroup(boilertype, g, n);
    return secondmethodfactor(app, fuelclass, g, n, so2, pm, 0);
}

}  // namespace brasket
