// A developer's aid for looking at the windows: starts the program over a data folder, runs
// the handlers named on the command line (as menu clicks), then saves a picture of the
// screen and of each shown window as PNG files.
//
//   brasket-screenshot DATA_FOLDER OUT_PREFIX [HANDLER]... [--answer TEXT]... [--key CODE]...
//                      [--unit N] [--type-unit NAME TEXT] [--sample-report SEARCH]
//                      [--click-report NAME] [--about CAPTION] [--time-limit SECONDS]
//
// With several handlers, the report window pictured shows the report of the last one that wrote
// a report.
// --unit N chooses unit N as the main window's unit list would (then "cmdevaluateunit_Click"
// opens the unit evaluation window on it, and its picture is saved too);
// --type-unit NAME TEXT gives the unit evaluation window's text box NAME the focus and puts TEXT
// in it, as the analyst typing it would ("Text1_0" the first fuel row's mercury; an empty TEXT
// clears the box);
// --answer answers the file dialogs of the handlers in order, as brasket-batch takes it (a
// path, its bytes as the file system's; a text with "*" cancels), so that a handler with a file
// dialog does not wait for one;
// --sample-report writes a made-up report of three pages and shows it with the search text;
// --click-report NAME clicks a control of the report window once the event loop runs (so a
// dialog it opens is in the picture);
// --key CODE gives the report window's key handler a key code (33 Page Up, 34 Page Down, ...);
// --about CAPTION shows the about box with that caption, as the loading shows it.
// A message box that a handler shows is pictured (OUT_PREFIX-message-N.png) and closed with
// its default answer; a run that has not ended after the time limit (60 seconds unless
// --time-limit says otherwise: a dialog without answer, a handler that never ends) ends with
// an error and exit status 3.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "look.h"
#include "program.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

using namespace brasket;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: brasket-screenshot DATA_FOLDER OUT_PREFIX [HANDLER]... [--answer TEXT]... [--key CODE]... "
                     "[--unit N] [--type-unit NAME TEXT] [--sample-report SEARCH] [--click-report NAME] [--about CAPTION] "
                     "[--time-limit SECONDS]\n";
        return 2;
    }
    std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    std::string prefix = argv[2];
    gui::QtPlatform platform(folder);
    double timelimit = 60;
    for (int i = 3; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--answer") platform.answers.push_back(argv[++i]);
        else if (std::string(argv[i]) == "--time-limit") timelimit = std::atof(argv[++i]);
    }
    // The run ends however a handler waits: a watch that does not depend on the event loop.
    std::thread([timelimit] {
        std::this_thread::sleep_for(std::chrono::duration<double>(timelimit));
        std::cerr << "brasket-screenshot: the run did not end within " << timelimit << " seconds\n";
        std::_Exit(3);
    }).detach();
    // Each message box met is pictured, then closed with its default answer.
    int messages = 0;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        ++messages;
        box->grab().save(gui::qpath(prefix + "-message-" + std::to_string(messages) + ".png"));
        std::cerr << "brasket-screenshot: message box: " << box->text().toLocal8Bit().toStdString() << "\n";
        QPushButton* answer = box->defaultButton();
        if (answer) answer->click();
        else box->close();
    });
    boxes.start(200);
    gui::Program program(platform);
    program.start(folder);
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        if ((a == "--answer" || a == "--time-limit") && i + 1 < argc) {
            ++i;  // taken above
            continue;
        }
        if (a == "--sample-report" && i + 1 < argc) {
            App& app = program.app;
            startreport(app, 2, 0);
            reportline(app, std::string_view("Sample listing of plants                          BRASKET"));
            reportline(app, std::string_view("Plant                          Coal t/mo      Hg lb/yr"));
            for (int p = 1; p <= 3; ++p) {
                for (int j = 1; j <= 20; ++j)
                    reportline(app, "Station " + std::to_string(p * 100 + j) + "                   " +
                                        std::to_string(1000 * j + p) + "          " + std::to_string(j * 7 % 31) + ".25");
                reportline(app, std::string_view("@NEW PAGE"));
            }
            showreport(app);
            app.display.Text1.setText(argv[++i]);
            pageup(app);
            continue;
        }
        if (a == "--unit" && i + 1 < argc) {
            const long u = std::atol(argv[++i]);
            if (!selectunit(program.app, u)) {
                std::cerr << "brasket-screenshot: no unit " << u << " of a plant in the working set\n";
                return 2;
            }
            continue;
        }
        if (a == "--type-unit" && i + 2 < argc) {
            const std::string name = argv[++i], text = argv[++i];
            bool found = false;
            for (Control* c : program.app.form1.controls)
                if (c->kind() == ControlKind::TextBox && (c->index >= 0 ? c->name + "_" + std::to_string(c->index) : c->name) == name) {
                    // The box takes the focus (its window's focus handler runs) and the text.
                    if (QWidget* box = program.unit.binding().widget(*c)) box->setFocus(Qt::MouseFocusReason);
                    gui::guarded(&program.unit, [&] { static_cast<TextBox*>(c)->setText(text); });
                    found = true;
                }
            if (!found) {
                std::cerr << "brasket-screenshot: no text box " << name << " in the unit evaluation window\n";
                return 2;
            }
            continue;
        }
        if (a == "--about" && i + 1 < argc) {  // the about box as the loading shows it
            program.app.about.Show();
            program.app.about.Label6.Caption = argv[++i];
            continue;
        }
        if (a == "--click-report" && i + 1 < argc) {
            std::string name = argv[++i];
            QTimer::singleShot(100, [&program, name] {
                for (Control* c : program.app.display.controls)
                    if (c->name == name) program.report.binding().click(*c);
            });
            continue;
        }
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
        if (QScreen* s = QGuiApplication::primaryScreen()) s->grabWindow(0).save(gui::qpath(prefix + "-screen.png"));
        program.main.grab().save(gui::qpath(prefix + "-main.png"));
        if (program.about.isVisible()) program.about.grab().save(gui::qpath(prefix + "-about.png"));
        if (program.report.isVisible()) program.report.grab().save(gui::qpath(prefix + "-report.png"));
        if (program.unit.isVisible()) program.unit.grab().save(gui::qpath(prefix + "-unit.png"));
        QApplication::quit();
    });
    return QApplication::exec();
}
