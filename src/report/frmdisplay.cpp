#include "report/frmdisplay.h"

#include <algorithm>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "report/numformat.h"
#include "report/printexport.h"
#include "report/reportbuffer.h"

namespace brasket {
namespace {

struct Layout {
    Control& c;
    const char* caption;
    const char* tooltip;
    const char* font;
    double size;
    bool bold;
    long left, width, height;
};

void place(const Layout& l) {
    l.c.Caption = l.caption;
    l.c.ToolTipText = l.tooltip;
    l.c.FontName = l.font;
    l.c.FontSize = l.size;
    l.c.FontBold = l.bold;
    l.c.Left = l.left;
    l.c.Width = l.width;
    l.c.Height = l.height;
    l.c.Top = 0;
}

// Whether the upper-cased search text occurs in the upper-cased line. An empty search text
// occurs nowhere.
bool holds(std::string_view line, const std::string& upsearch) {
    return !upsearch.empty() && ucase(line).find(upsearch) != std::string::npos;
}

void addrun(PictureLine& pl, std::string text, bool marked) {
    if (text.empty()) return;
    pl.runs.push_back({std::move(text), marked, marked ? frmDisplay::hitcolor : frmDisplay::windowtext, marked});
}

// A page line with every occurrence of the search text marked in the line's own case;
// occurrences do not overlap, each search restarting right after the last hit.
PictureLine drawline(const std::string& line, const std::string& search) {
    PictureLine pl;
    const std::string upsearch = ucase(search);
    const std::string upline = ucase(line);
    std::size_t from = 0;
    if (!upsearch.empty()) {
        for (std::size_t pos; (pos = upline.find(upsearch, from)) != std::string::npos; from = pos + upsearch.size()) {
            addrun(pl, line.substr(from, pos - from), false);
            addrun(pl, line.substr(pos, upsearch.size()), true);
        }
    }
    addrun(pl, line.substr(from), false);
    return pl;
}

void moverow(std::initializer_list<Control*> row, long by) {
    for (Control* c : row) c->Top = c->Top() + by;
}

}  // namespace

std::string PictureLine::text() const {
    std::string s;
    for (const auto& r : runs) s += r.text;
    return s;
}

frmDisplay::frmDisplay() {
    name = "frmDisplay";
    add(Command1, "Command1");
    add(Command2, "Command2");
    add(Command3, "Command3");
    add(Label1, "Label1");
    add(Command6, "Command6");
    add(Command7, "Command7");
    add(Command4, "Command4");
    add(Text2, "Text2");
    add(Command5, "Command5");
    add(Label2, "Label2");
    add(Text1, "Text1");
    add(Command8, "Command8");
    add(Command9, "Command9");
    designlayout();
}

void frmDisplay::designlayout() {
    Visible = false;
    Caption = "Data Display";
    FontName = "Courier New";
    FontSize = 9;
    FontBold = false;
    BackColor = windowback;
    ForeColor = windowtext;
    const char* sans = "MS Sans Serif";
    const char* times = "Times New Roman";
    const char* courier = "Courier New";
    place({Command1, "Exit", "", sans, 8.25, true, 0, 1095, 375});
    place({Command2, "Page UP", "you may use [PgUp].  hold down [-] for word search utility.", sans, 8.25, true, 1320,
           975, 375});
    place({Command3, "Page DOWN", "you may use [PgDn].  hold down [-] for word search utility.", sans, 8.25, true, 2280,
           1335, 375});
    place({Label1, "", "", sans, 8.25, true, 3720, 1455, 255});
    place({Command6, "File C,S,V ", "", "Small Fonts", 6, true, 4440, 975, 375});
    place({Command7, "Print setup", "Set printing font and size, page orientation.", times, 8.25, true, 5400, 1215, 375});
    place({Command4, "Print ", "", sans, 8.25, true, 6600, 855, 375});
    place({Text2, "", "Enter the font size here", courier, 9, false, 7560, 375, 375});
    place({Command5, "File", "Saves to hard drive.  may be imported to word processor or to spreadsheet.", sans, 8.25,
           true, 8040, 975, 375});
    place({Label2, "Text search", "", times, 12, false, 5520, 3495, 375});
    place({Text1, "", "", courier, 9, false, 6720, 1575, 330});
    place({Command8, "<", "Find last in report", courier, 9, false, 8400, 255, 375});
    place({Command9, ">", "Find next in report", courier, 9, false, 8640, 255, 375});
    Text1.onChange = nullptr;
    Text2.onChange = nullptr;
    Text1.setText("Text here");
    Text2.setText("8");
    currentpage = pagecount = foundline = 0;
    picture.clear();
}

std::string cleantabs(std::string_view line) {
    std::string s(line);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return s;
}

std::string pagelabel(long page, long pages) {
    return "page " + formatnumber(static_cast<double>(page), "##") + " of " + formatnumber(static_cast<double>(pages), "##") +
           " pages.";
}

void frmDisplay_Load(App& app) {
    frmDisplay& w = app.display;
    w.designlayout();
    w.loaded = true;
    w.Command1.onClick = [&app] { displayexit(app); };
    w.Command2.onClick = [&app] { pageup(app); };
    w.Command3.onClick = [&app] { pagedown(app); };
    w.Command4.onClick = [&app] { printreport(app); };
    w.Command5.onClick = [&app] { exportfile(app); };
    w.Command6.onClick = [&app] { exportcsv(app); };
    w.Command7.onClick = [&app] { printsetup(app); };
    w.Command8.onClick = [&app] { findlast(app); };
    w.Command9.onClick = [&app] { findnext(app); };
    w.Text2.onChange = [&app] { fontsizechanged(app); };
    w.onKeyDown = [&app](int keycode, int shift) { displaykeydown(app, keycode, shift); };
    w.onResize = [&app] { shiftcontrols(app); };

    const long screenwidth = app.platform.screenwidth(), screenheight = app.platform.screenheight();
    w.FontSize = screenheight < 8008 ? 7 : 9;
    w.Show();
    w.currentpage = 1;
    pageup(app);
    w.Caption = "Data Display";
    w.Top = 0;
    w.Left = 0;
    w.Width = screenwidth;
    w.Text2.setText(trim(str(w.FontSize())));
    w.Height = screenheight - 800;
    shiftcontrols(app);
    // The search row waits below the visible part of the window until keypad - slides it up.
    for (Control* c : {static_cast<Control*>(&w.Text1), static_cast<Control*>(&w.Command8),
                       static_cast<Control*>(&w.Command9), static_cast<Control*>(&w.Label2)})
        c->Top = screenheight;
}

void showreport(App& app) {
    frmDisplay& w = app.display;
    if (!w.loaded) {
        frmDisplay_Load(app);
        return;
    }
    // Already open: the new report is shown from its first page, with its own page label, and
    // the window comes to the front; font size, place, size and search row stay as the user
    // left them.
    w.Show();
    w.currentpage = 1;
    pageup(app);
}

void frmDisplay_Unload(App& app) {
    frmDisplay& w = app.display;
    w.loaded = false;
    w.Hide();
    w.picture.clear();
    w.notify();
}

void printpage(App& app) {
    frmDisplay& w = app.display;
    const ReportBuffer& rb = app.report;
    PagePicture& pic = w.picture;
    pic.clear();
    pic.fontsize = w.FontSize();

    w.pagecount = static_cast<std::int16_t>(pagecount(rb));
    // A shorter report written while the window was open: stay within its pages.
    if (w.pagecount >= 1) w.currentpage = std::clamp<std::int16_t>(w.currentpage, 1, w.pagecount);

    if (!rb.pageindex().empty()) {
        const int h = headercount(rb);
        for (long k = 1; k <= h; ++k) {
            PictureLine pl;
            addrun(pl, cleantabs(rb.line(k)), false);
            pic.lines.push_back(std::move(pl));
        }
        pic.headerlines = h;
        const PageRange page = pagelines(rb, w.currentpage);
        const long last = std::min(page.last, ReportBuffer::lastline);
        for (long i = page.first; i <= last; ++i) {
            const std::string& line = rb.line(i);
            if (line == "@NEW PAGE" || line == "@NEW PAGEL") continue;
            pic.lines.push_back(drawline(cleantabs(line), w.Text1.Text()));
        }
        pic.label = pagelabel(w.currentpage, w.pagecount);
    }
    w.Label1.Caption = pic.label;
    w.notify();
}

void pageup(App& app) {
    frmDisplay& w = app.display;
    w.picture.clear();
    if (w.currentpage > 1) --w.currentpage;
    printpage(app);
}

void pagedown(App& app) {
    frmDisplay& w = app.display;
    w.picture.clear();
    if (w.currentpage < pagecount(app.report)) ++w.currentpage;
    printpage(app);
}

namespace {
// Scans one page's own lines, as stored, for the search text; the hit's line or 0.
std::int16_t scanpage(const App& app, long page) {
    const std::string upsearch = ucase(app.display.Text1.Text());
    const PageRange r = pagelines(app.report, page);
    const long last = std::min(r.last, ReportBuffer::lastline);
    for (long i = r.first; i <= last; ++i)
        if (holds(app.report.line(i), upsearch)) return static_cast<std::int16_t>(i);
    return 0;
}
}  // namespace

void findlast(App& app) {
    frmDisplay& w = app.display;
    w.foundline = 0;
    while (w.currentpage >= 2 && w.foundline == 0) {
        --w.currentpage;
        w.foundline = scanpage(app, w.currentpage);
    }
    ++w.currentpage;
    pageup(app);
}

void findnext(App& app) {
    frmDisplay& w = app.display;
    w.foundline = 0;
    while (w.currentpage < pagecount(app.report) && w.foundline == 0) {
        ++w.currentpage;
        w.foundline = scanpage(app, w.currentpage);
    }
    --w.currentpage;
    pagedown(app);
}

void fontsizechanged(App& app) {
    frmDisplay& w = app.display;
    double v = val(w.Text2.Text());
    w.FontSize = std::clamp(v, 7.0, 10.0);  // applies from the next drawing
}

void shiftcontrols(App& app) {
    frmDisplay& w = app.display;
    const long top = w.Height() - 800;
    for (Control* c : {static_cast<Control*>(&w.Command1), static_cast<Control*>(&w.Command2),
                       static_cast<Control*>(&w.Command3), static_cast<Control*>(&w.Command4),
                       static_cast<Control*>(&w.Command5), static_cast<Control*>(&w.Command6),
                       static_cast<Control*>(&w.Command7), static_cast<Control*>(&w.Text2),
                       static_cast<Control*>(&w.Label1)})
        c->Top = top;
}

void displaykeydown(App& app, int keycode, int shift) {
    frmDisplay& w = app.display;
    switch (keycode) {
    case 33:
        if (shift == 0) pageup(app);
        break;
    case 34:
        if (shift == 0) pagedown(app);
        break;
    case 107:
        moverow({&w.Text1, &w.Command8, &w.Command9, &w.Label2}, 20);
        break;
    case 109:
        moverow({&w.Text1, &w.Command8, &w.Command9, &w.Label2}, -20);
        break;
    default:
        break;
    }
}

void displayexit(App& app) {
    app.report.erase();  // every line, the page index included; the counter stays
    frmDisplay_Unload(app);
}

}  // namespace brasket
