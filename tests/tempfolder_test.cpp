// A test's temporary folder goes whole when its last owner ends, and only then.
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using brasket::testing::TempFolder;

// Moved into a list that grows (and so moves its folders again), a folder stays with what it
// holds until the list ends; folders of the same name are folders of their own.
TEST(TempFolders, AMovedFolderStaysUntilItsLastOwnerEnds) {
    fs::path first;
    {
        std::vector<TempFolder> folders;
        {
            TempFolder folder("moved");
            first = folder.path();
            std::ofstream(folder / "kept.txt") << "kept";
            folders.push_back(std::move(folder));
        }
        for (int k = 0; k < 10; ++k) folders.emplace_back("moved");
        EXPECT_TRUE(fs::exists(first / "kept.txt"));
        EXPECT_NE(folders[0].path(), folders[1].path());
        EXPECT_EQ(folders[0].path(), first);
    }
    EXPECT_FALSE(fs::exists(first));
}

// A folder holding a read-only folder with a file in it goes whole.
TEST(TempFolders, AFolderGoesWithTheReadOnlyFoldersInIt) {
    fs::path path;
    {
        TempFolder folder("readonly");
        path = folder.path();
        fs::create_directories(folder / "outer" / "inner");
        std::ofstream(folder / "outer" / "inner" / "file.txt") << "x";
        fs::permissions(folder / "outer" / "inner", fs::perms::owner_read | fs::perms::owner_exec);
        fs::permissions(folder / "outer", fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_FALSE(fs::exists(path));
}
