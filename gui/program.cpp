#include "program.h"

#include <QCoreApplication>

#include "data/loading.h"

namespace brasket::gui {

Program::Program(QtPlatform& platform) : app(platform), about(app), main(app), report(app) {}

void Program::start(const std::filesystem::path& folder) {
    static_cast<QtPlatform&>(app.platform).setdatafolder(folder);
    guarded(&main, [&] { loadinitial(app, folder); });
    flush();
}

void Program::flush() {
    QCoreApplication::processEvents();
    about.binding().flush();
    main.binding().flush();
    report.binding().flush();
}

std::filesystem::path datafolder(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '\0') return std::filesystem::absolute(argv[1]);
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace brasket::gui
