#include "ui/scripted_platform.h"

namespace brasket {

PrintedPage& TextPrinter::current() {
    if (pages.empty()) pages.push_back({Orientation, {}});
    return pages.back();
}

void TextPrinter::Print(const std::string& text) {
    current().lines.push_back({CurrentX, CurrentY, text});
    CurrentX = 0;
    CurrentY += lineheight;
}

void TextPrinter::NewPage() {
    current();
    pages.push_back({Orientation, {}});
    CurrentX = CurrentY = 0;
    events.push_back("newpage");
}

void TextPrinter::setOrientation(int orientation) {
    Orientation = orientation;
    current().orientation = orientation;
    events.push_back("orientation " + std::to_string(orientation));
}

bool TextPrinter::EndDoc(std::string& error) {
    if (failenddoc) {
        error = "the printer is not ready";
        pages.clear();
        return false;
    }
    current();
    documents.push_back(pages);
    pages.clear();
    CurrentX = CurrentY = 0;
    events.push_back("enddoc");
    return true;
}

int ScriptedPlatform::msgbox(const std::string& prompt, int buttons, const std::string&) {
    messages.push_back(prompt);
    if (onmessage) onmessage(prompt);
    if (!msgboxanswers.empty()) {
        int a = msgboxanswers.front();
        msgboxanswers.pop_front();
        return a;
    }
    return buttons == vbYesNo || buttons == vbYesNoCancel ? vbYes : vbOK;
}

std::string ScriptedPlatform::answer(FileDialog& dialog) {
    dialogs.push_back(dialog);
    if (answers.empty()) {
        ++unanswered;
        dialog.FileName = "*";
        return dialog.FileName;
    }
    dialog.FileName = answers.front();
    answers.pop_front();
    return dialog.FileName;
}

std::string ScriptedPlatform::openfile(FileDialog& dialog) { return answer(dialog); }
std::string ScriptedPlatform::savefile(FileDialog& dialog) { return answer(dialog); }

bool ScriptedPlatform::fontdialog(PrinterFont& font) {
    bool ok = true;
    if (!setupanswers.empty()) { ok = setupanswers.front(); setupanswers.pop_front(); }
    if (ok && !keepfontdialog) font = fontchoice;
    return ok;
}

bool ScriptedPlatform::printerdialog(int& orientation, int& copies) {
    bool ok = true;
    if (!setupanswers.empty()) { ok = setupanswers.front(); setupanswers.pop_front(); }
    if (ok && !keepfontdialog) {
        orientation = orientationchoice;
        copies = copieschoice;
    }
    return ok;
}

}  // namespace brasket
