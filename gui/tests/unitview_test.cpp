// The unit evaluation window on screen: opened on a unit, its widgets follow the window model.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include "app.h"
#include "program.h"
#include "report/reportbuffer.h"
#include "support.h"
#include "unitwindow/form1.h"

namespace brasket::gui {
namespace {

// The program started over an empty folder with the evaluation window shown on that unit.
struct UnitView : ::testing::Test {
    std::filesystem::path dir = testing::freshfolder("unitview");
    testing::QuietPlatform platform{dir};
    Program program{platform};
    App& app = program.app;

    void SetUp() override {
        program.start(dir);
        testing::oneunit(app);
        ASSERT_TRUE(selectunit(app, 1));
        EXPECT_FALSE(program.unit.isVisible());
        cmdevaluateunit_Click(app);
        program.flush();
        EXPECT_TRUE(program.unit.isVisible());
    }
};

TEST_F(UnitView, ShowsTheEvaluationWindowOfTheChosenUnit) {

    auto* hgin = qobject_cast<QLabel*>(program.unit.binding().widget(app.form1.Label3[0]));
    ASSERT_NE(hgin, nullptr);
    EXPECT_EQ(hgin->text().toStdString(), "272.154");
    auto* fuel = qobject_cast<QComboBox*>(program.unit.binding().widget(app.form1.Combo2[0]));
    ASSERT_NE(fuel, nullptr);
    EXPECT_EQ(fuel->count(), 18);
    EXPECT_TRUE(fuel->currentText().startsWith(QStringLiteral("BITUMINOUS")));

    // Typing a new tonnage evaluates again and the cell follows.
    auto* tons = qobject_cast<QLineEdit*>(program.unit.binding().widget(app.form1.Text2[0]));
    ASSERT_NE(tons, nullptr);
    tons->selectAll();
    QTest::keyClicks(tons, QStringLiteral("20000"));
    program.flush();
    EXPECT_EQ(app.form1.Label3[0].Caption(), "544.308");
    EXPECT_EQ(hgin->text().toStdString(), "544.308");
    EXPECT_FALSE(program.unit.binding().widget(app.form1.Label12)->isVisible());
}

// Whether the report buffer holds a line.
bool holds(const App& app, const std::string& line) {
    for (long k = 1; k <= app.report.reportlinecount; ++k)
        if (app.report.reportbuffer(k) == line) return true;
    return false;
}

TEST_F(UnitView, APressOnABinLabelExplainsTheBin) {
    // A row without fuel: either button tells the analyst to choose a fuel.
    QWidget* empty = program.unit.binding().widget(app.form1.Label14[1]);
    ASSERT_NE(empty, nullptr);
    app.report.erase();
    app.report.reportlinecount = 0;
    QTest::mouseClick(empty, Qt::RightButton);
    EXPECT_TRUE(holds(app, " You have not identified a fuel for evaluation."));

    // The row with coal: the right button gives the speciation report, the left the bin's
    // factor listing; the middle button does nothing.
    QWidget* bin = program.unit.binding().widget(app.form1.Label14[0]);
    ASSERT_NE(bin, nullptr);
    app.report.erase();
    app.report.reportlinecount = 0;
    QTest::mouseClick(bin, Qt::MiddleButton);
    EXPECT_EQ(app.report.reportlinecount, 0);
    QTest::mouseClick(bin, Qt::RightButton);
    EXPECT_TRUE(holds(app, "This display presents the bin that is assigned for the fuel."));
    const long right = app.report.reportlinecount;
    QTest::mouseClick(bin, Qt::LeftButton);
    EXPECT_TRUE(holds(app, "This display presents the bin that is assigned for the fuel."));
    EXPECT_NE(app.report.reportlinecount, right);
}

// The width the window's layout asks for: the larger of its scrolling surface's minimum and
// preferred widths (the window scrolls sideways when it is narrower than the minimum).
int layoutwidth(gui::UnitView& view) {
    auto* scroll = view.findChild<QScrollArea*>();
    if (!scroll || !scroll->widget()) return -1;
    QWidget* surface = scroll->widget();
    return std::max(surface->minimumSizeHint().width(), surface->sizeHint().width());
}

TEST_F(UnitView, AnExplanationWithoutMercuryWrapsWithinTheWindowsWidth) {
    // Suppliers of bituminous coal, so that the mercury help beside the explanation takes
    // its room as it does when the analyst works in a mercury box.
    Workset& ws = app.ws;
    for (long k = 1; k <= 3; ++k) {
        ws.coalsupply(k).name1 = "Appalachian Fuels";
        ws.coalsupply(k).name2 = "Mine " + std::to_string(k * 10);
        ws.coalsupply(k).name3 = "Harlan, KY";
        ws.coalsupply(k).fueltype = 3;
        ws.coalsupply(k).mercury = 0.1f * static_cast<float>(k);
    }
    setcoalsupplycount(ws, 3);

    auto* box = qobject_cast<QLineEdit*>(program.unit.binding().widget(app.form1.Text1[0]));
    auto* summary = qobject_cast<QLabel*>(program.unit.binding().widget(app.form1.Label13));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(summary, nullptr);
    program.unit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.unit));
    box->setFocus(Qt::MouseFocusReason);
    program.flush();
    ASSERT_TRUE(app.form1.List1.Visible());
    ASSERT_EQ(app.form1.List1.ListCount(), 3);
    const int valid = layoutwidth(program.unit);
    ASSERT_GT(valid, 0);

    // Whatever the explanation says, the window asks for no more width than with a valid
    // content, and the sentences wrap onto more lines instead.
    const int oneline = summary->fontMetrics().lineSpacing();
    auto expectwithin = [&](const char* state, const char* phrase) {
        SCOPED_TRACE(state);
        program.flush();
        EXPECT_NE(summary->text().indexOf(QLatin1String(phrase)), -1);
        EXPECT_LE(layoutwidth(program.unit), valid);
        EXPECT_GT(summary->heightForWidth(400), 2 * oneline);
    };
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    expectwithin("mercury box cleared", "You have no mercury in your coal.");
    QTest::keyClicks(box, QStringLiteral("-5"));
    EXPECT_EQ(app.form1.Text1[0].Text(), "-5");
    expectwithin("negative mercury", "Fuel 1 is not evaluated");
    std::string names;
    for (int k = 0; k < 40; ++k) names += (k ? ", " : "") + std::string("LIGNITE BLEND ") + std::to_string(k);
    app.form1.Label13.Caption = "Fuels of this unit that the fuel rows cannot take were left out: " + names + ".";
    expectwithin("many fuels left out", "left out");
}

}  // namespace
}  // namespace brasket::gui
