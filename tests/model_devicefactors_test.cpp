#include <gtest/gtest.h>

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
                r.hgpart = base + 0.1f;
                r.hgox = base + 0.2f;
                r.hgelem = base + 0.3f;
                r.hgtotal = base + 0.4f;
            }
    }

    struct So2 {
        DeviceFactors f;
        long modelled = -1;
        std::string unity = "old", rule = "old";
    };
    So2 so2(long s, long p) {
        So2 r;
        so2modeledas(ws, s, p, r.f, r.modelled, r.unity, r.rule);
        return r;
    }

    struct Pm {
        DeviceFactors f;
        long modelled = -1, first = -1, second = -1, third = -1;
        std::string message = "old", second_message = "old";
    };
    Pm pm(long s, long p) {
        Pm r;
        pmcomposite(ws, s, p, r.f, r.modelled, r.first, r.second, r.third, r.message, r.second_message);
        return r;
    }

    void expectrow(const DeviceFactors& f, long row, int col) {
        const emfactorrec& r = ws.emfactor(row, col);
        EXPECT_EQ(f.part, r.hgpart);
        EXPECT_EQ(f.ox, r.hgox);
        EXPECT_EQ(f.elem, r.hgelem);
        EXPECT_EQ(f.total, r.hgtotal);
    }
    void expectproduct(const DeviceFactors& f, std::initializer_list<long> rows) {
        double p = 1, o = 1, e = 1, t = 1;
        for (long row : rows) {
            const emfactorrec& r = ws.emfactor(row, 2);
            p *= r.hgpart, o *= r.hgox, e *= r.hgelem, t *= r.hgtotal;
        }
        EXPECT_EQ(f.part, static_cast<float>(p));
        EXPECT_EQ(f.ox, static_cast<float>(o));
        EXPECT_EQ(f.elem, static_cast<float>(e));
        EXPECT_EQ(f.total, static_cast<float>(t));
    }
    static void expectunity(const DeviceFactors& f) {
        EXPECT_EQ(f.part, 1.0f);
        EXPECT_EQ(f.ox, 1.0f);
        EXPECT_EQ(f.elem, 1.0f);
        EXPECT_EQ(f.total, 1.0f);
    }
};

}  // namespace

TEST_F(DeviceRules, SdaWithColdSideEspIsModelledAsSdaespAndTheEspIsUnity) {
    So2 s = so2(5, 1);
    EXPECT_EQ(s.modelled, 11);
    EXPECT_EQ(s.rule, "SDA with ESP-CS is modeled as SDAESP");
    EXPECT_EQ(s.unity, "");
    expectrow(s.f, 11, 1);

    Pm p = pm(5, 1);
    EXPECT_EQ(p.message, "The ESP recovery is included with the SDAESP.");
    EXPECT_EQ(p.second_message, "");
    EXPECT_EQ(p.modelled, 15);
    EXPECT_EQ(p.first, 15);
    EXPECT_EQ(p.second, 0);
    EXPECT_EQ(p.third, 0);
    expectunity(p.f);
}

TEST_F(DeviceRules, So2TypesWhoseFactorIsUnity) {
    for (long p : {0, 1, 2, 15}) {
        So2 s = so2(9, p);
        EXPECT_EQ(s.modelled, 3);
        EXPECT_EQ(s.unity, "SO2 control modeled with Hg factor of unity.");
        EXPECT_EQ(s.rule, "");
        expectunity(s.f);
    }
    for (long code : {2, 3, 4, 8}) EXPECT_EQ(so2(code, 0).modelled, 3) << code;
}

TEST_F(DeviceRules, So2RulesFirstMatchWinning) {
    So2 s = so2(7, 8);
    EXPECT_EQ(s.rule, "WETSCRUB/COMP COAL with PARTSCRUB is modeled as PARTSCRUB");
    EXPECT_EQ(s.modelled, 3);
    expectunity(s.f);

    s = so2(7, 1);
    EXPECT_EQ(s.rule, "WET SCRUB/COMP COAL is modeled as a WET SCRUB");
    EXPECT_EQ(s.modelled, 1);
    EXPECT_EQ(s.unity, "");
    expectrow(s.f, 1, 1);

    EXPECT_EQ(so2(1, 10).rule, "WETSCRUB with MECH/PARTSCRUB is modeled as MECH/PARTSCRUB");
    EXPECT_EQ(so2(1, 8).rule, "WETSCRUB with PARTSCRUB is modeled as PARTSCRUB");
    EXPECT_EQ(so2(1, 8).unity, "SO2 control modeled with Hg factor of unity.");

    s = so2(6, 2);
    EXPECT_EQ(s.rule, "DRYSCRUB with BAGHOUSE is modeled as SDA");
    expectrow(s.f, 5, 1);
    s = so2(10, 1);
    EXPECT_EQ(s.rule, "SORB INJ with ESP-CS is modeled as SORBESP");
    expectrow(s.f, 12, 1);

    s = so2(5, 2);  // SDA with baghouse keeps its own type
    EXPECT_EQ(s.modelled, 5);
    EXPECT_EQ(s.rule, "");
    expectrow(s.f, 5, 1);
}

TEST_F(DeviceRules, MechanicalBaghouseIsUnityUnderSdaOtherwiseTheProductOfMechAndBaghouse) {
    Pm p = pm(5, 3);
    EXPECT_EQ(p.message, "The mech/baghouse recovery is included with the SDA.");
    expectunity(p.f);

    for (long s : {0, 1, 6, 11}) {
        p = pm(s, 3);
        EXPECT_EQ(p.message, "The MECH/BAGHOUSE is a composite of MECH and BAGHOUSE.");
        EXPECT_EQ(p.modelled, 3);
        EXPECT_EQ(p.first, 6);
        EXPECT_EQ(p.second, 5);
        EXPECT_EQ(p.third, 0);
        expectproduct(p.f, {6, 5});
    }
}

TEST_F(DeviceRules, BaghouseAloneReadsRowTwoAndInsideCompositesRowFive) {
    Pm p = pm(0, 2);
    EXPECT_EQ(p.first, 2);
    EXPECT_EQ(p.message, "");
    EXPECT_EQ(p.second_message, "");
    expectrow(p.f, 2, 2);

    p = pm(0, 13);
    EXPECT_EQ(p.message, "The ESP-HS/BAGHOUSE is a composite of BAGHOUSE and ESP-HS.");
    expectproduct(p.f, {4, 5});

    p = pm(6, 2);
    EXPECT_EQ(p.message, "The baghouse recovery is included with the SDA.");
    EXPECT_EQ(p.second_message, "The baghouse dryscrub is modeled as a SDA.");
    expectunity(p.f);
    EXPECT_EQ(pm(5, 2).second_message, "");
}

TEST_F(DeviceRules, CompositeDevicesAndTheirComponents) {
    struct Case {
        long code;
        long first, second, third;
        const char* message;
    };
    const Case cases[] = {
        {10, 6, 8, 0, "The MECH/PARTSCRUB is a composite of MECH and PARTSCRUB."},
        {7, 6, 1, 0, "The MECH/ESP-CS is a series MECH and ESP-CS (factor X factor)."},
        {11, 5, 4, 6, "The MECH/BAGHOUSE/ESP-HS is a composite of each of the three."},
        {12, 4, 1, 0, "The ESP-HS/ESP-CS is a composite of ESP-CS and ESP-HS."},
        {14, 1, 1, 0, "The ESP-CS/ESP-CS is a series ESP-CS and ESP-CS (factor X factor)."},
        {9, 8, 1, 0, "The Particle scrub/ESP-CS is a series particle scrubber and ESP-CS (factor X factor)."},
    };
    for (const Case& c : cases) {
        Pm p = pm(0, c.code);
        EXPECT_EQ(p.message, c.message);
        EXPECT_EQ(p.modelled, c.code);
        EXPECT_EQ(p.first, c.first);
        EXPECT_EQ(p.second, c.second);
        EXPECT_EQ(p.third, c.third);
        if (c.third != 0)
            expectproduct(p.f, {c.first, c.second, c.third});
        else
            expectproduct(p.f, {c.first, c.second});
    }
}

TEST_F(DeviceRules, EspCoveredByTheSo2DeviceIsUnity) {
    EXPECT_EQ(pm(10, 1).message, "The ESP recovery is included with SorbESP.");
    EXPECT_EQ(pm(11, 1).message, "The ESP recovery is included with the SDAESP.");
    expectunity(pm(11, 1).f);
    Pm p = pm(0, 1);
    EXPECT_EQ(p.message, "");
    expectrow(p.f, 1, 2);
}

TEST_F(DeviceRules, NoControlAndCoalGasProcess) {
    Pm p = pm(0, 15);
    EXPECT_EQ(p.message, "No emission control: the factors are unity.");
    EXPECT_EQ(p.modelled, 15);
    EXPECT_EQ(p.first, 15);
    EXPECT_EQ(p.second, 0);
    EXPECT_EQ(p.third, 0);
    expectunity(p.f);

    p = pm(0, 16);
    EXPECT_EQ(p.message, "Emission modification factors for coal gas process.");
    EXPECT_EQ(p.modelled, 16);
    EXPECT_EQ(p.first, 16);
    EXPECT_EQ(p.second, 0);
    EXPECT_EQ(p.third, 0);
    expectrow(p.f, 16, 0);
}

TEST_F(DeviceRules, CodeOutsideTheFactorTableGivesUnity) {
    Pm p = pm(0, 31);
    EXPECT_EQ(p.first, 31);
    expectunity(p.f);
    expectunity(pm(0, -1).f);
    So2 s = so2(40, 0);
    EXPECT_EQ(s.modelled, 40);
    expectunity(s.f);
    expectunity(so2(-2, 0).f);
}
