// A developer's aid for looking at the windows: starts the program over a data folder, runs
// the handlers named on the command line (as menu clicks), then saves a picture of the
// screen and of each shown window as PNG files.
//
//   brasket-screenshot DATA_FOLDER OUT_PREFIX [HANDLER]... [--key CODE]...
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <iostream>

#include "program.h"

using namespace brasket;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: brasket-screenshot DATA_FOLDER OUT_PREFIX [HANDLER]... [--key CODE]...\n";
        return 2;
    }
    std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    std::string prefix = argv[2];
    gui::QtPlatform platform(folder);
    gui::Program program(platform);
    program.start(folder);
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--key" && i + 1 < argc) {
            int code = std::atoi(argv[++i]);
            if (program.app.display.onKeyDown) program.app.display.onKeyDown(code, 0);
            continue;
        }
        const Handler* h = program.app.handlers.find(a);
        if (!h) {
            std::cerr << "brasket-screenshot: no handler " << a << "\n";
            return 2;
        }
        gui::guarded(&program.main, [&] { h->run(program.app); });
    }
    QTimer::singleShot(700, [&] {
        program.flush();
        if (QScreen* s = QGuiApplication::primaryScreen()) s->grabWindow(0).save(QString::fromStdString(prefix + "-screen.png"));
        program.main.grab().save(QString::fromStdString(prefix + "-main.png"));
        if (program.report.isVisible()) program.report.grab().save(QString::fromStdString(prefix + "-report.png"));
        QApplication::quit();
    });
    return QApplication::exec();
}
