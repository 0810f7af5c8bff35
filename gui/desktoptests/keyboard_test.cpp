// Typing into the windows as the analyst types: real key events through the X server into the
// box that was clicked. What is typed lands in the box and in the window model as typed, with
// the cursor where the typing leaves it.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <cstdint>
#include <cstdlib>
#include <xcb/xcb.h>

#include "desktop.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"

namespace brasket::gui::desktop {
namespace {

// Clicks into the line of a box, selects all it holds and types `text` over it.
void typeover(QLineEdit& line, const QString& text) {
    clickat(line);
    hand({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    typekeys(text);
}

QLineEdit* lineof(FormBinding& binding, const Control& c) {
    QWidget* w = binding.widget(c);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

// Whether the report buffer holds the line.
bool reportholds(const App& app, const std::string& line) {
    for (long i = 1; i <= app.report.reportlinecount; ++i)
        if (app.report.line(i) == line) return true;
    return false;
}

// Every editable box of the unit window, each typed a text it did not hold; the long report then
// prints the fuel and the boiler type as typed (section 3.1 pictured on its page).
TEST_F(Desktop, TextTypedIntoTheUnitWindowStaysAsTyped) {
    showplacedunit();
    Form1& f = app.form1;
    FormBinding& binding = program->unit.binding();
    struct Typing {
        const Control* box;
        QString text;
        std::function<std::string()> model;
    };
    std::vector<Typing> typings;
    const char* fuels[] = {"Bituminous 7", "Lignite 2", "WOOD", "abc"};
    const char* proposed[] = {"ABC", "Cyclone", "wet FGD", "LNB 7"};
    for (std::size_t r = 0; r < 4; ++r) {
        typings.push_back({&f.Combo2[r], QLatin1String(fuels[r]), [&f, r] { return f.Combo2[r].Text(); }});
        typings.push_back({&f.Combo3[r], QLatin1String(proposed[r]), [&f, r] { return f.Combo3[r].Text(); }});
        typings.push_back({&f.Text1[r], QStringLiteral("12.75"), [&f, r] { return f.Text1[r].Text(); }});
        typings.push_back({&f.Text2[r], QStringLiteral("40125"), [&f, r] { return f.Text2[r].Text(); }});
    }
    for (const Typing& t : typings) {
        SCOPED_TRACE(t.box->name + "(" + std::to_string(t.box->index) + ") typed " + t.text.toStdString());
        QLineEdit* line = lineof(binding, *t.box);
        ASSERT_NE(line, nullptr);
        ASSERT_NE(line->text(), t.text) << "the box holds the text already";
        typeover(*line, t.text);
        EXPECT_EQ(line->text(), t.text);
        EXPECT_EQ(t.model(), t.text.toStdString());
        EXPECT_EQ(line->cursorPosition(), t.text.size());
    }
    picture("unit-typed");

    QAction* report = program->unit.findChild<QAction*>(QStringLiteral("cmdreport"));
    ASSERT_NE(report, nullptr);
    report->trigger();
    waitplaced(program->report, program->report.binding());
    EXPECT_TRUE(reportholds(app, "3.1  For the fuel Bituminous 7"));
    EXPECT_TRUE(reportholds(app, " Furnace/boiler type:  ABC"));
    // Paged with Page DOWN to the page that holds section 3.1.
    const frmDisplay& d = app.display;
    auto* pagedown = program->report.binding().widget(d.Command3);
    bool shown = false;
    for (int page = 1; page <= d.pagecount && !shown; ++page) {
        for (const PictureLine& line : d.picture.lines)
            if (line.text().find("3.1  For the fuel Bituminous 7") != std::string::npos) shown = true;
        if (!shown) clickat(*pagedown);
    }
    EXPECT_TRUE(shown) << "section 3.1 is not on page " << d.currentpage;
    picture("report-section-3-1");
}

// The euro sign on a key of its own while a test types it. xdotool types a character the keyboard
// lacks by binding a spare key to it for the moment of the keystroke only; a program still busy
// with the key before (a text box of the unit window evaluates the unit at each key) reads the
// keyboard's map after the binding is gone and gets a key without a character.
class EuroKey {
public:
    EuroKey() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) return;
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
        auto* map = xcb_get_keyboard_mapping_reply(connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode,
                                                                                         static_cast<std::uint8_t>(count)),
                                                   nullptr);
        if (!map) return;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        const int per = map->keysyms_per_keycode;
        // The highest key that gives no character at all.
        for (int k = count - 1; k >= 0 && !keycode_; --k) {
            bool spare = true;
            for (int j = 0; j < per; ++j) spare = spare && syms[k * per + j] == 0;
            if (spare) keycode_ = static_cast<xcb_keycode_t>(first + k);
        }
        std::free(map);
        if (keycode_) bind(0x20AC);  // EuroSign
    }
    ~EuroKey() {
        if (keycode_) bind(0);
        xcb_disconnect(connection_);
    }
    bool bound() const { return keycode_ != 0; }

private:
    void bind(xcb_keysym_t sym) {
        const xcb_keysym_t syms[2] = {sym, sym};
        xcb_change_keyboard_mapping(connection_, 1, keycode_, 2, syms);
        xcb_flush(connection_);
        settle(300);  // the program and xdotool read the new map
    }
    xcb_connection_t* connection_;
    xcb_keycode_t keycode_ = 0;
};

// A character the records' single-byte code page lacks, typed on the keyboard into a fuel list
// and a text box: the box shows the "?" the model stores, where the key went, and the next keys
// follow it, at the end of the text as inside it.
TEST_F(Desktop, TextTypedWithACharacterOutsideTheCodePageShowsAsStored) {
    showplacedunit();
    const EuroKey euro;
    ASSERT_TRUE(euro.bound()) << "no spare key for the euro sign";
    Form1& f = app.form1;
    FormBinding& binding = program->unit.binding();
    const std::pair<const Control*, std::function<std::string()>> boxes[] = {
        {&f.Combo2[0], [&f] { return f.Combo2[0].Text(); }},
        {&f.Text1[0], [&f] { return f.Text1[0].Text(); }}};
    for (const auto& [box, model] : boxes) {
        SCOPED_TRACE(box->name);
        QLineEdit* line = lineof(binding, *box);
        ASSERT_NE(line, nullptr);
        typeover(*line, QString::fromUtf8("COAL \u20AC12"));
        EXPECT_EQ(line->text().toStdString(), "COAL ?12");
        EXPECT_EQ(model(), "COAL ?12");
        EXPECT_EQ(line->cursorPosition(), 8);
    }
    picture("unit-coal-euro");
    for (const auto& [box, model] : boxes) {
        SCOPED_TRACE(box->name);
        QLineEdit* line = lineof(binding, *box);
        clickat(*line);
        hand({QStringLiteral("key"), QStringLiteral("End"), QStringLiteral("Left"), QStringLiteral("Left"),
              QStringLiteral("Left")});
        typekeys(QString::fromUtf8("\u20AC-"));
        EXPECT_EQ(line->text().toStdString(), "COAL ?-?12");
        EXPECT_EQ(model(), "COAL ?-?12");
        EXPECT_EQ(line->cursorPosition(), 7);
    }
}

// The report window's font size and search boxes, the search row slid into view with keypad -
// held down, as the analyst does.
TEST_F(Desktop, TextTypedIntoTheReportWindowStaysAsTyped) {
    showplacedreport();
    frmDisplay& d = app.display;
    FormBinding& binding = program->report.binding();
    QLineEdit* fontsize = lineof(binding, d.Text2);
    ASSERT_NE(fontsize, nullptr);
    typeover(*fontsize, QStringLiteral("10"));
    EXPECT_EQ(fontsize->text(), QStringLiteral("10"));
    EXPECT_EQ(d.Text2.Text(), "10");
    EXPECT_EQ(d.FontSize(), 10);

    QLineEdit* search = lineof(binding, d.Text1);
    ASSERT_NE(search, nullptr);
    clickat(*fontsize);
    hand({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("5"), QStringLiteral("--repeat"),
          QStringLiteral("120"), QStringLiteral("KP_Subtract")});
    ASSERT_TRUE(waitfor([&] { return search->isVisible() && search->geometry().bottom() < fontsize->y(); }))
        << "the search row did not come into view: it is at " << search->y();
    typeover(*search, QStringLiteral("line 27"));
    EXPECT_EQ(search->text(), QStringLiteral("line 27"));
    EXPECT_EQ(d.Text1.Text(), "line 27");
    EXPECT_EQ(search->cursorPosition(), 7);
}

}  // namespace
}  // namespace brasket::gui::desktop
