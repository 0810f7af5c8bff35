#include "support.h"

#include <QFile>
#include <QRegularExpression>
#include <set>

namespace brasket::gui::testing {

std::filesystem::path freshfolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("brasket-gui-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

int pdfpages(const std::filesystem::path& file) {
    QFile f(QString::fromStdString(file.string()));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    QString text = QString::fromLatin1(f.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

int redpixels(const QImage& image) {
    int n = 0;
    QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QColor c = img.pixelColor(x, y);
            if (c.red() > c.green() + 60 && c.red() > c.blue() + 60) ++n;
        }
    return n;
}

int colours(const QImage& image) {
    std::set<QRgb> seen;
    QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) seen.insert(img.pixel(x, y));
    return static_cast<int>(seen.size());
}

}  // namespace brasket::gui::testing
