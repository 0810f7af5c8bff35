// A Platform for tests and the headless driver: dialogs answered from a queue, message
// boxes recorded, printing recorded as text, events counted, a settable clock.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace brasket {

struct PrintedText {
    double x, y;
    std::string text;
};

struct PrintedPage {
    int orientation = 1;
    std::vector<PrintedText> lines;
};

class TextPrinter : public Printer {
public:
    double ScaleWidth() const override { return width; }
    double ScaleHeight() const override { return height; }
    double TextHeight() const override { return lineheight; }
    void Print(const std::string& text) override;
    void NewPage() override;
    void setOrientation(int orientation) override;
    bool EndDoc(std::string& error) override;

    double width = 12240, height = 15840, lineheight = 200;  // a letter page in twips
    bool failenddoc = false;
    std::vector<PrintedPage> pages;            // the document being printed
    std::vector<std::vector<PrintedPage>> documents;  // documents ended
    std::vector<std::string> events;           // "newpage", "orientation 2", "enddoc"

private:
    PrintedPage& current();
};

class ScriptedPlatform : public Platform {
public:
    int msgbox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "") override;
    std::string openfile(FileDialog& dialog) override;
    std::string savefile(FileDialog& dialog) override;
    bool fontdialog(PrinterFont& font) override;
    bool printerdialog(int& orientation, int& copies) override;
    Printer& printer() override { return printer_; }
    void pumpevents() override { ++pumps; if (onpump) onpump(); }
    std::chrono::system_clock::time_point now() override { return clock; }

    std::deque<std::string> answers;    // file dialog answers, in order
    std::deque<int> msgboxanswers;      // answers to questions; OK when empty
    std::deque<bool> setupanswers;      // font and printer dialogs: true = OK (default)
    PrinterFont fontchoice;             // what the font dialog returns on OK
    int orientationchoice = 1, copieschoice = 1;
    bool keepfontdialog = true;         // OK keeps the values given
    std::vector<std::string> messages;  // message box prompts, in order
    std::vector<FileDialog> dialogs;    // file dialogs as shown
    int unanswered = 0;                 // dialogs shown with no answer left
    long pumps = 0;
    std::function<void()> onpump;
    std::function<void(const std::string&)> onmessage;
    std::chrono::system_clock::time_point clock{};
    TextPrinter printer_;

private:
    std::string answer(FileDialog& dialog);
};

}  // namespace brasket
