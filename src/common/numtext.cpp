#include "common/numtext.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace brasket {
namespace {

// Blanks, tabs and line feeds; a carriage return ends the number like any other character.
bool ignorable(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Collects the characters of a text that are not ignorable, so that "10 000" reads 10000.
std::string compact(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!ignorable(c)) out.push_back(c);
    return out;
}

double radixnumber(std::string_view digits, int radix) {
    unsigned long long v = 0;
    std::size_t n = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        if (d >= radix) break;
        v = v * radix + d;
        ++n;
        if (v > 0xFFFFFFFFull) break;
    }
    // Whole numbers of up to 16 (or 32) bits wrap to the signed range, as integer
    // literals of that width do: &HFFFF is -1.
    if (v <= 0xFFFF && ((radix == 16 && n <= 4) || (radix == 8 && n <= 6)) && v > 0x7FFF)
        return static_cast<double>(static_cast<long long>(v) - 0x10000);
    if (v <= 0xFFFFFFFFull && v > 0x7FFFFFFF) return static_cast<double>(static_cast<long long>(v) - 0x100000000ll);
    return static_cast<double>(v);
}

// The power of ten of the leading digit of a decimal number (digits with at most one point)
// times ten to `exponent`, held far from overflow; used only to tell a number too
// large for a double from one too small.
long long leadingpower(std::string_view mantissa, std::string_view exponent) {
    long long e = 0;
    bool negative = !exponent.empty() && exponent[0] == '-';
    for (char c : exponent)
        if (c >= '0' && c <= '9' && e < 100000000) e = e * 10 + (c - '0');
    if (negative) e = -e;
    long long integerdigits = 0, zerosafterpoint = 0;
    bool point = false, nonzero = false;
    for (char c : mantissa) {
        if (c == '.') { point = true; continue; }
        if (c < '0' || c > '9') continue;
        if (!point) {
            if (c != '0' || nonzero) { nonzero = true; ++integerdigits; }
        } else if (!nonzero) {
            if (c != '0') nonzero = true;
            else ++zerosafterpoint;
        }
    }
    return (integerdigits > 0 ? integerdigits - 1 : -zerosafterpoint - 1) + e;
}

std::string fromchars(double x, int precision) {
    if (x == 0) x = 0.0;  // a negative zero is written as zero
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, precision);
    std::string s(buf, res.ptr);
    // Mantissa without a leading zero, exponent in capitals with at least two digits.
    std::string mant = s, expo;
    if (auto e = s.find('e'); e != std::string::npos) {
        mant = s.substr(0, e);
        std::string_view ex(s.data() + e + 1, s.size() - e - 1);
        char sign = '+';
        if (!ex.empty() && (ex[0] == '+' || ex[0] == '-')) { sign = ex[0]; ex.remove_prefix(1); }
        std::string digits(ex);
        while (digits.size() < 2) digits.insert(digits.begin(), '0');
        expo = std::string("E") + sign + digits;
    }
    bool negative = !mant.empty() && mant[0] == '-';
    std::string body = negative ? mant.substr(1) : mant;
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    return (negative ? "-" : " ") + body + expo;
}

}  // namespace

double val(std::string_view text) {
    // Most texts are plain whole numbers: those of up to 15 digits are exact as they add up.
    if (!text.empty() && text.size() <= 15) {
        long long whole = 0;
        bool plain = true;
        for (char c : text) {
            if (c < '0' || c > '9') { plain = false; break; }
            whole = whole * 10 + (c - '0');
        }
        if (plain) return static_cast<double>(whole);
    }
    // Ignorable characters are taken out first; most texts have none and are read in place.
    std::string compacted;
    std::string_view s = text;
    for (char c : text)
        if (ignorable(c)) {
            compacted = compact(text);
            s = compacted;
            break;
        }
    if (s.size() >= 2 && s[0] == '&') {
        char k = s[1];
        if (k == 'H' || k == 'h') return radixnumber(s.substr(2), 16);
        if (k == 'O' || k == 'o') return radixnumber(s.substr(2), 8);
    }
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    bool digits = false, point = false;
    while (i < s.size()) {
        char c = s[i];
        if (c >= '0' && c <= '9') digits = true;
        else if (c == '.' && !point) point = true;
        else break;
        ++i;
    }
    if (!digits) return 0.0;
    // The number runs to the end of its exponent when the exponent has digits.
    std::size_t end = i;
    bool dexponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        std::size_t firstdigit = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
        if (j > firstdigit) {
            end = j;
            dexponent = s[i] == 'd' || s[i] == 'D';
        }
    }
    std::string withe;
    std::string_view num = s.substr(0, end);
    if (dexponent) {
        withe = std::string(num);
        withe[i] = 'e';
        num = withe;
    }
    double v = 0.0;
    const char* b = num.data();
    if (*b == '+') ++b;
    auto res = std::from_chars(b, num.data() + num.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large gives an infinity; too small to hold gives zero.
        bool toolarge = leadingpower(num.substr(0, i), end > i ? num.substr(i + 1) : std::string_view()) > 0;
        v = (num[0] == '-' ? -1.0 : 1.0) * (toolarge ? std::numeric_limits<double>::infinity() : 0.0);
    }
    return v;
}

std::string str(float x) { return fromchars(static_cast<double>(x), 7); }
std::string str(double x) { return fromchars(x, 15); }
std::string str(long long x) { return (x < 0 ? "" : " ") + std::to_string(x); }

double roundhalfeven(double x) {
    double r = std::nearbyint(x);  // default rounding mode: to nearest, ties to even
    return r;
}

namespace {
template <class T>
T clampround(double x) {
    if (std::isnan(x)) return 0;
    double r = roundhalfeven(x);
    if (r < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
    if (r > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}
}  // namespace

bool fitsf32(double x) { return std::isfinite(x) && std::fabs(x) <= std::numeric_limits<float>::max(); }
bool fitsi16(double x) {
    if (!std::isfinite(x)) return false;
    double r = roundhalfeven(x);
    return r >= -32768 && r <= 32767;
}

std::int16_t cint16(double x) { return clampround<std::int16_t>(x); }
std::int32_t cint32(double x) { return clampround<std::int32_t>(x); }
std::uint8_t cbyte(double x) { return clampround<std::uint8_t>(x); }

}  // namespace brasket
