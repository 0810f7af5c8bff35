// The generic binding: widgets follow the window model, and the user's actions reach it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

#include "app.h"
#include "binding.h"
#include "look.h"
#include "program.h"
#include "support.h"
#include "unitwindow/form1.h"

namespace brasket::gui {
namespace {

struct SampleForm : Form {
    SampleForm() {
        name = "frmsample";
        add(Label1, "Label1");
        add(Text1, "Text1");
        add(List1, "List1");
        add(List2, "List2");
        add(Check1, "Check1");
        add(Option1, "Option1");
        add(Command1, "Command1");
        add(Command2, "Command2");
        add(Picture1, "Picture1");
        add(Combo1, "Combo1");
        List2.MultiSelect = true;
    }
    Label Label1;
    TextBox Text1;
    ListBox List1, List2;
    CheckBox Check1;
    OptionButton Option1;
    CommandButton Command1, Command2;
    PictureBox Picture1;
    ComboBox Combo1;
};

class Binding : public ::testing::Test {
protected:
    void SetUp() override {
        faultreporter() = [this](QWidget*, const QString& text) { faults.push_back(text.toStdString()); };
        form.Label1.Left = 1500;
        form.Label1.Top = 300;
        form.Label1.Width = 1200;
        form.Label1.Height = 375;
        form.Command1.Left = 0;
        form.Command1.Top = 600;
        form.Command1.Width = 1095;
        form.Command1.Height = 375;
        form.List1.Top = 1200;
        form.List1.Width = 3000;
        form.List1.Height = 1500;
        form.List2.Top = 3000;
        form.List2.Width = 3000;
        form.List2.Height = 1500;
        window.resize(600, 400);
        binding = new FormBinding(app, form, &window, &window, true);
    }
    template <class W>
    W* widget(const Control& c) { return qobject_cast<W*>(binding->widget(c)); }

    testing::QuietPlatform platform;
    App app{platform};
    SampleForm form;
    QWidget window;
    FormBinding* binding = nullptr;
    std::vector<std::string> faults;
};

TEST_F(Binding, ModelChangesShowAtOnceAndControlsSitAtFifteenTwipsAPixel) {
    form.Label1.Caption = "page 3 of 12 pages.";
    form.Command1.Caption = "Exit";
    EXPECT_EQ(widget<QLabel>(form.Label1)->text(), QStringLiteral("page 3 of 12 pages."));
    EXPECT_EQ(widget<QPushButton>(form.Command1)->text(), QStringLiteral("Exit"));
    EXPECT_EQ(widget<QLabel>(form.Label1)->geometry(), QRect(100, 20, 80, 25));
    form.Command1.Top = 9000 - 800;
    EXPECT_EQ(widget<QPushButton>(form.Command1)->y(), 547);
    form.Command1.Enabled = false;
    EXPECT_FALSE(widget<QPushButton>(form.Command1)->isEnabled());
    form.Label1.Visible = false;
    EXPECT_FALSE(widget<QLabel>(form.Label1)->isVisibleTo(&window));
    form.Label1.ToolTipText = "Enter the font size here";
    EXPECT_EQ(widget<QLabel>(form.Label1)->toolTip(), QStringLiteral("Enter the font size here"));
}

TEST_F(Binding, ColoursAreBlueGreenRedAndFontsMapToMetricCompatibleFamilies) {
    form.Label1.ForeColor = 0x0000C0;
    form.Label1.BackColor = 0xFF8000;
    auto* label = widget<QLabel>(form.Label1);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 128, 255));
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(bbggrr(QColor(192, 0, 0)), 0xC0);

    form.Label1.FontName = "Courier New";
    form.Label1.FontSize = 9;
    form.Label1.FontBold = true;
    QFontInfo info(label->font());
    EXPECT_TRUE(info.fixedPitch());
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 12);  // 9 points = 180 twips = 12 pixels
    EXPECT_EQ(fontfamily("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(fontfamily("Times New Roman"), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(fontfamily("Courier New"), QStringLiteral("Liberation Mono"));
    EXPECT_TRUE(QFontInfo(screenfont("No Such Font At All", 9)).fixedPitch());
    // The fallback names a fixed-pitch family itself, whatever fonts the machine has.
    EXPECT_TRUE(QFontDatabase::isFixedPitch(fontfamily("No Such Font At All")));
    EXPECT_TRUE(QFontDatabase::isFixedPitch(printfont("No Such Font At All", 8, false, false).family()));
    EXPECT_EQ(fontname(QStringLiteral("Liberation Mono")), "Courier New");
}

TEST_F(Binding, ClicksTypingAndChecksReachTheModel) {
    int clicks = 0, changes = 0, checks = 0;
    form.Command1.onClick = [&] { ++clicks; };
    form.Text1.onChange = [&] { ++changes; };
    form.Check1.onClick = [&] { ++checks; };
    window.show();
    QTest::mouseClick(widget<QPushButton>(form.Command1), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    QTest::keyClicks(widget<QLineEdit>(form.Text1), "abc");
    EXPECT_EQ(form.Text1.Text(), "abc");
    EXPECT_EQ(changes, 3);
    form.Text1.setText("Text here");
    EXPECT_EQ(widget<QLineEdit>(form.Text1)->text(), QStringLiteral("Text here"));

    widget<QCheckBox>(form.Check1)->click();
    EXPECT_EQ(form.Check1.Value(), 1);
    EXPECT_EQ(checks, 1);
    form.Check1.Value = 0;
    EXPECT_FALSE(widget<QCheckBox>(form.Check1)->isChecked());

    // An option button stays chosen when clicked again; the model decides what clears it.
    widget<QRadioButton>(form.Option1)->click();
    widget<QRadioButton>(form.Option1)->click();
    EXPECT_TRUE(form.Option1.Value());
    EXPECT_TRUE(widget<QRadioButton>(form.Option1)->isChecked());
}

TEST_F(Binding, AButtonWithoutItsOwnHandlerRunsTheRegisteredOneOfItsWindow) {
    int runs = 0;
    app.handlers.add({"Command2_Click", "frmsample", "", "Go", [&](App&) { ++runs; }});
    app.handlers.add({"Command1_Click", "frmother", "", "Other", [&](App&) { runs += 100; }});
    widget<QPushButton>(form.Command2)->click();
    widget<QPushButton>(form.Command1)->click();
    EXPECT_EQ(runs, 1);
}

TEST_F(Binding, ListsFollowTheModelAndSelectionsRunTheClickHandler) {
    int clicks = 0;
    form.List1.onClick = [&] { ++clicks; };
    for (const char* name : {"Alpha", "Beta", "Gamma"}) form.List1.AddItem(name);
    binding->flush();
    auto* list = widget<QListWidget>(form.List1);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Gamma"));

    list->setCurrentRow(1);
    EXPECT_EQ(form.List1.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);

    form.List1.setListIndex(2);
    binding->flush();
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(clicks, 2);

    form.List1.RemoveItem(0);
    form.List1.setList(0, "Beta 2");
    binding->flush();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Beta 2"));
    EXPECT_EQ(list->currentRow(), 1);

    form.List1.Clear();
    binding->flush();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(clicks, 2);  // filling and clearing from code is no click
}

TEST_F(Binding, TextsShowUpToTheirFirstCharacterOfCodeZero) {
    form.List1.AddItem(std::string(35, '\0'));  // a never-assigned fuel name
    form.List1.AddItem(std::string("Bituminous\0\0\0", 13));
    form.Label1.Caption = std::string("Bin 12\0junk", 11);
    binding->flush();
    auto* list = widget<QListWidget>(form.List1);
    EXPECT_EQ(list->item(0)->text(), QString());
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Bituminous"));
    EXPECT_EQ(widget<QLabel>(form.Label1)->text(), QStringLiteral("Bin 12"));
    EXPECT_EQ(form.List1.List(1).size(), 13u);  // the model keeps its text whole
}

TEST_F(Binding, ComboBoxesTakeAChoiceOrTypedText) {
    int clicks = 0;
    form.Combo1.onClick = [&] { ++clicks; };
    for (const char* name : {"Bituminous", "Subbituminous", "Lignite"}) form.Combo1.AddItem(name);
    binding->flush();
    auto* combo = widget<QComboBox>(form.Combo1);
    ASSERT_EQ(combo->count(), 3);
    ASSERT_TRUE(combo->isEditable());
    window.show();
    combo->activated(2);
    EXPECT_EQ(form.Combo1.ListIndex(), 2);
    EXPECT_EQ(clicks, 1);
    binding->flush();
    EXPECT_EQ(combo->currentText(), QStringLiteral("Lignite"));
    combo->lineEdit()->end(false);
    QTest::keyClicks(combo->lineEdit(), "x");
    EXPECT_EQ(form.Combo1.Text(), "Lignitex");
    form.Combo1.setText("Subbituminous");
    binding->flush();
    EXPECT_EQ(combo->currentIndex(), 1);
    // A text set from the model, padded with blanks as names are stored, shows from its start.
    form.Combo1.setText("PETROLEUM COKE                     ");
    binding->flush();
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
    form.Combo1.Locked = true;
    binding->flush();
    EXPECT_FALSE(combo->isEditable());
}

// Typed over the entry the list shows, a word lands letter for letter, in the box and in the
// model, with the cursor after it; a beginning of an entry is not completed into the entry.
TEST_F(Binding, TextTypedOverAnEditableListsEntryStaysAsTyped) {
    for (const char* name : {"NONE", "Bituminous", "Subbituminous"}) form.Combo1.AddItem(name);
    form.Combo1.setListIndex(1);
    binding->flush();
    window.show();
    QLineEdit* line = widget<QComboBox>(form.Combo1)->lineEdit();
    ASSERT_NE(line, nullptr);
    for (const char* typed : {"BITUMINOUS", "Sub", "Subbituminous coal"}) {
        SCOPED_TRACE(typed);
        line->selectAll();
        for (const char* key = typed; *key; ++key) {
            QTest::keyClick(line, *key);
            binding->flush();  // the model's change is shown before the next key
        }
        EXPECT_EQ(line->text().toStdString(), typed);
        EXPECT_EQ(form.Combo1.Text(), typed);
        EXPECT_EQ(line->cursorPosition(), static_cast<int>(std::strlen(typed)));
    }
}

// The unit window opened on a unit burning bituminous coal, over an empty folder.
class UnitWindowTyping : public ::testing::Test {
protected:
    void SetUp() override {
        program.start(dir);
        testing::oneunit(app);
        ASSERT_TRUE(selectunit(app, 1));
        cmdevaluateunit_Click(app);
        program.flush();
        ASSERT_TRUE(program.unit.isVisible());
    }
    // Types the key of one character into the line (a key of its own for a letter beyond ASCII,
    // as a keyboard layout gives it) and lets the window follow the model, as between two keys.
    void key(QLineEdit& line, QChar c) {
        QTest::sendKeyEvent(QTest::Click, &line, Qt::Key_unknown, QString(c), Qt::NoModifier);
        program.flush();
    }

    std::filesystem::path dir = testing::freshfolder("unit-typing");
    testing::QuietPlatform platform{dir};
    Program program{platform};
    App& app = program.app;
};

// A character the records' single-byte code page lacks (the euro sign, a Polish L) is stored as
// "?": in a fuel list and in a text box alike, the box shows that "?" where the key was typed,
// and the next key lands after it, at the end of the text as inside it.
TEST_F(UnitWindowTyping, ACharacterOutsideTheCodePageShowsAsStoredWhereItWasTyped) {
    Form1& f = app.form1;
    FormBinding& binding = program.unit.binding();
    auto* fuels = qobject_cast<QComboBox*>(binding.widget(f.Combo2[0]));
    ASSERT_NE(fuels, nullptr);
    struct Box {
        const char* name;
        QLineEdit* line;
        std::function<std::string()> model;
    };
    const Box boxes[] = {{"fuel list", fuels->lineEdit(), [&f] { return f.Combo2[0].Text(); }},
                         {"mercury box", qobject_cast<QLineEdit*>(binding.widget(f.Text1[0])),
                          [&f] { return f.Text1[0].Text(); }}};
    for (const Box& box : boxes) {
        SCOPED_TRACE(box.name);
        ASSERT_NE(box.line, nullptr);
        box.line->setFocus();
        box.line->selectAll();
        std::string shown;
        for (QChar c : QString::fromUtf8("COAL \u20AC12 PER TON")) {
            key(*box.line, c);
            shown += c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?';
            ASSERT_EQ(box.line->text().toStdString(), shown);
            ASSERT_EQ(box.model(), shown);
            ASSERT_EQ(box.line->cursorPosition(), static_cast<int>(shown.size()));
        }
        EXPECT_EQ(shown, "COAL ?12 PER TON");
        // Inside the text: the "?" stands where the key went, and the next key follows it.
        box.line->setCursorPosition(5);
        key(*box.line, QChar(0x141));
        EXPECT_EQ(box.line->text().toStdString(), "COAL ??12 PER TON");
        EXPECT_EQ(box.line->cursorPosition(), 6);
        key(*box.line, QLatin1Char('-'));
        EXPECT_EQ(box.line->text().toStdString(), "COAL ?-?12 PER TON");
        EXPECT_EQ(box.model(), "COAL ?-?12 PER TON");
        EXPECT_EQ(box.line->cursorPosition(), 7);
        // A letter of the code page is stored as typed and shown as typed.
        key(*box.line, QChar(0xC9));
        EXPECT_EQ(box.line->text(), QString::fromUtf8("COAL ?-\u00C9?12 PER TON"));
        EXPECT_EQ(box.model(), "COAL ?-\xC9?12 PER TON");
        EXPECT_EQ(box.line->cursorPosition(), 8);
    }
}

TEST_F(Binding, MultiSelectListsKeepEachEntrysSelection) {
    for (const char* name : {"AL   ( 4)", "AK   ( 10)", "AZ   ( 9)"}) form.List2.AddItem(name);
    binding->flush();
    auto* list = widget<QListWidget>(form.List2);
    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    EXPECT_TRUE(form.List2.Selected(0));
    EXPECT_FALSE(form.List2.Selected(1));
    EXPECT_TRUE(form.List2.Selected(2));
    form.List2.setSelected(0, false);
    binding->flush();
    EXPECT_FALSE(list->item(0)->isSelected());
    EXPECT_TRUE(list->item(2)->isSelected());
}

TEST_F(Binding, AFaultInAHandlerIsToldAndTheWindowLivesOn) {
    form.Command1.onClick = [&] { form.List1.RemoveItem(5); };
    widget<QPushButton>(form.Command1)->click();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("The action stopped"), std::string::npos);
}

TEST_F(Binding, TheFormShowsHidesTitlesResizesAndTakesTheHourglass) {
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    form.Caption = "Data Display";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Data Display"));
    form.Show();
    EXPECT_TRUE(window.isVisible());
    form.MousePointer = 11;
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    form.MousePointer = 1;
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    window.resize(720, 450);
    QCoreApplication::processEvents();
    // The model holds the outer size, frame included.
    EXPECT_EQ(form.Width(), window.frameGeometry().width() * 15);
    EXPECT_EQ(form.Height(), window.frameGeometry().height() * 15);
    EXPECT_GE(resizes, 1);

    form.Width = 600 * 15;
    form.Height = 300 * 15;
    EXPECT_EQ(window.frameGeometry().size(), QSize(600, 300));

    window.close();
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.loaded);
    form.Hide();
    EXPECT_FALSE(window.isVisible());
}

using testing::rununtil;

// A size or place reported by the window system itself (a window manager at work, the user
// dragging the window): asked of the window's platform window, it comes back as the window
// system's own event, not as the program's. A size is that of the window's own area, a place
// that of its frame.
void reportsize(QWidget& window, QSize size) {
    window.windowHandle()->setGeometry(QRect(window.geometry().topLeft(), size));
    QCoreApplication::processEvents();
}
void reportplace(QWidget& window, QPoint frame) {
    window.windowHandle()->setPosition(frame + (window.geometry().topLeft() - window.frameGeometry().topLeft()));
    QCoreApplication::processEvents();
}

// While a window is hidden and while it is being placed at its showing, the sizes reported on
// the way (a window manager mapping it at its old size) leave the form as it is, and the window
// ends with the form's place and size.
TEST_F(Binding, SizesReportedBeforeOrWhileTheWindowIsShownDoNotChangeTheForm) {
    form.Hide();
    ASSERT_FALSE(window.isVisible());
    form.Left = 30 * 15;
    form.Top = 20 * 15;
    form.Width = 600 * 15;
    form.Height = 300 * 15;
    window.resize(614, 25);  // the hidden window's own size
    EXPECT_EQ(form.Width(), 600 * 15);
    EXPECT_EQ(form.Height(), 300 * 15);

    form.Show();
    ASSERT_TRUE(window.isVisible());
    QCoreApplication::processEvents();  // on its way to the screen
    EXPECT_TRUE(binding->placing());
    reportsize(window, QSize(614, 25));
    reportplace(window, QPoint(0, 0));
    reportsize(window, QSize(614, 690));
    EXPECT_EQ(form.Left(), 30 * 15);
    EXPECT_EQ(form.Top(), 20 * 15);
    EXPECT_EQ(form.Width(), 600 * 15);
    EXPECT_EQ(form.Height(), 300 * 15);
    ASSERT_TRUE(rununtil([&] { return !binding->placing(); }));
    EXPECT_EQ(window.frameGeometry(), QRect(30, 20, 600, 300));
    EXPECT_EQ(form.Width(), 600 * 15);
    EXPECT_EQ(form.Height(), 300 * 15);

    // Shown again after it was closed: placed anew from the form.
    window.close();
    form.Show();
    QCoreApplication::processEvents();
    reportsize(window, QSize(614, 25));
    ASSERT_TRUE(rununtil([&] { return !binding->placing(); }));
    EXPECT_EQ(window.frameGeometry(), QRect(30, 20, 600, 300));
    EXPECT_EQ(form.Height(), 300 * 15);
}

// Once placed, a move or a resize by the user goes into the form's Left, Top, Width and Height,
// and the window stays there when the form next tells the window anything.
TEST_F(Binding, TheUsersMoveAndResizeGoIntoTheForm) {
    form.Hide();
    form.Width = 600 * 15;
    form.Height = 300 * 15;
    form.Show();
    ASSERT_TRUE(rununtil([&] { return !binding->placing(); }));
    int resizes = 0;
    form.onResize = [&] { ++resizes; };

    reportplace(window, QPoint(200, 150));
    EXPECT_EQ(form.Left(), 200 * 15);
    EXPECT_EQ(form.Top(), 150 * 15);
    form.Caption = "Moved";
    QCoreApplication::processEvents();
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(200, 150));

    const QSize frame = window.frameGeometry().size() - window.size();
    reportsize(window, QSize(500, 250) - frame);
    EXPECT_EQ(form.Width(), 500 * 15);
    EXPECT_EQ(form.Height(), 250 * 15);
    EXPECT_GE(resizes, 1);  // the window's resize handler ran with the new size in the form
    const long fronts = form.frontrequests;
    form.Show();  // shown again while open: it stays where it is
    QCoreApplication::processEvents();
    EXPECT_EQ(form.frontrequests, fronts + 1);
    EXPECT_EQ(window.frameGeometry(), QRect(200, 150, 500, 250));
}

// A form larger than the screen, or partly off it, is shown inside the screen's free area,
// and the form takes the place and size the window got.
TEST_F(Binding, AWindowIsShownInsideTheScreen) {
    form.Hide();
    const QRect free = window.screen()->availableGeometry();
    form.Left = -50 * 15;
    form.Top = 40 * 15;
    form.Width = (free.width() + 300) * 15;
    form.Height = (free.height() / 2) * 15;
    form.Show();
    ASSERT_TRUE(rununtil([&] { return !binding->placing(); }));
    EXPECT_EQ(window.frameGeometry(), QRect(free.left(), free.top() + 40, free.width(), free.height() / 2));
    EXPECT_EQ(form.Width(), free.width() * 15);
    EXPECT_EQ(form.Left(), free.left() * 15);
}

TEST_F(Binding, AControlThatJoinsLaterGetsItsWidgetAtTheNextChange) {
    struct Later : SampleForm {
        Label Label9;
        void join() { add(Label9, "Label9"); }
    };
    Later later;
    QWidget laterwindow;
    std::vector<std::string> joined;
    FormBinding lb(app, later, &laterwindow, &laterwindow, true);
    lb.onlatecontrol = [&](Control& c, QWidget*) { joined.push_back(c.name); };
    later.join();
    later.Label9.Caption = "Bin calculations done";
    EXPECT_EQ(lb.widget(later.Label9), nullptr);  // it joined without telling anyone
    later.Label1.Caption = "x";                   // the next change of the window adopts it
    ASSERT_NE(lb.widget(later.Label9), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(lb.widget(later.Label9))->text(), QStringLiteral("Bin calculations done"));
    EXPECT_EQ(joined, std::vector<std::string>{"Label9"});
    later.Label9.Caption = "again";
    EXPECT_EQ(qobject_cast<QLabel*>(lb.widget(later.Label9))->text(), QStringLiteral("again"));
}

TEST_F(Binding, MenuActionsFollowTheirItems) {
    MenuItem item;
    item.name = "cmderase";
    QAction action;
    int runs = 0;
    binding->bindaction(item, &action, QStringLiteral("Erase all data"), [&] { ++runs; });
    EXPECT_EQ(action.text(), QStringLiteral("Erase all data"));
    item.Caption = "Bin calculations";
    EXPECT_EQ(action.text(), QStringLiteral("Bin calculations"));
    item.Visible = false;
    EXPECT_FALSE(action.isVisible());
    item.Checked = true;
    EXPECT_TRUE(action.isChecked());
    action.trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(Binding, APictureBoxPaintsItsRecordedDrawing) {
    form.Picture1.Width = 3000;
    form.Picture1.Height = 3000;
    form.Picture1.Top = 5000;
    QImage blank = binding->widget(form.Picture1)->grab().toImage();
    EXPECT_EQ(testing::colours(blank), 1);
    form.Picture1.Line(0, 0, 1000, 1000, 0x0000FF);
    form.Picture1.Circle(500, 500, 200, 0x000000);
    form.Picture1.CurrentX = 100;
    form.Picture1.CurrentY = 100;
    form.Picture1.Print("ESP");
    QImage drawn = binding->widget(form.Picture1)->grab().toImage();
    EXPECT_GT(testing::colours(drawn), 2);
    EXPECT_GT(testing::redpixels(drawn), 50);  // the red diagonal
    form.Picture1.Cls();
    EXPECT_EQ(testing::colours(binding->widget(form.Picture1)->grab().toImage()), 1);
}

}  // namespace
}  // namespace brasket::gui
