// The skin's tests run inside one QApplication, on Qt's offscreen platform unless QT_QPA_PLATFORM
// names another. The folders a test makes with freshfolder are removed when it ends. Where the
// session names no runtime folder (XDG_RUNTIME_DIR), the run has one of its own, removed when it
// ends: Qt would make one in the temporary folder and leave it there.
// With --fail-if-all-skipped a run in which no test passed and none failed (every selected test
// skipped, or none selected) ends with status 1: a suite whose tests skip where the screen is not
// the one they are written for does not pass on a screen that no test could use.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>

#include "../../tests/tempfolder.h"
#include "support.h"

namespace {

// Whether the command line holds the option; it is taken out of it.
bool takeoption(int& argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) {
            for (int j = i; j < argc; ++j) argv[j] = argv[j + 1];
            --argc;
            return true;
        }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool failifallskipped = takeoption(argc, argv, "--fail-if-all-skipped");
    std::optional<brasket::testing::TempFolder> runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtime.emplace("gui-runtime");
        std::filesystem::permissions(runtime->path(), std::filesystem::perms::owner_all);  // as Qt wants it
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime->path().string()));
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
    tests.listeners().Append(brasket::gui::testing::freshfolderremover());
    const int status = RUN_ALL_TESTS();
    if (status == 0 && failifallskipped && tests.successful_test_count() == 0) {
        std::cerr << "no test passed: " << tests.skipped_test_count() << " of " << tests.test_to_run_count()
                  << " selected tests skipped (--fail-if-all-skipped)\n";
        return 1;
    }
    return status;
}
