// The windows on an X screen of 1024x768 whose window manager frames, places and stacks them, as
// on an analyst's desktop (on-desktop.sh starts the screen and the window manager): the report
// window opens whole and stays where the user puts it, a window shown again comes to the front,
// and every window fits the screen with its title bar.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "desktop.h"
#include "reportview.h"
#include "report/frmdisplay.h"
#include "unitwindow/form1.h"

namespace brasket::gui::desktop {
namespace {

// The bottom row of the report window (its buttons, the font size box and the page label) lies
// whole inside the window's own area, at its bottom.
void expectbottomrowinside(Program& program) {
    const frmDisplay& d = program.app.display;
    const ReportView& report = program.report;
    for (const Control* c : {static_cast<const Control*>(&d.Command1), static_cast<const Control*>(&d.Command2),
                             static_cast<const Control*>(&d.Command3), static_cast<const Control*>(&d.Command4),
                             static_cast<const Control*>(&d.Command5), static_cast<const Control*>(&d.Command6),
                             static_cast<const Control*>(&d.Command7), static_cast<const Control*>(&d.Text2),
                             static_cast<const Control*>(&d.Label1)}) {
        const QWidget* w = program.report.binding().widget(*c);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible()) << c->name;
        EXPECT_GE(w->y(), 0) << c->name;
        EXPECT_LE(w->y() + w->height(), report.height()) << c->name << " in a window of " << report.width() << "x"
                                                          << report.height() << " framed by "
                                                          << ::testing::PrintToString(windowframe(report));
    }
    const QWidget* exitbutton = program.report.binding().widget(d.Command1);
    EXPECT_GE(exitbutton->y(), report.height() - 80) << "the row is not at the window's bottom";
}

// The report window takes the screen's width and its height less 800 twips (1024x715), frame
// included, at every showing: also when the window manager frames it late, after the program
// has asked for its size, and reports the size the window was mapped with on the way.
TEST(DesktopReportWindow, OpensWholeInEveryNewRunOfTheProgram) {
    const int pauses[] = {0, 100, 200, 300, 0, 100, 200, 300, 0, 150, 250, 50};
    int run = 0;
    for (int pause : pauses) {
        SCOPED_TRACE("run " + std::to_string(++run) + ", window manager paused " + std::to_string(pause) + " ms");
        auto dir = testing::freshfolder("desktop-run");
        testing::QuietPlatform platform(dir);
        Program program(platform);
        program.start(dir);
        waitplaced(program.main, program.main.binding());
        writereport(program.app, "Emission report");
        {
            WindowManagerPause busy(pause);
            showreport(program.app);
            QCoreApplication::processEvents();
        }
        waitplaced(program.report, program.report.binding());
        EXPECT_EQ(windowframe(program.report), QRect(0, 0, 1024, 715));
        EXPECT_EQ(program.app.display.Width(), 1024 * 15);
        EXPECT_EQ(program.app.display.Height(), 768 * 15 - 800);
        EXPECT_EQ(program.app.display.Left(), 0);
        EXPECT_EQ(program.app.display.Top(), 0);
        expectbottomrowinside(program);
    }
}

// Dragged by its title bar, the report window stays where the user put it through a page turn
// and a new report.
TEST_F(Desktop, TheReportWindowStaysWhereTheUserPutsIt) {
    writereport(app, "First report");
    showreport(app);
    waitplaced(program->report, program->report.binding());
    // The window opened where the program put it: a fault of placing is not taken for one of moving.
    const QRect placed = windowframe(program->report);
    ASSERT_EQ(placed, QRect(0, 0, 1024, 715));
    // A drag of the title bar by 160 to the right and 40 down, in steps, as a hand moves it.
    const QPoint grip(placed.center().x(), (placed.top() + program->report.geometry().top()) / 2);
    hand({QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y())});
    hand({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 1; step <= 8; ++step)
        hand({QStringLiteral("mousemove"), QString::number(grip.x() + 20 * step), QString::number(grip.y() + 5 * step)});
    hand({QStringLiteral("mouseup"), QStringLiteral("1")});
    ASSERT_TRUE(framebecomes(program->report, placed.translated(160, 40)))
        << "the window manager did not move the window taken at " << ::testing::PrintToString(grip);
    settle(200);
    EXPECT_EQ(app.display.Left(), 160 * 15);
    EXPECT_EQ(app.display.Top(), 40 * 15);
    const QRect moved = windowframe(program->report);

    qobject_cast<QPushButton*>(program->report.binding().widget(app.display.Command3))->click();  // Page DOWN
    settle(300);
    EXPECT_EQ(app.display.currentpage, 2);
    EXPECT_EQ(windowframe(program->report), moved);
    picture("report-moved-page-down");

    writereport(app, "Second report");
    showreport(app);
    settle(300);
    EXPECT_EQ(app.display.currentpage, 1);
    EXPECT_EQ(windowframe(program->report), moved);
    EXPECT_EQ(app.display.Left(), 160 * 15);
}

// With the unit window open behind the main window, "Evaluate unit" on another unit fills the
// unit window and brings it to the front.
TEST_F(Desktop, EvaluateUnitBringsTheOpenUnitWindowToTheFront) {
    plantsofoneunit(app, 2);
    QAction* evaluate = program->main.menuBar()->findChild<QAction*>(QStringLiteral("cmdevaluateunit"));
    ASSERT_NE(evaluate, nullptr);
    ASSERT_TRUE(selectunit(app, 1));
    evaluate->trigger();
    waitplaced(program->unit, program->unit.binding());
    expectallonscreen();

    // The analyst brings the main window forward (from the task bar), over the unit window.
    x11(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(program->main.winId())});
    ASSERT_TRUE(waitfor([&] {
        auto ids = stacking();
        return stackplace(ids, program->main) > stackplace(ids, program->unit);
    })) << "the main window did not come over the unit window";

    ASSERT_TRUE(selectunit(app, 2));
    evaluate->trigger();
    EXPECT_EQ(app.form1.Caption(), "Unit evaluation: 2");
    EXPECT_TRUE(waitfor([&] {
        auto ids = stacking();
        return stackplace(ids, program->unit) > stackplace(ids, program->main);
    })) << "the unit window stayed behind the main window";
    EXPECT_TRUE(waitfor([&] { return QApplication::activeWindow() == &program->unit; }));
    expectallonscreen();
    picture("unit-in-front");
}

// The main window, whose layout asks for more than the screen, fits it with its title bar; the
// unit and report windows too.
TEST_F(Desktop, EveryWindowFitsTheScreenWithItsTitleBar) {
    expectallonscreen();
    EXPECT_EQ(windowframe(program->main).size(), workarea().size());
    picture("main-whole");
    plantsofoneunit(app, 1);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    waitplaced(program->unit, program->unit.binding());
    writereport(app, "Emission report");
    showreport(app);
    waitplaced(program->report, program->report.binding());
    expectallonscreen();
}

// A mercury content that overflows, typed into the unit window, is not evaluated: the window
// says why, and none of its cells shows an infinity.
TEST_F(Desktop, AnOverflowingNumberTypedIntoTheUnitWindowIsNotEvaluated) {
    plantsofoneunit(app, 1);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    waitplaced(program->unit, program->unit.binding());
    auto* mercury = qobject_cast<QLineEdit*>(program->unit.binding().widget(app.form1.Text1[0]));
    ASSERT_NE(mercury, nullptr);
    mercury->setFocus(Qt::MouseFocusReason);
    mercury->selectAll();
    QTest::keyClicks(mercury, QStringLiteral("1e999"));
    settle(100);
    EXPECT_EQ(app.form1.Text1[0].Text(), "1e999");
    for (const Label& cell : app.form1.Label3) {
        auto* shown = qobject_cast<QLabel*>(program->unit.binding().widget(cell));
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->text().contains(QStringLiteral("nfinity"), Qt::CaseInsensitive)) << cell.index;
        EXPECT_FALSE(shown->text().contains(QStringLiteral("NaN"))) << cell.index;
    }
    auto* explanation = qobject_cast<QLabel*>(program->unit.binding().widget(app.form1.Label13));
    EXPECT_TRUE(explanation->text().contains(
        QStringLiteral("Fuel 1 is not evaluated: its mercury content or its dry tons per month is too large to be evaluated.")))
        << explanation->text().toStdString();
    expectallonscreen();
    picture("unit-1e999");
}

// The bottom row stays inside the window at its first size, after the analyst sizes the window by
// its bottom edge, and maximized by a double click on the title bar; a click on Exit closes it.
TEST_F(Desktop, TheReportWindowsBottomRowIsInsideTheWindowAtEverySize) {
    showplacedreport();
    ReportView& report = program->report;
    {
        SCOPED_TRACE("first size");
        expectbottomrowinside(*program);
    }
    picture("report-first-size");

    // The bottom edge, where the window manager offers it, dragged 120 up. The window opened where
    // the program put it: a fault of placing is not taken for one of sizing.
    const QRect first = windowframe(report);
    ASSERT_EQ(first, QRect(0, 0, 1024, 715));
    const QPoint edge = bottomedge(report);
    hand({QStringLiteral("mousemove"), QString::number(edge.x()), QString::number(edge.y())});
    hand({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 1; step <= 6; ++step)
        hand({QStringLiteral("mousemove"), QString::number(edge.x()), QString::number(edge.y() - 20 * step)});
    hand({QStringLiteral("mouseup"), QStringLiteral("1")});
    ASSERT_TRUE(framebecomes(report, first.adjusted(0, 0, 0, -120)))
        << "the window manager did not size the window taken at " << ::testing::PrintToString(edge)
        << " in its frame window " << ::testing::PrintToString(framewindow(report));
    settle(300);
    EXPECT_EQ(app.display.Height(), (715 - 120) * 15);
    {
        SCOPED_TRACE("sized by the analyst");
        expectbottomrowinside(*program);
    }

    maximize(report);
    EXPECT_TRUE(holds(workarea(), windowframe(report)));
    EXPECT_GT(windowframe(report).height(), 715);
    EXPECT_EQ(app.display.Height(), windowframe(report).height() * 15);
    {
        SCOPED_TRACE("maximized");
        expectbottomrowinside(*program);
    }
    picture("report-maximized");

    clickat(*report.binding().widget(app.display.Command1));
    EXPECT_TRUE(waitfor([&] { return !report.isVisible(); })) << "Exit did not close the window";
    EXPECT_FALSE(app.display.loaded);
}

}  // namespace
}  // namespace brasket::gui::desktop
