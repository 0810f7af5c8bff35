#include "model/devicefactors.h"

#include <initializer_list>

namespace brasket {

namespace {

constexpr int furnacecolumn = 0, so2column = 1, pmcolumn = 2;
constexpr long noemissioncontrol = 15;

// The product, field by field, of particulate rows; each product is kept as a 32-bit float.
DeviceFactors composite(const Workset& ws, std::initializer_list<long> rows) {
    double part = 1, ox = 1, elem = 1, total = 1;
    for (long row : rows) {
        const DeviceFactors f = devicerow(ws, row, pmcolumn);
        part *= f.part;
        ox *= f.ox;
        elem *= f.elem;
        total *= f.total;
    }
    return {static_cast<float>(part), static_cast<float>(ox), static_cast<float>(elem), static_cast<float>(total)};
}

}  // namespace

DeviceFactors devicerow(const Workset& ws, long code, int column) {
    if (!ws.emfactor.inbounds(code, column)) return {};
    const emfactorrec& r = ws.emfactor(code, column);
    return {r.hgpart, r.hgox, r.hgelem, r.hgtotal};
}

void so2modeledas(const Workset& ws, long s, long p, DeviceFactors& factors, long& modelled, std::string& unitymessage,
                  std::string& rulemessage) {
    unitymessage.clear();
    rulemessage.clear();
    modelled = s;
    if (s == 5 && p == 1) {
        modelled = 11;
        rulemessage = "SDA with ESP-CS is modeled as SDAESP";
    } else if (s == 1 && p == 10) {
        modelled = 3;
        rulemessage = "WETSCRUB with MECH/PARTSCRUB is modeled as MECH/PARTSCRUB";
    } else if (s == 1 && p == 8) {
        modelled = 3;
        rulemessage = "WETSCRUB with PARTSCRUB is modeled as PARTSCRUB";
    } else if (s == 7 && p == 8) {
        modelled = 3;
        rulemessage = "WETSCRUB/COMP COAL with PARTSCRUB is modeled as PARTSCRUB";
    } else if (s == 6 && p == 2) {
        modelled = 5;
        rulemessage = "DRYSCRUB with BAGHOUSE is modeled as SDA";
    } else if (s == 10 && p == 1) {
        modelled = 12;
        rulemessage = "SORB INJ with ESP-CS is modeled as SORBESP";
    } else if (s == 7) {
        modelled = 1;
        rulemessage = "WET SCRUB/COMP COAL is modeled as a WET SCRUB";
    }

    if (modelled == 2 || modelled == 3 || modelled == 4 || modelled == 8 || modelled == 9) {
        unitymessage = "SO2 control modeled with Hg factor of unity.";
        modelled = 3;
        factors = DeviceFactors{};
    } else {
        factors = devicerow(ws, modelled, so2column);
    }
}

void pmcomposite(const Workset& ws, long s, long p, DeviceFactors& factors, long& modelled, long& first, long& second,
                 long& third, std::string& message, std::string& secondmessage) {
    message.clear();
    secondmessage.clear();
    modelled = p;
    second = 0;
    third = 0;

    // The SO2 device's factor covers the capture, or there is no control: unity.
    auto unity = [&](const char* text) {
        first = noemissioncontrol;
        modelled = noemissioncontrol;
        factors = DeviceFactors{};
        message = text;
    };
    auto product = [&](std::initializer_list<long> rows, const char* text) {
        const long* r = rows.begin();
        first = r[0];
        if (rows.size() > 1) second = r[1];
        if (rows.size() > 2) third = r[2];
        factors = composite(ws, rows);
        message = text;
    };

    if (s == 5 && p == 2) {
        unity("The baghouse recovery is included with the SDA.");
    } else if (s == 5 && p == 3) {
        unity("The mech/baghouse recovery is included with the SDA.");
    } else if (p == 3) {
        product({6, 5}, "The MECH/BAGHOUSE is a composite of MECH and BAGHOUSE.");
    } else if (p == 10) {
        product({6, 8}, "The MECH/PARTSCRUB is a composite of MECH and PARTSCRUB.");
    } else if (s == 6 && p == 2) {
        unity("The baghouse recovery is included with the SDA.");
        secondmessage = "The baghouse dryscrub is modeled as a SDA.";
    } else if (s == 10 && p == 1) {
        unity("The ESP recovery is included with SorbESP.");
    } else if (s == 11 && p == 1) {
        unity("The ESP recovery is included with the SDAESP.");
    } else if (s == 5 && p == 1) {
        unity("The ESP recovery is included with the SDAESP.");
    } else if (p == 15) {
        unity("No emission control: the factors are unity.");
    } else if (p == 7) {
        product({6, 1}, "The MECH/ESP-CS is a series MECH and ESP-CS (factor X factor).");
    } else if (p == 16) {
        first = 16;
        factors = devicerow(ws, 16, furnacecolumn);
        message = "Emission modification factors for coal gas process.";
    } else if (p == 11) {
        product({5, 4, 6}, "The MECH/BAGHOUSE/ESP-HS is a composite of each of the three.");
    } else if (p == 12) {
        product({4, 1}, "The ESP-HS/ESP-CS is a composite of ESP-CS and ESP-HS.");
    } else if (p == 13) {
        product({4, 5}, "The ESP-HS/BAGHOUSE is a composite of BAGHOUSE and ESP-HS.");
    } else if (p == 14) {
        product({1, 1}, "The ESP-CS/ESP-CS is a series ESP-CS and ESP-CS (factor X factor).");
    } else if (p == 9) {
        product({8, 1}, "The Particle scrub/ESP-CS is a series particle scrubber and ESP-CS (factor X factor).");
    } else {
        first = p;
        factors = devicerow(ws, p, pmcolumn);
    }
}

}  // namespace brasket
