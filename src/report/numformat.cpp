#include "report/numformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "common/textutil.h"

namespace brasket {
namespace {

bool placeholder(char c) { return c == '#' || c == '0'; }

// The exponent marker of a pattern: an "e" or "E" directly followed by "+" or "-".
std::size_t exponentat(std::string_view p) {
    for (std::size_t i = 0; i + 1 < p.size(); ++i)
        if ((p[i] == 'e' || p[i] == 'E') && (p[i + 1] == '+' || p[i + 1] == '-')) return i;
    return std::string_view::npos;
}

// The shortest decimal digits of a finite |x| and the decimal exponent of the first one.
void decimaldigits(double x, std::string& digits, int& exponent) {
    char buf[64];
    const double a = std::fabs(x);
    // Below the smallest normal double the shortest text that reads back is only as precise
    // as the few bits left (5e-324 for 4.94e-324): the value's own 17 digits are taken, so that
    // rounding to fewer digits is to the nearest.
    auto res = a != 0 && a < std::numeric_limits<double>::min()
                   ? std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 16)
                   : std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));  // d.ddddde+XX
    auto epos = s.find('e');
    exponent = 0;
    std::from_chars(s.data() + epos + (s[epos + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    digits.assign(1, s[0]);
    if (epos > 2) digits.append(s.data() + 2, epos - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

// |x| times 10^-e, by moving the point of its decimal digits: no binary error, no overflow
// or underflow on the way.
double scaleddown(double x, int e) {
    std::string digits;
    int exponent;
    decimaldigits(x, digits, exponent);
    std::string text = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : std::string()) + "e" +
                       std::to_string(exponent - e);
    double m = 0;
    std::from_chars(text.data(), text.data() + text.size(), m);
    return m;
}

// Decimal digits of |x| rounded to `decimals` places: the whole part (no leading zeros,
// empty for 0) and exactly `decimals` fraction digits. Rounds the number's shortest decimal
// text to nearest, halves away from zero, so 2.675 shows as 2.68 as an analyst expects.
void fixeddigits(double x, int decimals, std::string& whole, std::string& fraction) {
    // A whole number held exactly (counts, codes, indices) needs no rounding: its digits are
    // those of the integer, 0 having none.
    const double a = std::fabs(x);
    if (a < 9007199254740992.0 && a == std::floor(a)) {
        whole = a == 0 ? std::string() : std::to_string(static_cast<long long>(a));
        fraction.assign(static_cast<std::size_t>(decimals > 0 ? decimals : 0), '0');
        return;
    }
    std::string digits;
    int exponent;
    decimaldigits(x, digits, exponent);
    // digits[i] has the weight 10^(exponent - i); lay them out with `decimals` places.
    long wholecount = exponent + 1;  // digits before the point (may be <= 0)
    std::string all;                 // whole digits followed by fraction digits
    if (wholecount <= 0) {
        all.reserve(static_cast<std::size_t>(-wholecount) + digits.size() + static_cast<std::size_t>(decimals) + 1);
        all.assign(static_cast<std::size_t>(-wholecount), '0');
        all += digits;
        wholecount = 0;
    } else {
        all = std::move(digits);
    }
    long need = wholecount + decimals;
    if (static_cast<long>(all.size()) < need) all.append(static_cast<std::size_t>(need - static_cast<long>(all.size())), '0');
    bool up = static_cast<long>(all.size()) > need && all[static_cast<std::size_t>(need)] >= '5';
    all.resize(static_cast<std::size_t>(need));
    if (up) {
        long i = need - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i)] = '0';
            else { ++all[static_cast<std::size_t>(i)]; break; }
        }
        if (i < 0) { all.insert(all.begin(), '1'); ++wholecount; }
    }
    std::size_t z = 0;  // leading zeros of the whole part are not shown
    while (z < static_cast<std::size_t>(wholecount) && all[z] == '0') ++z;
    whole.assign(all, z, static_cast<std::size_t>(wholecount) - z);
    fraction.assign(all, static_cast<std::size_t>(wholecount), std::string::npos);
}

// Fills the whole-number section of a pattern with the digits, right to left; digits that
// find no placeholder go before the leftmost one. Literal characters keep their places.
std::string fillwhole(std::string_view section, std::string digits) {
    int count = 0, firstzero = -1;
    for (char c : section) {
        if (placeholder(c)) {
            if (c == '0' && firstzero < 0) firstzero = count;
            ++count;
        }
    }
    std::size_t required = firstzero < 0 ? 0 : static_cast<std::size_t>(count - firstzero);
    if (digits.size() < required) digits.insert(0, required - digits.size(), '0');
    // Built from the right, then turned around.
    std::string out;
    out.reserve(section.size() + digits.size());
    long next = static_cast<long>(digits.size()) - 1;  // next digit to place, from the right
    int seen = 0;
    for (long i = static_cast<long>(section.size()) - 1; i >= 0; --i) {
        char c = section[static_cast<std::size_t>(i)];
        if (!placeholder(c)) {
            out.push_back(c);
            continue;
        }
        ++seen;
        if (seen == count) {  // the leftmost placeholder takes every remaining digit
            for (; next >= 0; --next) out.push_back(digits[static_cast<std::size_t>(next)]);
        } else if (next >= 0) {
            out.push_back(digits[static_cast<std::size_t>(next--)]);
        }
    }
    for (; next >= 0; --next) out.push_back(digits[static_cast<std::size_t>(next)]);
    std::reverse(out.begin(), out.end());
    return out;
}

// Fills the fraction section: "0" places always show their digit, "#" places only up to the
// last non-zero digit.
std::string fillfraction(std::string_view section, const std::string& digits) {
    std::size_t last = 0;  // number of placeholders whose digit is written
    std::size_t k = 0;
    for (char c : section) {
        if (!placeholder(c)) continue;
        ++k;
        if (c == '0' || (k <= digits.size() && digits[k - 1] != '0')) last = k;
    }
    std::string out;
    k = 0;
    for (char c : section) {
        if (!placeholder(c)) {
            out.push_back(c);
            continue;
        }
        ++k;
        if (k <= last) out.push_back(k <= digits.size() ? digits[k - 1] : '0');
    }
    return out;
}

// Formats |x| by a mantissa section (whole and fraction placeholders and literals).
std::string fillmantissa(double x, std::string_view section, bool& allzero) {
    auto dot = section.find('.');
    std::string_view wholesec = section.substr(0, dot);
    std::string_view fracsec = dot == std::string_view::npos ? std::string_view() : section.substr(dot + 1);
    int decimals = 0;
    for (char c : fracsec) decimals += placeholder(c);
    std::string whole, fraction;
    fixeddigits(x, decimals, whole, fraction);
    allzero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    std::string out = fillwhole(wholesec, std::move(whole));
    if (dot != std::string_view::npos) {
        out += '.';
        out += fillfraction(fracsec, fraction);
    }
    return out;
}

std::string formatexponent(double x, std::string_view pattern, std::size_t epos, bool& allzero) {
    std::string_view mant = pattern.substr(0, epos);
    char marker = pattern[epos];
    char signmode = pattern[epos + 1];
    std::string_view expsec = pattern.substr(epos + 2);
    std::size_t expdigits = 0;
    while (expdigits < expsec.size() && placeholder(expsec[expdigits])) ++expdigits;
    std::string_view expplaces = expsec.substr(0, expdigits);
    std::string_view tail = expsec.substr(expdigits);

    auto dot = mant.find('.');
    int wholeplaces = 0, decimals = 0;
    for (std::size_t i = 0; i < mant.size(); ++i)
        if (placeholder(mant[i])) (dot == std::string_view::npos || i < dot ? wholeplaces : decimals)++;
    if (wholeplaces < 1) wholeplaces = 1;

    double a = std::fabs(x);
    int e = 0;
    double m = 0;
    if (a > 0) {
        std::string digits;
        int top;
        decimaldigits(a, digits, top);
        e = top - (wholeplaces - 1);
        m = scaleddown(a, e);
        // Rounding may carry the mantissa to one more whole digit: move to the next exponent.
        std::string w, f;
        fixeddigits(m, decimals, w, f);
        if (static_cast<int>(w.size()) > wholeplaces) {
            ++e;
            m = scaleddown(a, e);
        }
    }
    std::string out = fillmantissa(m, mant, allzero);
    out.push_back(marker);
    if (e < 0) out.push_back('-');
    else if (signmode == '+') out.push_back('+');
    out += fillwhole(expplaces, e == 0 ? std::string() : std::to_string(std::abs(e)));
    out += tail;
    return out;
}

}  // namespace

std::string formatnumber(double x, std::string_view pattern) {
    if (pattern.find('%') != std::string_view::npos) x *= 100;  // may overflow: tested below
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x < 0 ? "-Infinity" : "Infinity";
    bool allzero = true;
    std::string out;
    auto epos = exponentat(pattern);
    if (epos != std::string_view::npos) {
        out = formatexponent(x, pattern, epos, allzero);
    } else if (pattern.find_first_of("#0") == std::string_view::npos) {
        return std::string(pattern);
    } else {
        out = fillmantissa(x, pattern, allzero);
    }
    if (x < 0 && !allzero) {
        // The sign goes before the first digit or point, after any leading literal text.
        std::size_t at = out.find_first_of("0123456789.");
        out.insert(at == std::string::npos ? 0 : at, "-");
    }
    return out;
}

std::string fmtsig(double x, int w, int d) {
    if (x == 0) return "   *";
    std::string lead;
    for (int k = 1; k <= w; ++k)
        if (x < std::pow(10.0, k)) lead.push_back(' ');
    std::string pattern = "#####0";
    if (d > 0) pattern += "." + std::string(static_cast<std::size_t>(d), '#');
    double threshold = d <= 3 ? 0.1 : 1 / std::pow(10.0, d - 3);
    if (x < threshold) return space(w > 1 ? w : 0) + formatnumber(x, "0.000e+0");
    return lead + formatnumber(x, pattern);
}

std::string fmtnum(double x) {
    if (!(x > 0)) return formatnumber(x, "##.##") + "  ";
    if (x > 1000) return formatnumber(x, "#.###e+0") + "  ";
    if (x < 0.001) return formatnumber(x, "#.###e+##") + "  ";
    if (x > 0.1) return fmtsig(x, 2, 4);
    if (x < 0.1) return fmtsig(x, 2, 5);
    return formatnumber(x, "#.######") + "  ";
}

}  // namespace brasket
