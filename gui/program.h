// The program: the windows on screen over one App, and the start-up over a data folder.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "mainview.h"
#include "qtplatform.h"
#include "reportview.h"
#include "unitview.h"

namespace brasket::gui {

class Program {
public:
    explicit Program(QtPlatform& platform);
    // Runs the start-up loading over the data folder, with the about box showing its
    // progress, and leaves the main window shown; for maintenance, with the maintenance items
    // of its menus shown as well.
    void start(const std::filesystem::path& datafolder, bool maintenance = false);
    // Brings every window up to its model now.
    void flush();

    App app;
    AboutView about;
    MainView main;
    ReportView report;
    UnitView unit;
};

// Told when the program finds no display to show its windows on.
inline constexpr const char* nodisplaymessage =
    "brasket needs a desktop (an X display) to show its windows, and none was found; "
    "brasket-batch runs the menu and button handlers without one (brasket-batch --help)";

// The window system that the program asks Qt for, given the platform the user named
// (QT_QPA_PLATFORM), DISPLAY and WAYLAND_DISPLAY: the X display wherever there is one, a Wayland
// session's included (there the windows can be placed where their forms ask), with Wayland after
// it; empty where Qt's own choice stands (a platform named, or no X display).
std::string preferredplatform(const std::string& named, const std::string& display, const std::string& wayland);

// What the program tells when Qt's window system could not start, from the lines Qt told while
// it tried: the need of a desktop when no display was named or the one named could not be
// reached; otherwise Qt's own lines, which say what failed.
std::string startfailure(const std::vector<std::string>& qtlines, bool displaynamed);

// The program's command line: brasket [--maintenance] [DATA_FOLDER].
struct CommandLine {
    std::filesystem::path folder;  // the folder given, else the program's own folder
    bool maintenance = false;      // show the maintenance items of the main window's menus
    std::string unknown;           // an option the program does not know, if any
};
CommandLine commandline(int argc, char** argv);

// The data folder the program works on: the folder given, else the program's own folder.
std::filesystem::path datafolder(int argc, char** argv);

}  // namespace brasket::gui
