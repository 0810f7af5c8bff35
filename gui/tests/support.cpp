#include "support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <set>
#include <vector>

#include "../../tests/tempfolder.h"
#include "app.h"
#include "mainwindow/frmplants.h"

namespace brasket::gui::testing {

namespace {

// The folders freshfolder made that are still there, the last made last.
std::vector<brasket::testing::TempFolder>& freshfolders() {
    static std::vector<brasket::testing::TempFolder> made;
    return made;
}

// Removes, when a test ends, the folders made since it started.
class FreshFolderRemover : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { before_ = freshfolders().size(); }
    void OnTestEnd(const ::testing::TestInfo&) override {
        auto& made = freshfolders();
        if (made.size() > before_) made.erase(made.begin() + static_cast<std::ptrdiff_t>(before_), made.end());
    }
    std::size_t before_ = 0;
};

}  // namespace

void oneunit(App& app) {
    Workset& ws = app.ws;
    for (long k = 1; k <= 13; ++k) ws.idfuel(k).name = k == 2 ? "NONE" : k == 3 ? "BITUMINOUS" : "FUEL";
    ws.plant(1).plantno = 1;
    ws.plant(1).plantname = "Alpha Station";
    setplantcount(ws, 1);
    ws.idplant(1).unitno[1] = 1;
    ws.idunit(1).plantno = 1;
    ws.unitc(1).plantno = 1;
    ws.unitc(1).unitname = "Unit A";
    ws.unitc(1).modelboiler = 3;
    ws.unitc(1).modelpm = 1;
    ws.unitc(1).modelso2 = 0;
    setunitcount(ws, 1);
    for (long m = 1; m <= 12; ++m) {
        ws.unitcoal(1, m).fuelnum[1] = 3;
        ws.unitcoal(1, m).drytons[1] = 10000;
        ws.unitcoal(1, m).hgppm[1] = 2.5f;
    }
    mainwindow(app).List3.AddItem("Alpha Station");
}

std::filesystem::path freshfolder(const std::string& name) {
    freshfolders().emplace_back("gui-" + name);
    return freshfolders().back().path();
}

::testing::TestEventListener* freshfolderremover() { return new FreshFolderRemover; }

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

bool rununtil(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

}  // namespace brasket::gui::testing
