#include "qtplatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "look.h"
#include "printsetup.h"

namespace brasket::gui {

// ---------------------------------------------------------------- printer

QtPrinter::QtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}
QtPrinter::~QtPrinter() {
    if (painter_ && painter_->isActive()) painter_->end();
}

namespace {
double twipsperunit(const QPrinter& p) { return 1440.0 / p.resolution(); }
}  // namespace

// The printable area of a page in the orientation set now (print setup may have changed it
// since the last document), in twips.
QRectF QtPrinter::printable() const {
    QPageLayout layout = printer_->pageLayout();
    layout.setOrientation(Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    return layout.paintRectPoints();
}

double QtPrinter::ScaleWidth() const { return std::floor(printable().width() * 20.0); }
double QtPrinter::ScaleHeight() const { return std::floor(printable().height() * 20.0); }

double QtPrinter::TextHeight() const {
    QFontMetricsF fm(printfont(font.name, font.size, font.bold, font.italic), printer_.get());
    return fm.lineSpacing() * twipsperunit(*printer_);
}

void QtPrinter::applysetup() {
    printer_->setPageOrientation(Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer_->setCopyCount(Copies > 0 ? Copies : 1);
}

QString QtPrinter::nextpdfname() const {
    for (int n = 1;; ++n) {
        auto path = pdffolder / ("printed report " + std::to_string(n) + ".pdf");
        if (!std::filesystem::exists(path)) return qpath(path.string());
    }
}

bool QtPrinter::begin(std::string& error) {
    if (painter_ && painter_->isActive()) return true;
    if (!failed_.empty()) {
        error = failed_;
        return false;
    }
    lastpdf.clear();
    QString target = pdffile;
    if (target.isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            printer_->setPrinterName(info.printerName());
            printer_->setOutputFormat(QPrinter::NativeFormat);
        } else {
            target = nextpdfname();
        }
    }
    if (!target.isEmpty()) {
        // A PDF file that cannot be made (a folder that cannot be written, a missing folder) is
        // told by its path, before the painter tries it.
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly)) {
            failed_ = error = "the PDF file " + spath(target) + " could not be written";
            return false;
        }
        file.close();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(target);
        lastpdf = target;
    }
    applysetup();
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        failed_ = error = target.isEmpty() ? std::string("the printer could not start the document")
                                           : "the PDF file " + spath(target) + " could not be written";
        painter_.reset();
        return false;
    }
    pagesprinted = 1;
    pagepending_ = false;
    return true;
}

void QtPrinter::Print(const std::string& text) {
    std::string error;
    if (!begin(error)) return;
    if (pagepending_) {
        pagepending_ = false;
        printer_->newPage();
        ++pagesprinted;
    }
    QFont f = printfont(font.name, font.size, font.bold, font.italic);
    painter_->setFont(f);
    painter_->setPen(Qt::black);
    double k = 1.0 / twipsperunit(*printer_);
    QFontMetricsF fm(f, printer_.get());
    painter_->drawText(QPointF(CurrentX * k, CurrentY * k + fm.ascent()), qs(text));
    CurrentX = 0;
    CurrentY += fm.lineSpacing() / k;
}

void QtPrinter::NewPage() {
    std::string error;
    if (!begin(error)) return;
    if (pagepending_) {
        printer_->newPage();
        ++pagesprinted;
    }
    // The page is started at its first output, so that an orientation set right after the
    // page break applies to it.
    pagepending_ = true;
    CurrentX = CurrentY = 0;
}

void QtPrinter::setOrientation(int orientation) {
    Orientation = orientation;
    printer_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinter::EndDoc(std::string& error) {
    if (!begin(error)) {
        // The next document is tried afresh.
        failed_.clear();
        lastpdf.clear();
        return false;
    }
    if (pagepending_) {
        pagepending_ = false;
        printer_->newPage();
        ++pagesprinted;
    }
    bool ok = painter_->end();
    painter_.reset();
    CurrentX = CurrentY = 0;
    if (!ok) {
        error = "the printer did not take the document";
        return false;
    }
    if (!lastpdf.isEmpty() && pdffile.isEmpty() && tell)
        tell("No printer is set up on this system. The report was written to the PDF file\n" + spath(lastpdf));
    return true;
}

// ---------------------------------------------------------------- platform

QtPlatform::QtPlatform(std::filesystem::path datafolder) {
    setdatafolder(datafolder);
    printer_.tell = [this](const std::string& text) { msgbox(text); };
}

namespace {
QWidget* activewindow() { return QApplication::activeWindow(); }
}  // namespace

int QtPlatform::msgbox(const std::string& prompt, int buttons, const std::string& title) {
    QMessageBox box(activewindow());
    // Modal to the whole program: no other window's handler runs while the box is open.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(title.empty() ? QStringLiteral("BRASKET") : qs(title));
    box.setText(message(prompt));
    box.setTextFormat(Qt::PlainText);
    keeplineswhole(box);
    switch (buttons & 7) {
    case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case vbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    int r = box.exec();
    QApplication::restoreOverrideCursor();
    switch (r) {
    case QMessageBox::Ok: return vbOK;
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default:  // closed without a button: the answer that does nothing
        return (buttons & 7) == vbYesNo ? vbNo : ((buttons & 7) == vbOKOnly ? vbOK : vbCancel);
    }
}

void keeplineswhole(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    int widest = 0;
    for (const QString& line : box.text().split(QLatin1Char('\n')))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line) + 2);
    QScreen* screen = QGuiApplication::primaryScreen();
    int room = screen ? screen->availableGeometry().width() * 9 / 10 - 80 : widest;
    label->setMinimumWidth(std::min(widest, std::max(room, 200)));
}

QString namefilters(const std::string& filter) {
    QStringList parts = qs(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QStringLiteral("(") + patterns + QStringLiteral(")"))) out << description;
        else out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out.join(QStringLiteral(";;"));
}

std::string QtPlatform::filedialog(FileDialog& d, bool save) {
    if (!answers.empty()) {
        d.FileName = answers.front();
        answers.pop_front();
        return d.FileName;
    }
    QString title = !d.DialogTitle.empty() ? qs(d.DialogTitle) : save ? QStringLiteral("Save As") : QStringLiteral("Open");
    QFileDialog dlg(activewindow(), title);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString filters = namefilters(d.Filter);
    if (!filters.isEmpty()) dlg.setNameFilters(filters.split(QStringLiteral(";;")));
    QString ext = qs(d.DefaultExt);
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    if (!ext.isEmpty()) dlg.setDefaultSuffix(ext);
    // The names given and the name chosen are the file system's, not record text.
    QFileInfo initial(qpath(d.FileName));
    QString dir = !d.InitDir.empty() ? qpath(d.InitDir)
                  : initial.isAbsolute() ? initial.absolutePath()
                                         : qpath(datafolder_.string());
    if (!dir.isEmpty()) dlg.setDirectory(dir);
    if (!d.FileName.empty()) dlg.selectFile(initial.fileName());
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    bool accepted = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    QApplication::restoreOverrideCursor();
    d.FileName = accepted ? spath(dlg.selectedFiles().first()) : "*";
    return d.FileName;
}

std::string QtPlatform::openfile(FileDialog& dialog) { return filedialog(dialog, false); }
std::string QtPlatform::savefile(FileDialog& dialog) { return filedialog(dialog, true); }

bool QtPlatform::fontdialog(PrinterFont& font) {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, printfont(font.name, font.size, font.bold, font.italic), activewindow());
    if (!ok) return false;
    font.name = fontname(chosen.family());
    font.size = chosen.pointSizeF();
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    return true;
}

bool QtPlatform::printerdialog(int& orientation, int& copies) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QString where = info.isNull()
                        ? QStringLiteral("No printer is set up on this system: printed reports go to PDF files in the data folder.")
                        : QStringLiteral("Printer: %1").arg(info.description().isEmpty() ? info.printerName() : info.description());
    PrintSetupDialog dlg(orientation, copies, where, activewindow());
    if (dlg.exec() != QDialog::Accepted) return false;
    orientation = dlg.orientation();
    copies = dlg.copies();
    return true;
}

// Windows repaint and timers run; the analyst's clicks and keys wait until the running
// handler has ended, so that no second handler starts inside the first (say, "Erase all data"
// in the middle of an import).
void QtPlatform::pumpevents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

long QtPlatform::screenwidth() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? twips(s->geometry().width()) : Platform::screenwidth();
}

long QtPlatform::screenheight() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? twips(s->geometry().height()) : Platform::screenheight();
}

}  // namespace brasket::gui
