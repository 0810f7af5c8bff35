#include <gtest/gtest.h>

#include <clocale>

#include "report/numformat.h"

using namespace brasket;

TEST(FormatNumber, OptionalAndRequiredDigits) {
    EXPECT_EQ(formatnumber(0, "##.##"), ".");
    EXPECT_EQ(formatnumber(0.5, "##.##"), ".5");
    EXPECT_EQ(formatnumber(-2.5, "##.##"), "-2.5");
    EXPECT_EQ(formatnumber(12.345678, "##.##"), "12.35");
    EXPECT_EQ(formatnumber(12345.6, "##.##"), "12345.6");  // more digits than places: all shown
    EXPECT_EQ(formatnumber(0.5, "#####0.####"), "0.5");
    EXPECT_EQ(formatnumber(500, "#####0.####"), "500.");
    EXPECT_EQ(formatnumber(7, "000"), "007");
    EXPECT_EQ(formatnumber(1.5, "0.00"), "1.50");
    EXPECT_EQ(formatnumber(0.1, "#.######"), ".1");
    EXPECT_EQ(formatnumber(3, "##"), "3");
    EXPECT_EQ(formatnumber(0, "##"), "");
    EXPECT_EQ(formatnumber(12, "##"), "12");
}

TEST(FormatNumber, RoundingCarriesIntoTheWholePart) {
    EXPECT_EQ(formatnumber(9.996, "0.00"), "10.00");
    EXPECT_EQ(formatnumber(0.0004, "##.##"), ".");
    EXPECT_EQ(formatnumber(-0.0004, "0.00"), "0.00");  // no sign on a value that shows as zero
}

TEST(FormatNumber, PercentAndLiteralText) {
    EXPECT_EQ(formatnumber(0.256, "##.#%"), "25.6%");
    EXPECT_EQ(formatnumber(0.5, "0%"), "50%");
    EXPECT_EQ(formatnumber(3.25, "0.0 tons"), "3.3 tons");
    EXPECT_EQ(formatnumber(-3.25, "($0.00)"), "($-3.25)");
    EXPECT_EQ(formatnumber(1234567, "#,###"), "1234,567");  // a comma is literal text here
    EXPECT_EQ(formatnumber(5, "rate"), "rate");
}

TEST(FormatNumber, ExponentForms) {
    EXPECT_EQ(formatnumber(1500, "#.###e+0"), "1.5e+3");
    EXPECT_EQ(formatnumber(2000, "#.###e+0"), "2.e+3");
    EXPECT_EQ(formatnumber(0.0005, "#.###e+##"), "5.e-4");
    EXPECT_EQ(formatnumber(1.23456e-12, "#.###e+##"), "1.235e-12");
    EXPECT_EQ(formatnumber(0.005, "0.000e+0"), "5.000e-3");
    EXPECT_EQ(formatnumber(0.001, "0.000e+0"), "1.000e-3");
    EXPECT_EQ(formatnumber(123456, "0.000e+00"), "1.235e+05");
    EXPECT_EQ(formatnumber(123456, "0.0e-0"), "1.2e5");
    EXPECT_EQ(formatnumber(0.002, "0.0e-0"), "2.0e-3");
    EXPECT_EQ(formatnumber(9.9996, "0.000e+0"), "1.000e+1");  // the mantissa never rounds to 10
    EXPECT_EQ(formatnumber(-1500, "0.0E+0"), "-1.5E+3");
    EXPECT_EQ(formatnumber(0, "0.000e+0"), "0.000e+0");
}

TEST(FormatNumber, IndependentOfTheCLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
        EXPECT_EQ(formatnumber(1.5, "0.00"), "1.50");
        EXPECT_EQ(fmtnum(1500), "1.5e+3  ");
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Fmtsig, ZeroIsAStar) {
    EXPECT_EQ(fmtsig(0, 2, 4), "   *");
    EXPECT_EQ(fmtsig(0, 0, 0), "   *");
    EXPECT_EQ(fmtsig(0, 5, 9), "   *");
}

TEST(Fmtsig, LeadingBlanksByMagnitude) {
    EXPECT_EQ(fmtsig(5, 3, 0), "   5");
    EXPECT_EQ(fmtsig(55, 3, 0), "  55");
    EXPECT_EQ(fmtsig(999, 3, 0), " 999");
    EXPECT_EQ(fmtsig(2.25, 2, 1), "  2.3");  // halves away from zero
    EXPECT_EQ(formatnumber(2.675, "0.00"), "2.68");
    EXPECT_EQ(formatnumber(-0.5, "0"), "-1");
    EXPECT_EQ(fmtsig(1234, 2, 2), "1234.");
}

TEST(Fmtsig, SmallValuesTakeTheExponentFormAfterWBlanks) {
    // d up to 3: threshold 0.1; d = 5: threshold 0.01.
    EXPECT_EQ(fmtsig(0.05, 3, 2), "   5.000e-2");
    EXPECT_EQ(fmtsig(0.05, 2, 5), "  0.05");
    EXPECT_EQ(fmtsig(0.005, 2, 5), "  5.000e-3");
    EXPECT_EQ(fmtsig(0.05, 1, 2), "5.000e-2");  // w of 1 or less gives no blanks
    EXPECT_EQ(fmtsig(0.0004, 6, 7), "      0.0004");  // d = 7: threshold 0.0001
    EXPECT_EQ(fmtsig(0.00004, 6, 7), "      4.000e-5");
}

// Worked out from the rules: not above 0 -> "##.##"; above 1000 -> "#.###e+0"; below 0.001
// -> "#.###e+##" (each with two blanks after); above 0.1 -> fmtsig(x, 2, 4); below 0.1 ->
// fmtsig(x, 2, 5); exactly 0.1 -> "#.######" and two blanks.
TEST(Fmtnum, TheRequiredVectors) {
    EXPECT_EQ(fmtnum(0), ".  ");
    EXPECT_EQ(fmtnum(0.1), ".1  ");
    EXPECT_EQ(fmtnum(0.5), "  0.5");
    EXPECT_EQ(fmtnum(0.005), "  5.000e-3");
    EXPECT_EQ(fmtnum(10), " 10.");
    EXPECT_EQ(fmtnum(500), "500.");
    EXPECT_EQ(fmtnum(1500), "1.5e+3  ");
    EXPECT_EQ(fmtnum(2000), "2.e+3  ");
    // The float 0.1f is 0.100000001490116..., above 0.1: fmtsig(x, 2, 4) with threshold 0.1.
    EXPECT_EQ(fmtnum(0.1f), "  0.1");
}

TEST(Fmtnum, Boundaries) {
    EXPECT_EQ(fmtnum(-2.5), "-2.5  ");
    EXPECT_EQ(fmtnum(1000), "1000.");
    EXPECT_EQ(fmtnum(1000.4), "1.e+3  ");
    EXPECT_EQ(fmtnum(0.05), "  0.05");
    EXPECT_EQ(fmtnum(0.01), "  0.01");
    EXPECT_EQ(fmtnum(0.001), "  1.000e-3");
    EXPECT_EQ(fmtnum(0.0009), "9.e-4  ");
    EXPECT_EQ(fmtnum(99.99), " 99.99");
    EXPECT_EQ(fmtnum(3.14159), "  3.1416");
}

TEST(FormatNumber, ExtremeMagnitudesNeverFail) {
    // The smallest numbers take their exponent from their decimal digits, not from a power of
    // ten that underflows to zero.
    EXPECT_EQ(formatnumber(5e-324, "#.###e+##"), "4.941e-324");
    EXPECT_EQ(formatnumber(2.2250738585072014e-308, "0.000e+0"), "2.225e-308");
    EXPECT_EQ(fmtnum(5e-324), "4.941e-324  ");
    EXPECT_EQ(fmtsig(1e-310, 2, 5), "  1.000e-310");
    EXPECT_EQ(formatnumber(1.7976931348623157e308, "#.###e+0"), "1.798e+308");
    // A percentage that overflows is told as such, like any infinite value.
    EXPECT_EQ(formatnumber(1e307, "0%"), "Infinity");
    EXPECT_EQ(formatnumber(-1e307, "0.0%"), "-Infinity");
}

TEST(Fmtnum, NumbersBelowTheSmallestNormalRoundToNearestLikeAnyOther) {
    // The shortest text of a subnormal ("5e-324") carries fewer digits than the value has.
    EXPECT_EQ(fmtnum(5e-324), "4.941e-324  ");
    EXPECT_EQ(fmtnum(1e-323), "9.881e-324  ");
    EXPECT_EQ(fmtnum(2.5e-320), "2.5e-320  ");
    EXPECT_EQ(fmtnum(1e-310), "1.e-310  ");
    // Just above the smallest normal nothing changes.
    EXPECT_EQ(fmtnum(2.2250738585072014e-308), "2.225e-308  ");
}
