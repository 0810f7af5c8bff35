// brasket [--maintenance] [DATA_FOLDER]: loads the working set of the data folder (the
// program's own folder when none is given) and shows the main window until it is closed;
// --maintenance shows the maintenance items its menus hide from the analyst.
#include <QApplication>
#include <QMessageBox>
#include <filesystem>
#include <iostream>

#include "program.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
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
