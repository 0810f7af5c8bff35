// The shared example working set loads with its units, tests and bins.
#include <gtest/gtest.h>

#include <memory>

#include "app.h"
#include "data/workset.h"
#include "exampleset.h"
#include "ui/scripted_platform.h"

using namespace brasket;

TEST(ExampleWorkingSet, LoadsWithUnitsTestsAndAFixedClock) {
    ScriptedPlatform platform;
    auto app = std::make_unique<App>(platform);
    brasket::testing::loadexampleset(*app, platform);
    EXPECT_GT(unitcount(app->ws), 20);
    EXPECT_GT(testcount(app->ws), 10);
    EXPECT_EQ(platform.now(), brasket::testing::fixedclock());
}
