// The pattern formatter over any pattern and number: the input is a pattern, a line end and
// the text of a number (or eight raw bytes of a double when no line end is found).
#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/numtext.h"
#include "report/numformat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::string_view pattern = in;
    double x = 0;
    std::size_t nl = in.find('\n');
    if (nl != std::string_view::npos) {
        pattern = in.substr(0, nl);
        x = brasket::val(in.substr(nl + 1));
    } else if (size >= 8) {
        std::memcpy(&x, data, 8);
        pattern = in.substr(8);
    }
    // A pattern of the reports is short; a long one only costs time.
    if (pattern.size() > 64) pattern = pattern.substr(0, 64);
    brasket::formatnumber(x, pattern);
    brasket::fmtnum(x);
    brasket::fmtsig(x, 2, 4);
    brasket::fmtsig(x, 3, static_cast<int>(size % 8));
    return 0;
}
