// Minimized and maximized windows as the analyst leaves them: a window that a menu item shows
// again comes back from the task bar to the front, and a window closed while maximized opens
// again in its normal state, at its own place and size.
#include <QAction>
#include <QMenuBar>

#include "desktop.h"
#include "report/frmdisplay.h"
#include "unitwindow/form1.h"

namespace brasket::gui::desktop {
namespace {

TEST_F(Desktop, AMinimizedReportWindowComesBackToTheFrontWithANewReport) {
    showplacedreport("First report");
    minimize(program->report);
    writereport(app, "Second report");
    showreport(app);
    EXPECT_TRUE(waitfor([&] { return infront(program->report, {&program->main, &program->unit}); }))
        << "the report window stayed in the task bar or behind";
    EXPECT_EQ(windowframe(program->report), QRect(0, 0, 1024, 715));
    picture("report-back-from-minimized");
}

TEST_F(Desktop, AMinimizedUnitWindowComesBackToTheFrontOnEvaluateUnit) {
    showplacedunit(2, 1);
    const QRect placed = windowframe(program->unit);
    minimize(program->unit);
    ASSERT_TRUE(selectunit(app, 2));
    QAction* evaluate = program->main.menuBar()->findChild<QAction*>(QStringLiteral("cmdevaluateunit"));
    ASSERT_NE(evaluate, nullptr);
    evaluate->trigger();
    EXPECT_EQ(app.form1.Caption(), "Unit evaluation: 2");
    EXPECT_TRUE(waitfor([&] { return infront(program->unit, {&program->main, &program->report}); }))
        << "the unit window stayed in the task bar or behind";
    EXPECT_EQ(windowframe(program->unit), placed);
}

// Exit on the maximized report window; the next report opens it at its load place and size,
// and a maximize and restore bring it back there (or where the window manager's own rule for so
// large a window puts it).
TEST_F(Desktop, AReportWindowClosedMaximizedOpensInItsNormalState) {
    showplacedreport();
    const QRect load(0, 0, 1024, 715);
    ASSERT_EQ(windowframe(program->report), load);
    maximize(program->report);
    clickat(*program->report.binding().widget(app.display.Command1));
    ASSERT_TRUE(waitfor([&] { return !program->report.isVisible(); })) << "Exit did not close the window";

    showplacedreport("Next report");
    EXPECT_FALSE(program->report.isMaximized());
    EXPECT_EQ(windowframe(program->report), load);
    EXPECT_EQ(app.display.Height(), 768 * 15 - 800);
    auto* exitbutton = program->report.binding().widget(app.display.Command1);
    EXPECT_LE(exitbutton->y() + exitbutton->height(), program->report.height());
    EXPECT_GE(exitbutton->y(), program->report.height() - 80);

    maximize(program->report);
    restore(program->report);
    const QRect restored = restoredframe(load);
    EXPECT_EQ(windowframe(program->report), restored);
    EXPECT_NEAR(app.display.Height(), restored.height() * 15, 14);
    expectallonscreen();
}

// The unit window closed while maximized opens again at the place and size it had before it was
// maximized; restored after a maximize it is there again, within the screen.
TEST_F(Desktop, AUnitWindowClosedMaximizedOpensInItsNormalState) {
    showplacedunit(2, 1);
    const QRect normal = windowframe(program->unit);
    maximize(program->unit);
    closebykeyboard(program->unit);

    ASSERT_TRUE(selectunit(app, 2));
    cmdevaluateunit_Click(app);
    waitplaced(program->unit, program->unit.binding());
    EXPECT_FALSE(program->unit.isMaximized());
    EXPECT_EQ(windowframe(program->unit), normal);
    maximize(program->unit);
    restore(program->unit);
    EXPECT_EQ(windowframe(program->unit), normal);
    expectallonscreen();
}

}  // namespace
}  // namespace brasket::gui::desktop
