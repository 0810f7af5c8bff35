#include "model/codes.h"

#include <algorithm>
#include <initializer_list>

#include "common/textutil.h"

namespace brasket {

namespace {

bool oneof(long v, std::initializer_list<long> set) { return std::find(set.begin(), set.end(), v) != set.end(); }

// A packed fuel number: upper part the first fuel, lower part the second.
long lowerpart(long fuel) { return fuel % 100; }
long upperpart(long fuel) { return fuel >= 0 ? fuel / 100 : -((-fuel + 99) / 100); }  // integer part, rounded down

// Short labels by fuel code; 13 is the empty label.
constexpr std::array<const char*, 14> fuellabels{"GAS",    "Bit HS", " ",     "Bit",  "Subbit", "Lig",    "Bit LS",
                                                 "PetCoke", "W Bit", "W SBit", "Anth", "W Anth", "Tires", ""};

bool inlabels(long code) { return code >= 0 && code < static_cast<long>(fuellabels.size()); }

}  // namespace

void boilergroup(long code, int& group) {
    if (oneof(code, {1, 3, 8, 9, 12, 13, 19, 20}) || code > 22)
        group = 0;
    else if (oneof(code, {7, 10, 11, 21}))
        group = 1;
    else if (oneof(code, {4, 5, 16, 17, 18}))
        group = 2;
    else if (oneof(code, {2, 6, 14}))
        group = 3;
    else if (code == 22)
        group = 4;
}

void noxgroup(long code, int& group) {
    if (oneof(code, {1, 5, 7, 9, 12, 14, 16}))
        group = 0;
    else if (code == 19)
        group = 1;
    else if (oneof(code, {17, 23}))
        group = 2;
    else if (oneof(code, {3, 4, 6, 8, 10}))
        group = 3;
    else if (oneof(code, {13, 21}))
        group = 4;
    else if (oneof(code, {2, 11, 15, 18, 20, 24}))
        group = 5;
    if (group == 4) group = 1;
    if (group == 5) group = 2;
}

std::string fuelname(const Workset& ws, long fuel) {
    if (fuel < 0 && fuel > -101) return ws.idfuel(-fuel).name.trimmed();
    if (fuel <= -101) return "unknown";
    const long lower = lowerpart(fuel), upper = upperpart(fuel);
    if (upper > 100 || lower > 100) return "unknown";

    const std::string uppername = ws.idfuel(upper).name.str();
    const std::string lowername = ws.idfuel(lower).name.str();
    auto has = [](const std::string& name, const char* what) { return instr(name, what) > 0; };
    std::string result;
    if (has(uppername, "NONE"))
        result = rtrim(lowername);
    else if (has(lowername, "NONE"))
        result = rtrim(uppername);
    else if (has(lowername, "NOTHING BURNED"))
        result = has(uppername, "NOTHING BURNED") ? std::string("Nothing burned") : rtrim(uppername);
    else if (has(uppername, "NOTHING BURNED"))
        result = rtrim(lowername);
    else
        result = rtrim(uppername) + "   " + rtrim(lowername);
    return ltrim(result);
}

std::string fuellabel(long fuel) {
    const long lower = lowerpart(fuel), upper = upperpart(fuel);
    if (upper > 100 || lower > 100) return "unknown";
    // A part outside the label table (a lower part of 14 or more after upper part 2, or a
    // negative number) has no label.
    if (upper == 2) return inlabels(lower) ? fuellabels[lower] : "";
    if (inlabels(lower) && inlabels(upper)) return std::string(fuellabels[upper]) + " " + fuellabels[lower];
    return "";
}

void defaultspeciation(long fuelcode, double& part, double& elem, double& ox) {
    if (oneof(fuelcode, {1, 3, 6, 8}))
        part = 0.618, ox = 0.15;
    else if (oneof(fuelcode, {4, 9}))
        part = 0.1895, ox = 0.587;
    else if (fuelcode == 5)
        part = 0.281, ox = 0.566;
    else if (oneof(fuelcode, {7, 10, 11}))
        part = 0.992, ox = 0.005;
    else if (fuelcode == 14)
        part = 0.0013, ox = 0.927;
    else
        part = 0.469, ox = 0.334;
    elem = 1 - part - ox;
}

void defaultspeciation2(long fuelcode, long boilercode, double& part, double& elem, double& ox) {
    if (fuelcode != 1 && fuelcode != 3) {
        defaultspeciation(fuelcode, part, elem, ox);
        return;
    }
    if (boilercode == 1)
        part = 0.52, ox = 0.146;
    else if (boilercode == 2)
        part = 0.941, ox = 0.028;
    else if (boilercode == 3)
        part = 0.402, ox = 0.386;
    else if (boilercode == 5)
        part = 0.888, ox = 0.081;
    else if (boilercode == 7)
        part = 0.672, ox = 0.083;
    else if (boilercode == 22 || boilercode == 23)
        part = 0.938, ox = 0.033;
    else
        part = 0.618, ox = 0.15;
    elem = 1 - part - ox;
}

void blendfraction(long firstcomponent, double& total, long fuel) {
    const long lower = lowerpart(fuel), upper = upperpart(fuel);
    switch (firstcomponent) {
    case 2:
        if (lower == 8 || lower == 9)
            total = 0.00207;
        else if (upper == 8 || upper == 9) {
            // a blend whose first fuel is 8 or 9 keeps the device's own factor
        } else
            total = 0.344;
        break;
    case 1:
        if (lower == 2 && upper == 7)
            total = 0.4545;
        else if (oneof(lower, {2, 3, 6}))
            total = 0.594;
        else if (lower == 4)
            total = 0.864;
        else if (lower == 5)
            total = 0.8385;
        break;
    case 8:
        if (oneof(lower, {2, 3, 6}))
            total = 0.8358;
        else if (lower == 4)
            total = 1.0835;
        else if (lower == 5)
            total = 0.672;
        break;
    default:
        break;
    }
}

}  // namespace brasket
