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

#include "program.h"

namespace {

// What the window system told while the program connected to it: kept back, and told only once
// the connection stands, so that a start without a display gives one clear line instead.
std::vector<std::pair<QtMsgType, std::string>>& heldmessages() {
    static std::vector<std::pair<QtMsgType, std::string>> held;
    return held;
}

void whileconnecting(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        // The window system could not be reached: Qt would abort here.
        std::cerr << brasket::gui::nodisplaymessage << "\n";
        std::_Exit(1);
    }
    heldmessages().emplace_back(type, text.toLocal8Bit().toStdString());
}

}  // namespace

int main(int argc, char** argv) {
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
        QString text = QStringLiteral("The data folder %1 does not exist.").arg(QString::fromStdString(folder.string()));
        std::cerr << "brasket: " << text.toStdString() << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("BRASKET"), text);
        return 2;
    }
    brasket::gui::QtPlatform platform(folder);
    brasket::gui::Program program(platform);
    program.start(folder, cl.maintenance);
    return QApplication::exec();
}
