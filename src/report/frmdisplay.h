// The report window model: shows the report buffer one page at a time under its header
// lines, pages with buttons and keys, searches page by page and marks every hit on the page
// shown, and offers printing and export. The skin paints `picture` and calls the handlers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"
#include "ui/platform.h"

namespace brasket {

struct App;

// A run of a drawn line: plain in the window-text colour, or a search hit in &HC0, bold.
struct TextRun {
    std::string text;
    bool marked = false;
    long color = 0;
    bool bold = false;
};

// One text line of the page: its runs follow each other from text column `column`.
struct PictureLine {
    static constexpr int column = 3;
    std::vector<TextRun> runs;
    std::string text() const;  // the runs joined
};

// What the window shows: the header lines, then the page's lines, and the page label. It is
// kept until the next drawing, so that an uncovered window shows the same page.
struct PagePicture {
    std::vector<PictureLine> lines;
    int headerlines = 0;
    std::string label;
    double fontsize = 9;
    void clear() { *this = PagePicture{}; }
};

class frmDisplay : public Form {
public:
    static constexpr long windowtext = 0x80000008;  // the system's window-text colour
    static constexpr long windowback = 0x80000005;  // the system's window colour
    static constexpr long hitcolor = 0xC0;          // red 192

    frmDisplay();

    CommandButton Command1;  // "Exit"
    CommandButton Command2;  // "Page UP"
    CommandButton Command3;  // "Page DOWN"
    CommandButton Command4;  // "Print "
    CommandButton Command5;  // "File"
    CommandButton Command6;  // "File C,S,V "
    CommandButton Command7;  // "Print setup"
    CommandButton Command8;  // "<" find last
    CommandButton Command9;  // ">" find next
    Label Label1;            // the page label
    Label Label2;            // "Text search"
    TextBox Text1;           // the search text
    TextBox Text2;           // the font size
    FileDialog CommonDialog1;

    std::int16_t currentpage = 0;
    std::int16_t pagecount = 0;
    std::int16_t foundline = 0;

    bool KeyPreview = true;  // the window sees every key before its controls do

    PagePicture picture;

    // Every property as laid out at design time (the state of a freshly loaded window).
    void designlayout();
};

// Shows the report window, modeless: loads it when it is not loaded, otherwise brings it to the
// front; either way it draws page 1 of the report in the buffer.
void showreport(App& app);

// Load of the window, as the first showing runs it.
void frmDisplay_Load(App& app);
// Closing the window other than by Exit: unloaded, the buffer kept.
void frmDisplay_Unload(App& app);

// Draws the header lines and page `currentpage`, with search hits marked; sets `pagecount`
// and the page label.
void printpage(App& app);
// A copy of the line with every character below code 32 made a blank.
std::string cleantabs(std::string_view line);
// Places the bottom row of controls after the window's height.
void shiftcontrols(App& app);

void displayexit(App& app);   // Command1
void pageup(App& app);        // Command2, key 33
void pagedown(App& app);      // Command3, key 34
void findlast(App& app);      // Command8
void findnext(App& app);      // Command9
void fontsizechanged(App& app);  // Text2 change
void displaykeydown(App& app, int keycode, int shift);

// The page label: "page 3 of 12 pages.".
std::string pagelabel(long page, long pages);

}  // namespace brasket
