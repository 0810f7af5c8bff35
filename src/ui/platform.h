// The one interface to the host: message boxes, the common dialog, the printer, event
// pumping and the clock. The Qt skin serves it for real; ScriptedPlatform serves tests and
// the headless driver.
#pragma once
#include <chrono>
#include <string>

namespace brasket {

// The common dialog's settings for an open or save dialog.
struct FileDialog {
    std::string DialogTitle;
    std::string InitDir;
    std::string Filter;      // "Text files (*.txt)|*.txt"
    std::string FileName;    // initial name in, chosen path out
    std::string DefaultExt;
    long Flags = 0;
};

struct PrinterFont {
    std::string name = "Courier New";
    double size = 8;
    bool bold = false;
    bool italic = false;
};

// The printer: positions are in the printer's own units, with the page's width and height
// read from ScaleWidth and ScaleHeight.
class Printer {
public:
    virtual ~Printer() = default;
    PrinterFont font;
    int Orientation = 1;  // 1 portrait, 2 landscape
    int Copies = 1;
    double CurrentX = 0, CurrentY = 0;

    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual double TextHeight() const = 0;
    // Prints text at (CurrentX, CurrentY), then moves CurrentY one line down and CurrentX to 0.
    virtual void Print(const std::string& text) = 0;
    virtual void NewPage() = 0;
    // Sets the orientation, taking effect on the current (fresh) page.
    virtual void setOrientation(int orientation) { Orientation = orientation; }
    // Ends the document: it goes to the printer. Returns false with a reason when it fails.
    virtual bool EndDoc(std::string& error) = 0;
};

enum MsgBoxButtons { vbOKOnly = 0, vbOKCancel = 1, vbYesNoCancel = 3, vbYesNo = 4 };
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

class Platform {
public:
    virtual ~Platform() = default;
    virtual int msgbox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "") = 0;
    // Open and save dialogs: the chosen path, or a name containing "*" when cancelled.
    virtual std::string openfile(FileDialog& dialog) = 0;
    virtual std::string savefile(FileDialog& dialog) = 0;
    // Font and printer setup dialogs: false when cancelled (the values stay as they were).
    virtual bool fontdialog(PrinterFont& font) = 0;
    virtual bool printerdialog(int& orientation, int& copies) = 0;
    virtual Printer& printer() = 0;
    // Lets pending window events run.
    virtual void pumpevents() = 0;
    virtual std::chrono::system_clock::time_point now() = 0;
    // Screen size in twips.
    virtual long screenwidth() { return 1024 * 15; }
    virtual long screenheight() { return 768 * 15; }
};

}  // namespace brasket
