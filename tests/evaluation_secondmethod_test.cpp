#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app.h"
#include "evaluation/secondmethod.h"
#include "evaluation_lists.h"
#include "report/reportbuffer.h"
#include "ui/scripted_platform.h"

using namespace brasket;
using brasket::testing::existing;
using brasket::testing::fillevaluationlists;
using brasket::testing::propose;
using brasket::testing::setfuel;

namespace {

struct SecondMethod : ::testing::Test {
    ScriptedPlatform platform;
    App app{platform};

    void SetUp() override {
        for (long d = 1; d <= secondmethoddevices; ++d) device(d, 0.5f, 0.5f, 0.5f);
        device(1, 0.9f, 0.3f, 0.1f);    // ESP CS
        device(2, 0.6f, 0.1f, 0.0f);    // ESP HS
        device(3, 0.8f, 0.2f, 0.0f);    // Lignite ESP cs
        device(6, 0.95f, 0.9f, 0.1f);   // ESP CS wetscrub
        device(11, 0.99f, 0.5f, 0.2f);  // SDA/ESP
        speciation(1, 5, 3, 0, 3, 0.1f, 0.6f, 0.3f);    // any furnace burning class 3
        speciation(2, 1, 6, 0, 3, 0.05f, 0.8f, 0.15f);  // cyclones, any NOx control
        speciation(3, 0, 2, 0, 3, 0.25f, 0.25f, 0.5f);  // CONV/PC with SNCR
        speciation(4, 4, 0, 0, 3, 0.3f, 0.4f, 0.3f);    // coal gas
        speciation(32, 0, 0, 0, 0, 0.2f, 0.3f, 0.5f);   // the row taken when none fits
    }
    void device(long d, float part, float ox, float elem) {
        partfactors2rec& r = app.ws.partfactors2(d);
        std::string name;
        devicename2(d, name);
        r.devicename = name;
        r.partremoval = part, r.oxremoval = ox, r.elemremoval = elem;
    }
    void speciation(long row, int b, int n, int c, int f, float part, float ox, float elem) {
        partfactors1rec& r = app.ws.partfactors1(row);
        r.boilergroup = u8(b), r.noxgroup = u8(n), r.controlclass = u8(c), r.fuelclass = u8(f);
        r.partfrac = part, r.oxfrac = ox, r.elemfrac = elem;
    }
    // The report lines written since line `from`.
    std::vector<std::string> linesafter(long from) {
        std::vector<std::string> out;
        for (long i = from + 1; i <= app.report.reportlinecount; ++i) out.push_back(app.report.line(i));
        return out;
    }
    std::vector<std::string> reported(long fuelclass, long g, long n, long so2, long pm, double& factor) {
        startreport(app, 0);
        app.reportcalc = 1;
        factor = secondmethodfactor(app, fuelclass, g, n, so2, pm, 0);
        app.reportcalc = 0;
        return linesafter(0);
    }
    static bool has(const std::vector<std::string>& lines, const std::string& text) {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
    static bool mentions(const std::vector<std::string>& lines, const std::string& text) {
        for (const auto& l : lines)
            if (l.find(text) != std::string::npos) return true;
        return false;
    }
};

TEST_F(SecondMethod, AScrubberAndAParticulateDeviceActInSeries) {
    // SO2 code 6 counts as a wet scrubber; particulate code 7 is a cold-side ESP behind it.
    double factor = 0;
    auto lines = reported(3, 0, 0, 6, 7, factor);
    const std::vector<std::string> expected = {
        "Second method of estimation of control effectiveness.",
        " control effectiveness by mercury species:",
        " The Control Device is ESP CS",
        "   particulate    90.%",
        "   oxidized       30.%",
        "   elemental      10.%",
        " The Particulate Control Device is ESP CS",
        "   particulate    90.%",
        "   oxidized       30.%",
        "   elemental      10.%",
        " The Combined emission modification factor (outlet/inlet) is",
        "   particulate    0.01",
        "   oxidized       0.49",
        "   elemental      0.81",
        "Second method of estimation of control effectiveness.",
        "  mercury speciation by furnace and fuel",
        "  speciation bin:  1",
        "  The estimated partitioning of the mercury for this fuel is",
        "    particulate    10.%",
        "    oxidized       60.%",
        "    elemental      30.%",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_NEAR(factor, 1 - (0.99 * 0.1 + 0.51 * 0.6 + 0.19 * 0.3), 1e-6);
}

TEST_F(SecondMethod, DeviceChoiceFollowsTheFirstRuleThatApplies) {
    struct Case {
        long fuelclass, so2, pm;
        const char* control;      // nullptr: no control device line
        const char* particulate;  // nullptr: no particulate device line
        double factor;            // below 0: not checked
    };
    const Case cases[] = {
        // A spray dryer with a cold-side ESP is one combined device.
        {3, 5, 1, "SDA/ESP", nullptr, 1 - (0.99 * 0.1 + 0.5 * 0.6 + 0.2 * 0.3)},
        // A cold-side ESP burning lignite is the lignite ESP; lignite has no speciation row.
        {5, 0, 1, nullptr, "Lignite ESP cs", 1 - (0.8 * 0.2 + 0.2 * 0.3)},
        {3, 0, 1, nullptr, "ESP CS", 1 - (0.9 * 0.1 + 0.3 * 0.6 + 0.1 * 0.3)},
        // A wet scrubber without particulate control counts as the cold-side ESP alone.
        {3, 1, 15, "ESP CS", nullptr, 0.70},
        {3, 4, 4, "ESP HS", nullptr, -1},
        {3, 4, 2, nullptr, "Baghouse", -1},
        {3, 5, 4, "SDA control", nullptr, -1},
        {3, 6, 13, "Baghouse/Wetscrub", nullptr, -1},
        {3, 1, 1, "ESP CS wetscrub", nullptr, -1},
        {3, 1, 6, "ESP CS", "Mechanical", -1},
        {3, 9, 1, "Sorb/ESP", nullptr, -1},
        {3, 0, 16, nullptr, nullptr, -1},
    };
    for (const Case& c : cases) {
        double factor = 0;
        auto lines = reported(c.fuelclass, 0, 0, c.so2, c.pm, factor);
        const std::string where = std::to_string(c.fuelclass) + ":" + std::to_string(c.so2) + "," + std::to_string(c.pm);
        if (c.control)
            EXPECT_TRUE(has(lines, std::string(" The Control Device is ") + c.control)) << where;
        else
            EXPECT_FALSE(mentions(lines, " The Control Device is")) << where;
        if (c.particulate)
            EXPECT_TRUE(has(lines, std::string(" The Particulate Control Device is ") + c.particulate)) << where;
        else
            EXPECT_FALSE(mentions(lines, "Particulate Control Device")) << where;
        if (c.factor >= 0) {
            EXPECT_NEAR(factor, c.factor, 1e-6) << where;
        }
        if (c.fuelclass == 5) {
            EXPECT_TRUE(has(lines, "  speciation bin:  32")) << where;
        }
    }
    std::string name = "unchanged";
    devicename2(14, name);
    EXPECT_EQ(name, "unchanged");
}

TEST_F(SecondMethod, NothingIsWrittenOutsideTheLongReport) {
    startreport(app, 0);
    EXPECT_NEAR(secondmethodfactor(app, 3, 0, 0, 1, 15, 2), 0.70, 1e-6);
    EXPECT_EQ(app.report.reportlinecount, 0);
}

TEST_F(SecondMethod, SpeciationPassesTakeTheMostSpecificRowFirst) {
    for (long r = 1; r <= 51; ++r) app.ws.partfactors1(r) = partfactors1rec{};
    // Cyclone (1) with NOX (0), spray dryer (control class 5), bituminous (3); a row per pass,
    // in reverse order, the particulate fraction naming the pass.
    const int keys[7][4] = {{5, 3, 2, 3}, {5, 0, 2, 3}, {5, 0, 5, 3}, {5, 6, 5, 3},
                            {1, 6, 2, 3}, {1, 0, 2, 3}, {1, 0, 5, 3}};
    for (int i = 0; i < 7; ++i)
        speciation(i + 1, keys[i][0], keys[i][1], keys[i][2], keys[i][3], float(7 - i) / 100, 0.5f, 0.5f);
    speciation(32, 9, 9, 9, 9, 0.99f, 0, 0);
    for (int pass = 1; pass <= 8; ++pass) {
        SecondMethodTable t{};
        long fuel = 3;
        fuelspeciation(app, fuel, 1, 0, 5, 1, t, 1);
        const double expected = pass <= 7 ? pass / 100.0 : 0.99;
        EXPECT_NEAR(t[2][1][1], expected, 1e-7) << "pass " << pass;
        if (pass <= 7) app.ws.partfactors1(8 - pass).fuelclass = 9;  // this pass finds nothing now
    }
    // Only cyclones and fluidised beds take the any-NOx row of their own furnace.
    for (long r = 1; r <= 7; ++r) app.ws.partfactors1(r).fuelclass = 9;
    speciation(3, 0, 6, 0, 3, 0.42f, 0.3f, 0.28f);
    speciation(4, 3, 6, 0, 3, 0.43f, 0.3f, 0.27f);
    SecondMethodTable t{};
    long fuel = 3;
    fuelspeciation(app, fuel, 0, 0, 0, 1, t, 0);
    EXPECT_NEAR(t[2][0][1], 0.99, 1e-7);
    fuelspeciation(app, fuel, 3, 0, 0, 1, t, 0);
    EXPECT_NEAR(t[2][0][1], 0.43, 1e-7);
    // The caller's fuel class becomes the coarse class the table is keyed by.
    fuel = 10;
    fuelspeciation(app, fuel, 3, 0, 0, 1, t, 0);
    EXPECT_EQ(fuel, 3);
    fuel = 11;
    fuelspeciation(app, fuel, 3, 0, 0, 1, t, 0);
    EXPECT_EQ(fuel, 8);
}

TEST_F(SecondMethod, TheEmptyFuelRowTakesBackTheReportsLinesAndWritesNone) {
    startreport(app, 0, 10);
    app.reportcalc = 1;
    SecondMethodTable t{};
    t[2][controlslot] = {0, 0.7, 0.7, 0.7};
    controleffectiveness(app, 2, 0, 0, 1, 1, t);
    EXPECT_EQ(app.report.reportlinecount, 8);
    EXPECT_EQ(t[2][controlslot][1], 0);
    long fuel = 2;
    fuelspeciation(app, fuel, 0, 0, 1, 1, t, 1);
    EXPECT_EQ(app.report.reportlinecount, 5);
    EXPECT_EQ(t[2][1][1], 0);
    // The take-back never goes below the start of the buffer.
    controleffectiveness(app, 2, 0, 0, 1, 1, t);
    fuelspeciation(app, fuel, 0, 0, 1, 1, t, 1);
    fuelspeciation(app, fuel, 0, 0, 1, 1, t, 1);
    EXPECT_EQ(app.report.reportlinecount, 0);
    // The factor of an empty row is 0 and calls neither routine, so nothing is taken back.
    startreport(app, 0, 10);
    EXPECT_EQ(secondmethodfactor(app, 2, 0, 0, 1, 1, 0), 0);
    EXPECT_EQ(app.report.reportlinecount, 10);
    app.reportcalc = 0;
}

struct SecondMethodWindow : SecondMethod {
    void SetUp() override {
        SecondMethod::SetUp();
        fillevaluationlists(app.form1);
        for (int row = 0; row < 4; ++row) setfuel(app.form1, row, 2);
    }
};

TEST_F(SecondMethodWindow, ExistingAndProposedConfigurationsOfAFuelRow) {
    setfuel(app.form1, 1, 3);
    // Existing: cyclone without NOx control (type 10), hot-side ESP, no scrubber.
    existing(app.form1, 10, 4, 0);
    EXPECT_NEAR(method2(app, 1, true), 1 - (0.6 * 0.05 + 0.1 * 0.8), 1e-6);
    // Proposed: cyclone, NONOX, cold-side ESP behind a wet scrubber.
    propose(app.form1, 1, 3, 1, 1);
    EXPECT_NEAR(method2(app, 1, false), 1 - (0.95 * 0.05 + 0.9 * 0.8 + 0.1 * 0.15), 1e-6);
    // The existing configuration is read from the unit's model types, not from the proposal.
    EXPECT_NEAR(method2(app, 1, true), 1 - (0.6 * 0.05 + 0.1 * 0.8), 1e-6);
    // Coal gas (22) has a boiler group but no NOx group: (4, 0).
    existing(app.form1, 22, 1, 0);
    EXPECT_NEAR(method2(app, 1, true), 1 - (0.9 * 0.3 + 0.3 * 0.4 + 0.1 * 0.3), 1e-6);
    // An empty fuel row gives 0 and takes back no report line.
    startreport(app, 0, 10);
    app.reportcalc = 1;
    EXPECT_EQ(method2(app, 2, true), 0);
    EXPECT_EQ(method2(app, 2, false), 0);
    EXPECT_EQ(app.report.reportlinecount, 10);
    app.reportcalc = 0;
}

TEST_F(SecondMethod, FleetUnitsUseTheirOwnFurnaceGroups) {
    long fuel = 0;
    // Type 15 (CONV/PC with SNCR) burning 203; a cyclone unit before it changes nothing.
    method2v(app, 7, 1, 0, 203, fuel);
    EXPECT_NEAR(method2v(app, 15, 1, 0, 203, fuel), 1 - (0.9 * 0.25 + 0.3 * 0.25 + 0.1 * 0.5), 1e-6);
    EXPECT_EQ(fuel, 3);
    fuel = 7;
    EXPECT_EQ(method2v(app, 15, 1, 0, 202, fuel), 0);
    EXPECT_EQ(fuel, 2);
    method2v(app, 15, 1, 0, 407, fuel);
    EXPECT_EQ(fuel, 15);
    method2v(app, 15, 1, 0, 305, fuel);  // a code without a class leaves the caller's
    EXPECT_EQ(fuel, 15);
}

}  // namespace
