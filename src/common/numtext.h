// Numbers as text: the one reader and the one writer that every part of the system uses.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace brasket {

// The leading number of a text. Blanks, tabs and line feeds are ignored wherever they
// stand; reading stops at the first character that cannot continue a decimal number
// (digits, one ".", an exponent); "&H" and "&O" start a hexadecimal or octal whole
// number; a text without a number gives 0. Never depends on the locale.
double val(std::string_view text);

// The plain number-to-text conversion: one blank before a non-negative number, no
// leading zero before the decimal point (" .5"), at most 7 significant digits for a
// 32-bit float and 15 for a 64-bit one, exponent form "1E+07" past that.
std::string str(float x);
std::string str(double x);
std::string str(long long x);
inline std::string str(long x) { return str(static_cast<long long>(x)); }
inline std::string str(int x) { return str(static_cast<long long>(x)); }
inline std::string str(short x) { return str(static_cast<long long>(x)); }
inline std::string str(unsigned char x) { return str(static_cast<long long>(x)); }

// A number stored into a whole-number field: nearest whole number, halves to even,
// held within the field's range.
double roundhalfeven(double x);
std::int16_t cint16(double x);
std::int32_t cint32(double x);
std::uint8_t cbyte(double x);

// Whether a number can be stored in a 32-bit float field (finite and within its range) or,
// rounded halves to even, in a 16-bit integer field.
bool fitsf32(double x);
bool fitsi16(double x);

}  // namespace brasket
