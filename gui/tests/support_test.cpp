// The skin tests' fresh folders go when the test that made them ends, and only those.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "support.h"

namespace brasket::gui {
namespace {

TEST(FreshFolders, TheFoldersATestMadeGoWhenItEndsAndNoOthers) {
    const std::unique_ptr<::testing::TestEventListener> remover(testing::freshfolderremover());
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    const auto earlier = testing::freshfolder("earlier");
    remover->OnTestStart(test);
    const auto during = testing::freshfolder("during");
    const auto again = testing::freshfolder("during");
    EXPECT_NE(during, again);
    EXPECT_TRUE(std::filesystem::is_directory(during));
    remover->OnTestEnd(test);
    EXPECT_FALSE(std::filesystem::exists(during));
    EXPECT_FALSE(std::filesystem::exists(again));
    EXPECT_TRUE(std::filesystem::is_directory(earlier));
}

}  // namespace
}  // namespace brasket::gui
