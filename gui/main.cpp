// brasket [--maintenance] [DATA_FOLDER]: loads the working set of the data folder (the
// program's own folder when none is given) and shows the main window until it is closed;
// --maintenance shows the maintenance items its menus hide from the analyst.
#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "look.h"
#include "program.h"

namespace {

// What the window system told while the program connected to it: kept back, and told only once
// the connection stands, so that a start without a display gives one clear line instead.
std::vector<std::pair<QtMsgType, std::string>>& heldmessages() {
    static std::vector<std::pair<QtMsgType, std::string>> held;
    return held;
}

bool named(const char* variable) { return !qEnvironmentVariableIsEmpty(variable); }

void whileconnecting(QtMsgType type, const QMessageLogContext&, const QString& text) {
    heldmessages().emplace_back(type, text.toLocal8Bit().toStdString());
    if (type == QtFatalMsg) {
        // The window system could not start: Qt would abort here. One clear account instead.
        std::vector<std::string> lines;
        for (const auto& [kind, line] : heldmessages()) lines.push_back(line);
        std::cerr << brasket::gui::startfailure(lines, named("DISPLAY") || named("WAYLAND_DISPLAY")) << "\n";
        std::_Exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // A Wayland session lets no program place its windows; its X display (every common Wayland
    // desktop has one) does.
    const std::string windowsystem = brasket::gui::preferredplatform(
        qEnvironmentVariable("QT_QPA_PLATFORM").toStdString(), qEnvironmentVariable("DISPLAY").toStdString(),
        qEnvironmentVariable("WAYLAND_DISPLAY").toStdString());
    if (!windowsystem.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(windowsystem));
    QtMessageHandler previous = qInstallMessageHandler(whileconnecting);
    QApplication qapp(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, text] : heldmessages()) std::cerr << text << "\n";
    heldmessages().clear();

    QApplication::setApplicationName(QStringLiteral("BRASKET"));
    brasket::gui::CommandLine cl = brasket::gui::commandline(argc, argv);
    if (!cl.unknown.empty()) {
        std::cerr << "brasket: unknown option " << cl.unknown << " (usage: brasket [--maintenance] [DATA_FOLDER])\n";
        return 2;
    }
    const auto& folder = cl.folder;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        QString text = QStringLiteral("The data folder %1 does not exist.").arg(brasket::gui::qpath(folder.string()));
        std::cerr << "brasket: " << text.toLocal8Bit().toStdString() << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("BRASKET"), text);
        return 2;
    }
    brasket::gui::QtPlatform platform(folder);
    brasket::gui::Program program(platform);
    program.start(folder, cl.maintenance);
    return QApplication::exec();
}
