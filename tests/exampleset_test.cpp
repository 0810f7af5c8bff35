// The shared example working set loads with its units, tests and bins.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

#include "app.h"
#include "data/workset.h"
#include "exampleset.h"
#include "model/binlookup.h"
#include "model/codes.h"
#include "ui/scripted_platform.h"
#include "unitwindow/form1.h"

using namespace brasket;

TEST(ExampleWorkingSet, LoadsWithUnitsTestsAndAFixedClock) {
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    brasket::testing::loadexampleset(*app, platform);
    EXPECT_GT(unitcount(app->ws), 20);
    EXPECT_GT(testcount(app->ws), 10);
    EXPECT_EQ(platform.now(), brasket::testing::fixedclock());
}

// The set stores its fuels as the imports pack them from exports that name "NONE" beside a
// fuel burned alone: every fuel number of the fuel use, the analyses, the plants' fuel slots
// and the configuration rows is a code of the evaluation window's fuel list, so the bin
// look-up finds the units' configurations by those codes.
TEST(ExampleWorkingSet, FuelNumbersAreTheFuelListCodesAndTheUnitsConfigurationsHaveRows) {
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    brasket::testing::loadexampleset(*app, platform);
    const Workset& ws = app->ws;
    auto listed = [](long fuel) {
        return fuel != nofuelcode && std::find(fuelitemdata.begin(), fuelitemdata.end(), fuel) != fuelitemdata.end();
    };

    std::set<std::tuple<long, long, long, long>> configurations, withoutrow;
    long bituminousunits = 0;
    for (long u = 1; u <= unitcount(ws); ++u) {
        const unitcrec& unit = ws.unitc(u);
        std::set<long> fuels;
        for (long m = 1; m <= 12; ++m)
            for (std::size_t s = 1; s <= 4; ++s)
                if (ws.unitcoal(u, m).fuelnum[s] > 0) fuels.insert(ws.unitcoal(u, m).fuelnum[s]);
        ASSERT_FALSE(fuels.empty()) << u;
        if (fuels.count(203)) ++bituminousunits;
        for (long fuel : fuels) {
            EXPECT_TRUE(listed(fuel)) << "unit " << u << " fuel " << fuel;
            EXPECT_EQ(fuelname(ws, fuel).find("NONE"), std::string::npos) << fuel;
            const auto c = std::make_tuple(fuel, long{unit.modelboiler}, long{unit.modelso2}, long{unit.modelpm});
            configurations.insert(c);
            if (findconfiguration(ws, fuel, unit.modelboiler, unit.modelso2, unit.modelpm).match == 0)
                withoutrow.insert(c);
        }
    }
    EXPECT_GT(bituminousunits, 0);
    // The configuration rows hold every configuration of the fleet but its rarest one.
    EXPECT_GT(configurations.size(), 10u);
    EXPECT_LE(withoutrow.size(), 1u);

    for (long n = 1; n <= meascount(ws); ++n) EXPECT_TRUE(listed(ws.meas(n).fuelnum)) << "analysis " << n;
    long slots = 0;
    for (long p = 1; p <= plantcount(ws); ++p)
        for (long s = 1; s <= 10; ++s)
            if (const long fuel = ws.plant(p).fuelno[static_cast<std::size_t>(s)]; fuel != 0) {
                EXPECT_TRUE(listed(fuel)) << "plant " << p << " slot " << s;
                ++slots;
            }
    EXPECT_GE(slots, plantcount(ws));
    for (long j = 1; j <= 300; ++j) {
        if (!ws.binindex(j).emptyconfiguration()) {
            EXPECT_TRUE(listed(ws.binindex(j).unitfuel)) << "row " << j;
        }
    }
}
