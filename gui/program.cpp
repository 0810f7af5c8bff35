#include "program.h"

#include <QCoreApplication>

#include "data/loading.h"
#include "look.h"
#include "mainwindow/frmplants.h"

namespace brasket::gui {

Program::Program(QtPlatform& platform) : app(platform), about(app), main(app), report(app), unit(app) {
    // Every start of the program is a first one: no window of it has been framed yet.
    forgetframes();
}

void Program::start(const std::filesystem::path& folder, bool maintenance) {
    static_cast<QtPlatform&>(app.platform).setdatafolder(folder);
    guarded(&main, [&] { loadinitial(app, folder); });
    if (maintenance) guarded(&main, [&] { setmaintenancevisible(mainwindow(app), true); });
    // The windows that the loading showed come on screen now (a window shown by a handler is
    // shown once the handler has ended).
    flush();
    // After a fault the loading did not finish: the main window is shown all the same, so
    // that the analyst is not left with no window at all. A window whose showing waits for the
    // window manager (to tell its frame, say) is shown when it has: its form is shown already.
    if (!mainwindow(app).Visible()) {
        app.about.Hide();
        guarded(&main, [&] { mainwindow(app).Show(); });
        if (!mainwindow(app).Visible() && !main.isVisible()) main.show();
    }
    flush();
}

void Program::flush() {
    QCoreApplication::processEvents();
    about.binding().flush();
    main.binding().flush();
    report.binding().flush();
    unit.binding().flush();
}

CommandLine commandline(int argc, char** argv) {
    CommandLine cl;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--maintenance") cl.maintenance = true;
        else if (a.rfind("--", 0) == 0) cl.unknown = a;
        else if (!a.empty() && cl.folder.empty()) cl.folder = std::filesystem::absolute(a);
    }
    if (cl.folder.empty()) cl.folder = spath(QCoreApplication::applicationDirPath());
    return cl;
}

std::string preferredplatform(const std::string& named, const std::string& display, const std::string& wayland) {
    if (!named.empty() || display.empty()) return {};
    return wayland.empty() ? "xcb" : "xcb;wayland";
}

std::string startfailure(const std::vector<std::string>& qtlines, bool displaynamed) {
    // Qt's X and Wayland plugins tell a display they cannot reach in these words.
    bool unreachable = !displaynamed;
    for (const std::string& line : qtlines)
        if (line.find("could not connect to display") != std::string::npos ||
            line.find("Failed to create wl_display") != std::string::npos)
            unreachable = true;
    if (unreachable) return nodisplaymessage;
    std::string text = "brasket could not start its windows; the window system told:";
    for (const std::string& line : qtlines) text += "\n  " + line;
    return text;
}

std::filesystem::path datafolder(int argc, char** argv) { return commandline(argc, argv).folder; }

}  // namespace brasket::gui
