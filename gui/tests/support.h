// Helpers of the skin's tests.
#pragma once
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "qtplatform.h"

namespace brasket {
struct App;
}

namespace brasket::gui::testing {

// A Qt platform whose message boxes are recorded instead of waiting for the analyst.
class QuietPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    int msgbox(const std::string& prompt, int = vbOKOnly, const std::string& = "") override {
        messages.push_back(prompt);
        return vbOK;
    }
    std::vector<std::string> messages;
};

// One plant with one unit burning bituminous coal, made in memory over an empty folder and listed
// in the main window's plant list.
void oneunit(App& app);
// A fresh empty folder under the system's temporary folder, removed with all in it when the test
// that made it ends (by freshfolderremover's listener), or when the program ends.
std::filesystem::path freshfolder(const std::string& name);
// The listener that removes a test's fresh folders when it ends; the tests' main appends it to
// gtest's listeners, which own it.
::testing::TestEventListener* freshfolderremover();
// Lets queued events, timers and the window system's reports run until `done` holds or two seconds
// pass; whether it holds.
bool rununtil(const std::function<bool()>& done);
// The number of pages of a PDF file.
int pdfpages(const std::filesystem::path& file);
// Pixels of the image that are clearly red (red well above green and blue).
int redpixels(const QImage& image);
// Distinct colours of the image.
int colours(const QImage& image);

}  // namespace brasket::gui::testing
