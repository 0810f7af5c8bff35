#include <gtest/gtest.h>

#include "import/testimport.h"

using namespace brasket;

TEST(TestValues, NotDetectedValuesAreHalfTheirLimitAnd999WithoutOne) {
    EXPECT_DOUBLE_EQ(parsetestvalue("ND(1.0)"), 0.5);
    EXPECT_DOUBLE_EQ(parsetestvalue("ND (0.42) ug"), 0.21);
    EXPECT_DOUBLE_EQ(parsetestvalue("2.4"), 2.4);
    EXPECT_DOUBLE_EQ(parsetestvalue("<0.42"), 0);
    EXPECT_DOUBLE_EQ(parsetestvalue("nd(4)"), 0);  // the mark is case-sensitive
    for (const char* text : {"ND(0.42", "ND()", "ND", "ND)("}) {
        EXPECT_DOUBLE_EQ(parsetestvalue(text), 999) << text;
        EXPECT_TRUE(malformednotdetected(text)) << text;
    }
    EXPECT_FALSE(malformednotdetected("ND(1.0)"));
    EXPECT_FALSE(malformednotdetected("999"));
}

TEST(TestCodes, ReferenceAndFuelCodesFollowTheFirstTextFound) {
    EXPECT_EQ(textcode("Method 1631"), 1631);
    EXPECT_EQ(textcode("(3051/3052/7471)"), 3051);
    EXPECT_EQ(textcode("(7371/1631)"), 7371);  // before the plain 1631
    EXPECT_EQ(textcode("Proposed method (7471)"), 1);
    EXPECT_EQ(textcode(""), 9);
    EXPECT_EQ(fuelcode("Bituminous", 0.5), 6);
    EXPECT_EQ(fuelcode("Bituminous", 0.6), 3);
    EXPECT_EQ(fuelcode("Sub-bituminous", 0.2), 4);
    EXPECT_EQ(fuelcode("Waste anthracite", 0.2), 8);  // before "Anth"
    EXPECT_EQ(fuelcode("Syn. Coal Gas", 0), 62);
    EXPECT_EQ(fuelcode("Sub-bit/Bit blend", 1.0), 14);  // before "Sub-bit"
    EXPECT_EQ(fuelcode("Bit/pet coke", 1.0), 17);        // before "Bit"
    EXPECT_EQ(fuelcode("Wood", 0), 2);
}
