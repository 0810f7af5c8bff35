// The windows on a Wayland session (on-wayland.sh starts a compositor of its own, with no X
// display): the compositor places every window itself and tells the program no place, so a
// window shows at once at its size, with no placing, and the forms keep the places they hold
// rather than take the compositor's (a Wayland client learns only its frame's offset around its
// own area). Elsewhere these tests skip themselves.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cstdlib>
#include <utility>

#include "desktop.h"
#include "mainwindow/frmplants.h"
#include "report/frmdisplay.h"
#include "reportview.h"
#include "unitview.h"
#include "unitwindow/form1.h"

namespace brasket::gui::desktop {
namespace {

// A form's place, in twips.
struct Place {
    long left, top;
    bool operator==(const Place&) const = default;
};
void PrintTo(const Place& p, std::ostream* os) { *os << "Left " << p.left << ", Top " << p.top; }
Place placeof(const Form& f) { return {f.Left(), f.Top()}; }

// The program started over an empty folder on a Wayland session.
struct OnWayland : ::testing::Test {
    std::filesystem::path dir = testing::freshfolder("wayland");
    testing::QuietPlatform platform{dir};
    std::unique_ptr<Program> program = std::make_unique<Program>(platform);
    App& app = program->app;

    void SetUp() override {
        if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            GTEST_SKIP() << "not a Wayland session (Qt's platform is " << QGuiApplication::platformName().toStdString()
                         << ")";
        program->start(dir);
    }

    // Twips in a pixel of the screen.
    long pixel() { return platform.screenwidth() / QGuiApplication::primaryScreen()->geometry().width(); }

    // The window's frame, title bar included, has the form's size, within a pixel.
    ::testing::AssertionResult framedasform(const QWidget& window, const Form& form) {
        const QRect frame = windowframe(window);
        if (std::abs(form.Width() - frame.width() * pixel()) < pixel() &&
            std::abs(form.Height() - frame.height() * pixel()) < pixel())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << form.name << " of " << form.Width() << "x" << form.Height()
                                             << " twips framed at " << ::testing::PrintToString(frame);
    }

    // The window, just shown, is not being placed: it is on screen once the compositor has
    // taken it, and no report of the compositor starts a placing meanwhile.
    void expectshownatonce(QWidget& window, FormBinding& binding) {
        EXPECT_FALSE(binding.placing()) << window.windowTitle().toStdString() << " is being placed";
        EXPECT_TRUE(waitfor([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }))
            << window.windowTitle().toStdString() << " never came on screen";
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(binding.placing()) << window.windowTitle().toStdString() << " is being placed once on screen";
    }

    // The form's place is on the screen, and a second of the compositor's work leaves it as it
    // was; so does the end of a placing, were there one (a placing that ended would take the
    // window's frame, which lies off the screen by the frame's offset around the window's own area).
    void expectplacekept(const Form& form, FormBinding& binding, Place held) {
        EXPECT_GE(held.left, 0) << form.name;
        EXPECT_GE(held.top, 0) << form.name;
        EXPECT_TRUE(waitfor([&] { return !binding.placing(); })) << form.name << " is placed without end";
        settle(1000);
        EXPECT_EQ(placeof(form), held) << form.name << " took a place from the compositor";
    }

    // The report form's size is the one its load sets (the screen's width, its height less 800
    // twips) or the one the compositor gave the window, frame included, within a pixel; the exit
    // button lies whole in the window's own area, at its bottom.
    void expectreportsize() {
        const frmDisplay& d = app.display;
        const QRect frame = windowframe(program->report);
        EXPECT_TRUE(d.Width() == platform.screenwidth() || std::abs(d.Width() - frame.width() * pixel()) < pixel())
            << "Width " << d.Width() << " of a window framed " << frame.width() << " pixels wide";
        EXPECT_TRUE(d.Height() == platform.screenheight() - 800 || std::abs(d.Height() - frame.height() * pixel()) < pixel())
            << "Height " << d.Height() << " of a window framed " << frame.height() << " pixels high";
        EXPECT_GT(d.Width(), 0);
        EXPECT_GT(d.Height(), 0);
        EXPECT_TRUE(framedasform(program->report, d));
        const QWidget* exitbutton = program->report.binding().widget(d.Command1);
        EXPECT_LE(exitbutton->y() + exitbutton->height(), program->report.height());
        EXPECT_GE(exitbutton->y(), program->report.height() - 80) << "the bottom row is not at the window's bottom";
    }

    void showreportnow(const std::string& title) {
        writereport(app, title);
        showreport(app);
        expectshownatonce(program->report, program->report.binding());
    }
};

// The main window shows with the start, not placed, and keeps the place its load gives it.
TEST_F(OnWayland, TheMainWindowShowsAtOnceAndKeepsItsPlace) {
    expectshownatonce(program->main, program->main.binding());
    expectplacekept(mainwindow(app), program->main.binding(), placeof(mainwindow(app)));
    EXPECT_FALSE(program->main.binding().placing());
}

// The report window opens at the top left with the screen's width and its height less 800
// twips, as its load sets them, and keeps that place through a page turn and a new report.
TEST_F(OnWayland, TheReportWindowShowsAtOnceAndKeepsTheLoadsPlace) {
    showreportnow("First report");
    const frmDisplay& d = app.display;
    EXPECT_EQ(placeof(d), (Place{0, 0}));
    expectplacekept(d, program->report.binding(), {0, 0});
    expectreportsize();

    // Page DOWN, the analyst's click on the button.
    auto* pagedown = qobject_cast<QPushButton*>(program->report.binding().widget(d.Command3));
    ASSERT_NE(pagedown, nullptr);
    QTest::mouseClick(pagedown, Qt::LeftButton);
    EXPECT_EQ(d.currentpage, 2);
    expectplacekept(d, program->report.binding(), {0, 0});

    // A second report while the window is open.
    showreportnow("Second report");
    EXPECT_EQ(d.currentpage, 1);
    expectplacekept(d, program->report.binding(), {0, 0});
    expectreportsize();
}

// Maximized, the report window gets its size from the compositor (the screen less the
// compositor's panel), which the form takes while keeping its place; restored, it has the load's
// size again, and a report shown after a close while maximized opens in the normal state.
TEST_F(OnWayland, TheReportFormTakesTheCompositorsSizeButNotItsPlace) {
    showreportnow("First report");
    const frmDisplay& d = app.display;
    const long loadheight = d.Height();
    ReportView& report = program->report;

    report.showMaximized();
    ASSERT_TRUE(waitfor([&] { return report.isMaximized(); })) << "the compositor did not maximize the window";
    expectplacekept(d, report.binding(), {0, 0});
    expectreportsize();
    EXPECT_TRUE(framedasform(report, d));
    EXPECT_NE(d.Height(), loadheight) << "the maximized window has the load's height";

    report.showNormal();
    ASSERT_TRUE(waitfor([&] { return !report.isMaximized(); })) << "the compositor did not restore the window";
    expectplacekept(d, report.binding(), {0, 0});
    expectreportsize();
    EXPECT_NEAR(d.Height(), loadheight, pixel());

    report.showMaximized();
    ASSERT_TRUE(waitfor([&] { return report.isMaximized(); })) << "the compositor did not maximize the window";
    displayexit(app);
    ASSERT_TRUE(waitfor([&] { return !report.isVisible(); })) << "Exit did not close the window";
    showreportnow("Next report");
    EXPECT_FALSE(report.isMaximized());
    expectplacekept(d, report.binding(), {0, 0});
    expectreportsize();
    EXPECT_NEAR(d.Height(), platform.screenheight() - 800, pixel());
}

// The unit window shows on Evaluate Unit, not placed, and keeps its place for the next unit.
TEST_F(OnWayland, TheUnitWindowShowsAtOnceAndKeepsItsPlace) {
    plantsofoneunit(app, 2);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    expectshownatonce(program->unit, program->unit.binding());
    expectplacekept(app.form1, program->unit.binding(), placeof(app.form1));

    // Shown again for the next unit, it stays where it was.
    const Place held = placeof(app.form1);
    ASSERT_TRUE(selectunit(app, 2));
    cmdevaluateunit_Click(app);
    EXPECT_EQ(app.form1.Caption(), "Unit evaluation: 2");
    expectshownatonce(program->unit, program->unit.binding());
    expectplacekept(app.form1, program->unit.binding(), held);
}

// Every window, the first time it shows, has its form's size with its title bar and borders: the
// window's own area is the form's size less the frame the toolkit draws around it (a Wayland
// window's frame is known only once the window shows it).
TEST_F(OnWayland, EveryWindowHasItsFormsSizeFrameIncludedFromItsFirstShowing) {
    settle(500);
    EXPECT_TRUE(framedasform(program->main, mainwindow(app)));
    plantsofoneunit(app, 2);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    settle(500);
    EXPECT_TRUE(framedasform(program->unit, app.form1));
    writereport(app, "Emission report");
    showreport(app);
    settle(500);
    EXPECT_TRUE(framedasform(program->report, app.display));
}

// Every window, the main window included, fits the screen with its title bar and borders from its
// first showing on: its frame is no larger than the screen's free area, nor is its form.
TEST_F(OnWayland, EveryWindowFitsTheScreenWithItsFrame) {
    plantsofoneunit(app, 2);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    writereport(app, "Emission report");
    showreport(app);
    settle(500);
    const QSize free = QGuiApplication::primaryScreen()->availableGeometry().size();
    for (auto [window, form] : {std::pair<QWidget*, const Form*>{&program->main, &mainwindow(app)},
                                {&program->unit, &app.form1}, {&program->report, &app.display}}) {
        const QSize frame = windowframe(*window).size();
        EXPECT_LE(frame.width(), free.width()) << form->name << " framed " << ::testing::PrintToString(frame);
        EXPECT_LE(frame.height(), free.height()) << form->name << " framed " << ::testing::PrintToString(frame);
        EXPECT_LE(form->Width(), free.width() * pixel()) << form->name;
        EXPECT_LE(form->Height(), free.height() * pixel()) << form->name;
    }
}

// The unit window maximized and restored by the compositor, then closed while maximized, keeps
// its form's place throughout, and shows there again (the frame a Wayland window is told lies
// above and left of the screen's corner by the frame's offset: it is never the form's place).
TEST_F(OnWayland, TheUnitFormKeepsItsPlaceThroughAMaximizeARestoreAndAClose) {
    plantsofoneunit(app, 2);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    expectshownatonce(program->unit, program->unit.binding());
    UnitView& unit = program->unit;
    const Place held = placeof(app.form1);
    ASSERT_NE(held, (Place{0, 0})) << "the unit window opens in the screen's corner: a move there would not show";

    unit.showMaximized();
    ASSERT_TRUE(waitfor([&] { return unit.isMaximized(); })) << "the compositor did not maximize the window";
    expectplacekept(app.form1, unit.binding(), held);
    unit.showNormal();
    ASSERT_TRUE(waitfor([&] { return !unit.isMaximized(); })) << "the compositor did not restore the window";
    expectplacekept(app.form1, unit.binding(), held);

    unit.showMaximized();
    ASSERT_TRUE(waitfor([&] { return unit.isMaximized(); })) << "the compositor did not maximize the window";
    unit.close();
    ASSERT_TRUE(waitfor([&] { return !unit.isVisible(); })) << "the window did not close";
    EXPECT_EQ(placeof(app.form1), held) << "closed while maximized";
    ASSERT_TRUE(selectunit(app, 2));
    cmdevaluateunit_Click(app);
    expectshownatonce(unit, unit.binding());
    expectplacekept(app.form1, unit.binding(), held);
}

}  // namespace
}  // namespace brasket::gui::desktop
