#include "import/testimport.h"

#include <array>
#include <utility>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"

namespace brasket {
namespace {

// Position of the bracketed number of an "ND" text: characters p .. q - 1.
std::pair<long, long> notdetectedspan(std::string_view text) {
    long p = instr(text, "(") + 1;
    long q = instr(p, text, ")");
    return {p, q};
}

}  // namespace

double parsetestvalue(std::string_view text) {
    if (instr(text, "ND") == 0) return val(text);
    auto [p, q] = notdetectedspan(text);
    if (q > p) return val(mid(text, p, q - p)) / 2;
    return 999;
}

bool malformednotdetected(std::string_view text) {
    if (instr(text, "ND") == 0) return false;
    auto [p, q] = notdetectedspan(text);
    return q <= p;
}

std::int16_t textcode(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::int16_t>, 8> codes{{
        {"5430", 5430},
        {"6414", 6414},
        {"3684", 3684},
        {"7371/1631)", 7371},
        {"3051/3052/7471", 3051},
        {"1631", 1631},
        {"Proposed", 1},
        {"7471)", 7471},
    }};
    for (const auto& [found, code] : codes)
        if (instr(text, found) > 0) return code;
    return 9;
}

std::int16_t fuelcode(std::string_view text, double sulfur) {
    static constexpr std::array<std::pair<std::string_view, std::int16_t>, 20> codes{{
        {"Lignite", 5},
        {"Waste Bit", 8},
        {"Waste bit", 8},
        {"Waste Anth", 8},
        {"Waste anth", 8},
        {"Waste Sub", 9},
        {"Sub - bit", 4},
        {"Sub-bit/bit", 14},
        {"Sub-bit/Bit", 14},
        {"Sub-bit/pet coke", 16},
        {"Sub-bit", 4},
        {"Coal gas", 62},
        {"Coal Gas", 62},
        {"Anth", 10},
        {"Petroleum Coke", 7},
        {"Bit/sub", 15},
        {"Sub", 4},
        {"Bit-Pet", 17},
        {"Bit - Pet Coke", 17},
        {"Bit/pet coke", 17},
    }};
    for (const auto& [found, code] : codes)
        if (instr(text, found) > 0) return code;
    if (instr(text, "bit") > 0 || instr(text, "Bit") > 0) return sulfur < 0.6 ? 6 : 3;
    return 2;
}

}  // namespace brasket
