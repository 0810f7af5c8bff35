#include <gtest/gtest.h>

#include "common/numtext.h"
#include "common/textutil.h"

#include <limits>

using namespace brasket;

TEST(Val, ReadsTheLeadingNumberIgnoringBlanksTabsAndLineFeeds) {
    EXPECT_DOUBLE_EQ(val("10 000"), 10000);
    EXPECT_DOUBLE_EQ(val(" -2.5 "), -2.5);
    EXPECT_DOUBLE_EQ(val("\t1\n2"), 12);
    EXPECT_DOUBLE_EQ(val("+7"), 7);
    EXPECT_DOUBLE_EQ(val("- 3"), -3);
    EXPECT_DOUBLE_EQ(val("1\r2"), 1);  // a carriage return is not among the ignored characters
    EXPECT_DOUBLE_EQ(val("7\r\n"), 7);
}

TEST(Val, NumbersBeyondADoubleOverflowToInfinityAndUnderflowToZero) {
    EXPECT_EQ(val("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(val("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(val("1e-400"), 0);
    EXPECT_EQ(val("-1D-999"), 0);
    EXPECT_EQ(val("0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "0000000000000000000000000000000000000000000000000000000000000000000000000000001"),
              0);
    EXPECT_EQ(val("100000000000000000000e-390"), 0);
    EXPECT_EQ(val("0.0000000001e320"), std::numeric_limits<double>::infinity());
}

TEST(Val, StopsAtTheFirstCharacterThatCannotContinueANumber) {
    EXPECT_DOUBLE_EQ(val("1.5e3x"), 1500);
    EXPECT_DOUBLE_EQ(val("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(val("12abc"), 12);
    EXPECT_DOUBLE_EQ(val("2e"), 2);      // an exponent without digits is not read
    EXPECT_DOUBLE_EQ(val("2e-1"), 0.2);
    EXPECT_DOUBLE_EQ(val(".5"), 0.5);
    EXPECT_DOUBLE_EQ(val("3D2"), 300);
}

TEST(Val, PlainWholeNumbersOfAnyLengthReadExactly) {
    EXPECT_EQ(val("0"), 0);
    EXPECT_EQ(val("007"), 7);
    EXPECT_EQ(val("999999999999999"), 999999999999999.0);
    EXPECT_EQ(val("12345678901234567"), 12345678901234567.0);
}

TEST(Val, TextWithoutANumberIsZero) {
    EXPECT_EQ(val(""), 0);
    EXPECT_EQ(val("   "), 0);
    EXPECT_EQ(val("abc"), 0);
    EXPECT_EQ(val("."), 0);
    EXPECT_EQ(val("-"), 0);
    EXPECT_EQ(val("X"), 0);
}

TEST(Val, HexadecimalAndOctalWholeNumbers) {
    EXPECT_EQ(val("&H10"), 16);
    EXPECT_EQ(val("&hff"), 255);
    EXPECT_EQ(val("&HFFFF"), -1);  // 16-bit literals wrap to the signed range
    EXPECT_EQ(val("&O17"), 15);
    EXPECT_EQ(val("&H1G"), 1);
    EXPECT_EQ(val("&H"), 0);
}

TEST(Val, NeverDependsOnTheLocale) {
    EXPECT_DOUBLE_EQ(val("1,5"), 1);  // the comma is not a decimal separator
}

TEST(Str, BlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(str(17), " 17");
    EXPECT_EQ(str(0), " 0");
    EXPECT_EQ(str(-4), "-4");
    EXPECT_EQ(str(1234L * 1), " 1234");
}

TEST(Str, FloatsToSevenSignificantDigitsWithoutLeadingZero) {
    EXPECT_EQ(str(0.35f), " .35");
    EXPECT_EQ(str(-0.5f), "-.5");
    EXPECT_EQ(str(1.0f / 3.0f), " .3333333");
    EXPECT_EQ(str(2.5f), " 2.5");
    EXPECT_EQ(str(1234567.0f), " 1234567");
    EXPECT_EQ(str(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(str(0.0001f), " .0001");
    EXPECT_EQ(str(0.00001f), " 1E-05");
    EXPECT_EQ(str(0.99999997f), " .9999999");
    EXPECT_EQ(str(9999999.0f), " 9999999");
    EXPECT_EQ(str(10000000.0f), " 1E+07");
    EXPECT_EQ(str(123456.75f), " 123456.8");
    EXPECT_EQ(str(0.000123456789f), " .0001234568");
    EXPECT_EQ(str(3.4028235e38f), " 3.402823E+38");
    EXPECT_EQ(str(-0.0f), " 0");  // a negative zero is written as zero
}

TEST(Str, DoublesToFifteenSignificantDigits) {
    EXPECT_EQ(str(0.1), " .1");
    EXPECT_EQ(str(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(str(100.0), " 100");
    EXPECT_EQ(str(0.1 + 0.2), " .3");
    EXPECT_EQ(str(999999999999999.0), " 999999999999999");
    EXPECT_EQ(str(1e15), " 1E+15");
    EXPECT_EQ(str(2.0 / 3.0), " .666666666666667");
    EXPECT_EQ(str(-1e-5), "-1E-05");
    EXPECT_EQ(str(1e300), " 1E+300");
    EXPECT_EQ(str(-0.0), " 0");
    EXPECT_EQ(str(-2.0 * 0.0), " 0");
}

TEST(WholeNumbers, RoundHalvesToEvenAndHoldTheFieldRange) {
    EXPECT_EQ(cint16(2.5), 2);
    EXPECT_EQ(cint16(3.5), 4);
    EXPECT_EQ(cint16(-2.5), -2);
    EXPECT_EQ(cint16(40000), 32767);
    EXPECT_EQ(cbyte(300), 255);
    EXPECT_EQ(cbyte(-1), 0);
}

TEST(TextHelpers, TrimRemovesBlanksOnly) {
    EXPECT_EQ(trim("  ab  "), "ab");
    EXPECT_EQ(rtrim(std::string("ab\0\0 ", 5)), std::string("ab\0\0", 4));
    EXPECT_EQ(trim("\tab\t"), "\tab\t");
}

TEST(TextHelpers, MidLeftRightInstrPutat) {
    EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid("abc", 5), "");
    EXPECT_EQ(left("abc", 5), "abc");
    EXPECT_EQ(right("abc", 2), "bc");
    EXPECT_EQ(instr("a  b  c", "  "), 2);
    EXPECT_EQ(instr(4, "a  b  c", "  "), 5);
    EXPECT_EQ(instr(9, "abc", "b"), 0);
    std::string line = "ab";
    putat(line, 5, "xy");
    EXPECT_EQ(line, "ab  xy");
    putat(line, 2, "Q");
    EXPECT_EQ(line, "aQ  xy");
}
