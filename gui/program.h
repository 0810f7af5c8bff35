// The program: the windows on screen over one App, and the start-up over a data folder.
#pragma once
#include <filesystem>
#include <memory>

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
    // progress, and leaves the main window shown.
    void start(const std::filesystem::path& datafolder);
    // Brings every window up to its model now.
    void flush();

    App app;
    AboutView about;
    MainView main;
    ReportView report;
    UnitView unit;
};

// The data folder the program works on: the folder given, else the program's own folder.
std::filesystem::path datafolder(int argc, char** argv);

}  // namespace brasket::gui
