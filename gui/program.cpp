#include "program.h"

#include <QCoreApplication>

#include "data/loading.h"

namespace brasket::gui {

Program::Program(QtPlatform& platform) : app(platform), about(app), main(app), report(app), unit(app) {}

void Program::start(const std::filesystem::path& folder) {
    static_cast<QtPlatform&>(app.platform).setdatafolder(folder);
    guarded(&main, [&] { loadinitial(app, folder); });
    // After a fault the loading did not finish: the main window is shown all the same, so
    // that the analyst is not left with no window at all.
    if (!main.isVisible()) {
        app.about.Hide();
        guarded(&main, [&] { mainwindow(app).Show(); });
        if (!main.isVisible()) main.show();
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

std::filesystem::path datafolder(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '\0') return std::filesystem::absolute(argv[1]);
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace brasket::gui
