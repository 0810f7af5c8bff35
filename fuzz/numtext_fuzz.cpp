// The number reader and the plain number writer over any text: no fault, and a number read
// from the writer's text of a finite value reads back to a number.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "common/numtext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    double x = brasket::val(text);
    std::string back = brasket::str(x);
    if (std::isfinite(x)) brasket::val(back);
    brasket::str(static_cast<float>(brasket::fitsf32(x) ? x : 0));
    brasket::cint16(x);
    brasket::cint32(x);
    brasket::cbyte(x);
    brasket::fitsi16(x);
    return 0;
}
