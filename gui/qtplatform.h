// The platform served by Qt: message boxes, the common dialog (open, save, font and printer
// setup), the printer, pumping pending events, the clock and the screen size.
#pragma once
#include <QRectF>
#include <QString>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "ui/platform.h"

class QMessageBox;
class QPainter;
class QPrinter;
class QWidget;

namespace brasket::gui {

// The printer: positions in twips of the current page. With no printer on the system the
// document goes to a PDF file in the data folder, whose name a message gives at the end.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double TextHeight() const override;
    void Print(const std::string& text) override;
    void NewPage() override;
    void setOrientation(int orientation) override;
    bool EndDoc(std::string& error) override;

    // Where documents go: empty for the system's default printer, else this PDF file.
    QString pdffile;
    // The folder where a PDF file is made when the system has no printer.
    std::filesystem::path pdffolder;
    // The PDF file the last document went to, empty when it went to a printer.
    QString lastpdf;
    int pagesprinted = 0;
    // Tells the analyst where a document went when it went to a PDF file of its own (the
    // message names the file in the file system's bytes).
    std::function<void(const std::string&)> tell;

private:
    bool begin(std::string& error);
    QRectF printable() const;
    void applysetup();
    QString nextpdfname() const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool pagepending_ = false;  // a new page was asked for and is made at the next output
    // Why the document could not be started: the rest of the document is not tried again, and
    // its end tells this reason.
    std::string failed_;
};

class QtPlatform : public Platform {
public:
    explicit QtPlatform(std::filesystem::path datafolder = {});
    int msgbox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "") override;
    std::string openfile(FileDialog& dialog) override;
    std::string savefile(FileDialog& dialog) override;
    bool fontdialog(PrinterFont& font) override;
    bool printerdialog(int& orientation, int& copies) override;
    Printer& printer() override { return printer_; }
    // Lets pending painting, timers and window events run; user input waits.
    void pumpevents() override;
    std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
    long screenwidth() override;
    long screenheight() override;

    void setdatafolder(const std::filesystem::path& folder) { datafolder_ = folder; printer_.pdffolder = folder; }
    QtPrinter& qtprinter() { return printer_; }

    // Answers for the next file dialogs, in order, given on a command line: while any is left
    // a file dialog takes it instead of showing itself (a text with "*" is a cancel).
    std::deque<std::string> answers;

private:
    std::string filedialog(FileDialog& dialog, bool save);
    QtPrinter printer_;
    std::filesystem::path datafolder_;
};

// "Text files (*.txt)|*.txt|All (*.*)|*.*" as Qt's name filters ("Text files (*.txt);;All (*.*)").
QString namefilters(const std::string& filter);

// Widens a message box so that no line of its text is broken or cut (a file path stays whole
// on its line), as far as the screen allows.
void keeplineswhole(QMessageBox& box);

}  // namespace brasket::gui
