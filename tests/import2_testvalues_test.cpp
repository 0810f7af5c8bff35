#include <gtest/gtest.h>

#include "import/testimport.h"

using namespace brasket;

TEST(TestValues, NotDetectedValuesAreHalfTheirLimit) {
    EXPECT_DOUBLE_EQ(parsetestvalue("ND(1.0)"), 0.5);
    EXPECT_DOUBLE_EQ(parsetestvalue("ND(0.42)"), 0.21);
    EXPECT_DOUBLE_EQ(parsetestvalue("ND (0.42) ug"), 0.21);
    EXPECT_DOUBLE_EQ(parsetestvalue("2.4"), 2.4);
    EXPECT_DOUBLE_EQ(parsetestvalue("<0.42"), 0);
    EXPECT_DOUBLE_EQ(parsetestvalue(""), 0);
    // "nd" in lower case is not a not-detected mark
    EXPECT_DOUBLE_EQ(parsetestvalue("nd(4)"), 0);
}

TEST(TestValues, NotDetectedWithoutBracketedNumberGives999AndIsRecognised) {
    for (const char* text : {"ND(0.42", "ND()", "ND", "ND)("}) {
        EXPECT_DOUBLE_EQ(parsetestvalue(text), 999) << text;
        EXPECT_TRUE(malformednotdetected(text)) << text;
    }
    EXPECT_FALSE(malformednotdetected("ND(1.0)"));
    EXPECT_FALSE(malformednotdetected("999"));
    EXPECT_FALSE(malformednotdetected("(0.42"));
}

TEST(TestCodes, ReferenceCodeIsTheFirstTextFoundInOrder) {
    EXPECT_EQ(textcode("Method 1631"), 1631);
    EXPECT_EQ(textcode("(3051/3052/7471)"), 3051);
    EXPECT_EQ(textcode("(7371/1631)"), 7371);
    EXPECT_EQ(textcode("Proposed method (7471)"), 1);
    EXPECT_EQ(textcode("(7471)"), 7471);
    EXPECT_EQ(textcode("7471"), 9);
    EXPECT_EQ(textcode("proposed"), 9);
    EXPECT_EQ(textcode(""), 9);
}

TEST(TestCodes, FuelCodeFollowsTheTextsAndTheSulfurOfBituminousCoal) {
    EXPECT_EQ(fuelcode("Bituminous", 0.5), 6);
    EXPECT_EQ(fuelcode("Bituminous", 0.6), 3);
    EXPECT_EQ(fuelcode("low sulfur bit.", 0.59), 6);
    EXPECT_EQ(fuelcode("Sub-bituminous", 0.2), 4);
    EXPECT_EQ(fuelcode("Waste anthracite", 0.2), 8);
    EXPECT_EQ(fuelcode("Syn. Coal Gas", 0), 62);
    EXPECT_EQ(fuelcode("Sub-bit/Bit blend", 1.0), 14);
    EXPECT_EQ(fuelcode("Bit/sub blend", 1.0), 15);
    EXPECT_EQ(fuelcode("Sub-bit/pet coke", 1.0), 16);
    EXPECT_EQ(fuelcode("Bit/pet coke", 1.0), 17);
    EXPECT_EQ(fuelcode("Subbituminous", 0.3), 4);
    EXPECT_EQ(fuelcode("Wood", 0), 2);
}
