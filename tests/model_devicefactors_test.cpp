#include <gtest/gtest.h>

#include <vector>

#include "data/workset.h"
#include "model/devicefactors.h"

using namespace brasket;

namespace {

// Every device row carries distinct factors so that a test sees which rows were read.
struct DeviceRules : ::testing::Test {
    Workset ws;
    void SetUp() override {
        for (long col = 0; col <= 2; ++col)
            for (long row = 0; row <= 30; ++row) {
                emfactorrec& r = ws.emfactor(row, col);
                const float base = static_cast<float>(100 * col + row);
                r.hgpart = base + 0.1f, r.hgox = base + 0.2f, r.hgelem = base + 0.3f, r.hgtotal = base + 0.4f;
            }
    }
    // The factors expected from the product of particulate rows (one row of `column` alone).
    DeviceFactors expected(std::vector<long> rows, long column = 2) {
        double p = 1, o = 1, e = 1, t = 1;
        for (long row : rows) {
            const emfactorrec& r = ws.emfactor(row, column);
            p *= r.hgpart, o *= r.hgox, e *= r.hgelem, t *= r.hgtotal;
        }
        return {float(p), float(o), float(e), float(t)};
    }
    static void expectsame(const DeviceFactors& a, const DeviceFactors& b) {
        EXPECT_EQ(a.part, b.part);
        EXPECT_EQ(a.ox, b.ox);
        EXPECT_EQ(a.elem, b.elem);
        EXPECT_EQ(a.total, b.total);
    }
};

}  // namespace

TEST_F(DeviceRules, So2Rules) {
    struct Case { long s, p, modelled; const char* rule; bool unity; };
    const Case cases[] = {
        {5, 1, 11, "SDA with ESP-CS is modeled as SDAESP", false},
        {1, 10, 3, "WETSCRUB with MECH/PARTSCRUB is modeled as MECH/PARTSCRUB", true},
        {1, 8, 3, "WETSCRUB with PARTSCRUB is modeled as PARTSCRUB", true},
        {7, 8, 3, "WETSCRUB/COMP COAL with PARTSCRUB is modeled as PARTSCRUB", true},
        {6, 2, 5, "DRYSCRUB with BAGHOUSE is modeled as SDA", false},
        {10, 1, 12, "SORB INJ with ESP-CS is modeled as SORBESP", false},
        {7, 1, 1, "WET SCRUB/COMP COAL is modeled as a WET SCRUB", false},
        {9, 2, 3, "", true}, {4, 0, 3, "", true}, {5, 2, 5, "", false}, {11, 1, 11, "", false},
        {40, 0, 40, "", false}};  // outside the factor table: unity factors
    for (const Case& c : cases) {
        DeviceFactors f{-1, -1, -1, -1};
        long modelled = -1;
        std::string unity = "old", rule = "old";
        so2modeledas(ws, c.s, c.p, f, modelled, unity, rule);
        EXPECT_EQ(modelled, c.modelled) << c.s << " " << c.p;
        EXPECT_EQ(rule, c.rule);
        EXPECT_EQ(unity, c.unity ? "SO2 control modeled with Hg factor of unity." : "");
        expectsame(f, c.unity || c.s == 40 ? DeviceFactors{} : expected({c.modelled}, 1));
    }
}

TEST_F(DeviceRules, ParticulateRules) {
    struct Case { long s, p; std::vector<long> rows; const char* message; const char* second = ""; };
    const std::vector<long> unity{15};
    const Case cases[] = {
        {5, 2, unity, "The baghouse recovery is included with the SDA."},
        {5, 3, unity, "The mech/baghouse recovery is included with the SDA."},
        {0, 3, {6, 5}, "The MECH/BAGHOUSE is a composite of MECH and BAGHOUSE."},
        {11, 3, {6, 5}, "The MECH/BAGHOUSE is a composite of MECH and BAGHOUSE."},
        {0, 10, {6, 8}, "The MECH/PARTSCRUB is a composite of MECH and PARTSCRUB."},
        {6, 2, unity, "The baghouse recovery is included with the SDA.", "The baghouse dryscrub is modeled as a SDA."},
        {10, 1, unity, "The ESP recovery is included with SorbESP."},
        {11, 1, unity, "The ESP recovery is included with the SDAESP."},
        {5, 1, unity, "The ESP recovery is included with the SDAESP."},
        {0, 15, unity, "No emission control: the factors are unity."},
        {0, 7, {6, 1}, "The MECH/ESP-CS is a series MECH and ESP-CS (factor X factor)."},
        {0, 11, {5, 4, 6}, "The MECH/BAGHOUSE/ESP-HS is a composite of each of the three."},
        {0, 12, {4, 1}, "The ESP-HS/ESP-CS is a composite of ESP-CS and ESP-HS."},
        {0, 13, {4, 5}, "The ESP-HS/BAGHOUSE is a composite of BAGHOUSE and ESP-HS."},
        {0, 14, {1, 1}, "The ESP-CS/ESP-CS is a series ESP-CS and ESP-CS (factor X factor)."},
        {0, 9, {8, 1}, "The Particle scrub/ESP-CS is a series particle scrubber and ESP-CS (factor X factor)."},
        {0, 2, {2}, ""},  {0, 1, {1}, ""}, {1, 8, {8}, ""},
        {0, 31, {31}, ""}};  // outside the factor table: unity factors
    for (const Case& c : cases) {
        DeviceFactors f{-1, -1, -1, -1};
        long modelled = -1, first = -1, second = -1, third = -1;
        std::string message = "old", secondmessage = "old";
        pmcomposite(ws, c.s, c.p, f, modelled, first, second, third, message, secondmessage);
        SCOPED_TRACE(std::to_string(c.s) + " " + std::to_string(c.p));
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(secondmessage, c.second);
        const bool isunity = c.rows == unity;
        EXPECT_EQ(modelled, isunity ? 15 : c.p);
        EXPECT_EQ(first, c.rows[0]);
        EXPECT_EQ(second, c.rows.size() > 1 ? c.rows[1] : 0);
        EXPECT_EQ(third, c.rows.size() > 2 ? c.rows[2] : 0);
        expectsame(f, isunity || c.p == 31 ? DeviceFactors{} : expected(c.rows));
    }
}

TEST_F(DeviceRules, CoalGasProcessReadsTheFurnaceColumn) {
    DeviceFactors f;
    long modelled = 0, first = 0, second = -1, third = -1;
    std::string message, secondmessage;
    pmcomposite(ws, 0, 16, f, modelled, first, second, third, message, secondmessage);
    EXPECT_EQ(message, "Emission modification factors for coal gas process.");
    EXPECT_EQ(modelled, 16);
    EXPECT_EQ(first, 16);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(third, 0);
    expectsame(f, expected({16}, 0));
}
