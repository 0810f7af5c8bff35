// The program's windows as the window manager comes and goes: at the program's start, the first
// window a window manager frames; once it has ended (crashed, quit by the analyst, or on its way
// to being replaced), showings that no window manager frames; once one starts again, showings as
// under it; and a window manager that stalls, as on a loaded machine. What the analyst sees is
// read from the X server's own events.
#include <QApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <thread>

#include "desktop.h"
#include "mainwindow/frmplants.h"
#include "report/frmdisplay.h"
#include "unitwindow/form1.h"
#include "xframes.h"

namespace brasket::gui::desktop {
namespace {

// A form's place and size, in pixels.
QRect formpixels(const Form& form) {
    return {pixels(form.Left()), pixels(form.Top()), pixels(form.Width()), pixels(form.Height())};
}

// The main window opens at its form's place and size, the screen's free area, in its normal
// state: a window mapped as large as the free area is maximized by some window managers (Xfce's
// whatever its functions), and the first window a window manager frames is mapped before any
// frame of it is known. Every run of the program is a first one.
TEST(DesktopStart, TheMainWindowOpensInItsNormalStateWhereItsFormAsks) {
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        FrameWatch watch;
        auto dir = testing::freshfolder("desktop-start");
        testing::QuietPlatform platform(dir);
        Program program(platform);
        program.start(dir);
        waitplaced(program.main, program.main.binding());
        settle(300);
        const auto seen = watch.seen(program.main);
        SCOPED_TRACE("seen at " + describe(seen).toStdString());
        EXPECT_FALSE(watch.maximized(program.main)) << "opened maximized";
        EXPECT_FALSE(program.main.isMaximized());
        EXPECT_EQ(windowframe(program.main), workarea());
        EXPECT_TRUE(toldbecomes(watch, program.main, workarea()));
        EXPECT_EQ(formpixels(mainwindow(program.app)), workarea());
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back().frame, workarea());
        for (const SeenFrame& s : seen) {
            EXPECT_TRUE(holds(screenarea, s.frame));
        }
    }
}

// The report window closed and opened again by the analyst, a new report each time, while the
// window manager has gone and once one has started again.
struct WithoutWindowManager : Desktop {
    FrameWatch watch;

    void TearDown() override {
        // The next tests need a window manager, and one that runs: a test that failed while it
        // was stopped lets it go on.
        resumewindowmanager();
        if (!windowmanagerruns()) {
            EXPECT_TRUE(startwindowmanager()) << "the window manager did not start again";
        }
    }

    // Waits until the showing is placed: it was seen once, at `wanted`, where the window and its
    // form are, and the X server has it on the screen. The frames seen go to the log.
    void expectseenonce(QWidget& window, FormBinding& binding, const Form& form, int n, const char* how,
                        const QRect& wanted) {
        waitplaced(window, binding);
        settle(150);
        const auto seen = watch.seen(window);
        std::printf("%s, %s, showing %d %s: seen at %s\n", qPrintable(windowmanager()), qPrintable(window.windowTitle()), n,
                    how, qPrintable(describe(seen)));
        EXPECT_TRUE(mappedonscreen(window)) << "shown by the program, but not on the screen";
        EXPECT_EQ(seen.size(), 1u) << "seen at " << describe(seen).toStdString();
        if (!seen.empty()) {
            EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
        }
        EXPECT_EQ(windowframe(window), wanted);
        EXPECT_EQ(formpixels(form), wanted);
    }
    void expectseenonce(int n, const char* how, const QRect& wanted) {
        expectseenonce(program->report, program->report.binding(), app.display, n, how, wanted);
    }

    // Once a window manager has started again, the open window is framed by it and placed anew
    // in its form's frame, `wanted`: placed once the window manager has framed it, and told so
    // by the window manager once it has carried that out.
    void expectframedanew(QWidget& window, FormBinding& binding, const QRect& wanted) {
        EXPECT_TRUE(waitfor([&] { return windowframe(window) != window.geometry(); })) << "the open window was not framed";
        // The placing begins once the window manager has been quiet a while after framing it.
        settle(500);
        EXPECT_TRUE(waitfor([&] { return !binding.placing(); }, 30000));
        EXPECT_TRUE(framebecomes(window, wanted));
        EXPECT_TRUE(toldbecomes(watch, window, wanted));
    }

    // The window manager is stopped, `show` shows the window, and the window manager ends `after`
    // ms later (killed, as when it crashes), the request to map the window held and not carried
    // out. Waits until the X server has the window on the screen and its placing is over; false
    // where it never came on the screen. The frames seen from the showing on go to the log.
    bool showtostoppedwindowmanager(QWidget& window, FormBinding& binding, const std::function<void()>& show,
                                    int after) {
        // A window manager that still holds the closed window would map it itself, in its old
        // frame: it has let go of it before it stops.
        EXPECT_TRUE(waitfor([&] { return withdrawn(window) && !mappedonscreen(window); }))
            << "the window manager kept the closed window";
        EXPECT_TRUE(stopwindowmanager()) << "no window manager to stop";
        watch.restart();
        show();
        QCoreApplication::processEvents();
        settle(after);
        EXPECT_TRUE(endwindowmanager(SIGKILL)) << "the window manager did not end";
        QElapsedTimer sinceend;
        sinceend.start();
        const bool shown = waitfor([&] { return mappedonscreen(window); });
        const qint64 ms = sinceend.elapsed();
        if (shown) waitfor([&] { return !binding.placing(); }, 30000);
        settle(300);
        const auto seen = watch.seen(window);
        std::printf("%s, %s, window manager ended %d ms after the showing: %s, seen at %s\n", qPrintable(windowmanager()),
                    qPrintable(window.windowTitle()), after,
                    shown ? qPrintable(QStringLiteral("on the screen %1 ms after its end").arg(ms))
                          : "never on the screen",
                    qPrintable(describe(seen)));
        return shown;
    }

    // The window shown to the stopped window manager is on the screen once it has ended (`shown`),
    // seen last without a frame at `wanted`, where its form is.
    void expectshownunframed(const QWidget& window, const Form& form, const QRect& wanted, bool shown) {
        EXPECT_TRUE(shown) << "not on the screen, though shown by the program"
                           << (window.isVisible() ? "" : " (it is not shown either)");
        const auto seen = watch.seen(window);
        EXPECT_FALSE(seen.empty()) << "never seen";
        if (!seen.empty()) {
            EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
        }
        EXPECT_TRUE(framebecomes(window, wanted));
        EXPECT_EQ(window.geometry(), wanted) << "a frame is reckoned that no window manager draws";
        EXPECT_EQ(formpixels(form), wanted);
    }

    // Exit, then a new report: the showing is done once the handler has ended. The frames are
    // watched from the new report on.
    void reopen(int n) {
        displayexit(app);
        QCoreApplication::processEvents();
        EXPECT_FALSE(program->report.isVisible()) << "Exit did not close the window";
        watch.restart();
        writereport(app, "Report " + std::to_string(n));
        showreport(app);
        QCoreApplication::processEvents();
    }
};

// Once the window manager has gone, nothing frames a window or lets go of a closed one: a showing
// waits for no window manager and is placed for no frame, as in a program started without one
// (the report window at 0,0 1024x715, seen there alone). A window closed then stays closed when a
// window manager starts again, and the showings are framed by it, where the form asks.
TEST_F(WithoutWindowManager, ShowingsAreAtOnceAndUnframedAndFramedOnceOneStartsAgain) {
    ReportView& report = program->report;
    showplacedreport("Report 0");
    ASSERT_TRUE(endwindowmanager()) << "the window manager did not end";
    const QRect wanted(0, 0, 1024, 715);
    // The window open when the window manager ended takes the form's frame without a frame.
    EXPECT_TRUE(framebecomes(report, wanted));
    EXPECT_TRUE(waitfor([&] { return !report.binding().placing(); }));
    EXPECT_EQ(report.geometry(), wanted);
    EXPECT_EQ(formpixels(app.display), wanted);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE("showing " + std::to_string(n) + " without a window manager");
        reopen(n);
        EXPECT_TRUE(report.isVisible()) << "the showing waits though no window manager runs";
        expectseenonce(n, "without a window manager", wanted);
        EXPECT_EQ(report.geometry(), wanted) << "a frame is reckoned that no window manager draws";
    }

    // Closed while none runs, the report window stays closed when one starts: the state that the
    // ended one kept on it (normal, as it was open then) is gone with it, and the new one takes it
    // for no window of its own. The main window, open, is framed by it in its form's frame.
    displayexit(app);
    QCoreApplication::processEvents();
    ASSERT_TRUE(startwindowmanager()) << "the window manager did not start again";
    EXPECT_TRUE(framebecomes(program->main, workarea())) << "the main window";
    settle(2000);
    EXPECT_FALSE(mappedonscreen(report)) << "the closed window came back on the screen";
    EXPECT_TRUE(withdrawn(report)) << "the window manager took the closed window";
    for (int n = 11; n <= 15; ++n) {
        SCOPED_TRACE("showing " + std::to_string(n) + " under a window manager started again");
        reopen(n);
        expectseenonce(n, "under a window manager started again", wanted);
        EXPECT_TRUE(toldbecomes(watch, report, wanted));
        EXPECT_NE(report.geometry(), wanted) << "not framed";
        EXPECT_FALSE(watch.maximized(report));
    }
}

// How long after a showing the stopped window manager ends, in ms: at once, while the program
// still waits for the window to come on the screen, and well after it asked for its place.
constexpr int endingsafter[] = {50, 300, 1000};

// A window manager stopped (on a machine too busy to run it) holds the request to map a window
// shown meanwhile, and ends (crashes) before it carries it out: the request ends with it. The
// window is shown all the same once no window manager runs, without a frame, where its form asks;
// it is shown again without one, and framed once one starts again.
TEST_F(WithoutWindowManager, AReportWindowShownWhileTheWindowManagerIsStoppedIsShownWhenItEnds) {
    ReportView& report = program->report;
    const QRect wanted(0, 0, 1024, 715);
    showplacedreport("Report 0");
    int n = 0;
    for (int after : endingsafter) {
        SCOPED_TRACE("window manager ended " + std::to_string(after) + " ms after the showing");
        displayexit(app);
        const bool shown = showtostoppedwindowmanager(report, report.binding(), [&] {
            writereport(app, "Report " + std::to_string(++n));
            showreport(app);
        }, after);
        expectshownunframed(report, app.display, wanted, shown);

        reopen(++n);
        expectseenonce(n, "without a window manager", wanted);
        EXPECT_EQ(report.geometry(), wanted) << "a frame is reckoned that no window manager draws";

        ASSERT_TRUE(startwindowmanager()) << "the window manager did not start again";
        expectframedanew(report, report.binding(), wanted);
        reopen(++n);
        expectseenonce(n, "under a window manager started again", wanted);
        EXPECT_TRUE(toldbecomes(watch, report, wanted));
        EXPECT_NE(report.geometry(), wanted) << "not framed";
        EXPECT_FALSE(watch.maximized(report));
    }
}

// The same of the unit window, closed by the window manager (its title bar's close button) and
// shown on a unit. Without a window manager it cannot be closed: the next unit is shown in it.
TEST_F(WithoutWindowManager, AUnitWindowShownWhileTheWindowManagerIsStoppedIsShownWhenItEnds) {
    UnitView& unit = program->unit;
    showplacedunit(3, 1);
    // Its place and size: the form's, as its first showing left them.
    const QRect wanted = formpixels(app.form1);
    ASSERT_EQ(windowframe(unit), wanted);
    int n = 0;
    const auto evaluate = [&] {
        ++n;
        ASSERT_TRUE(selectunit(app, 1 + n % 3));
        cmdevaluateunit_Click(app);
    };
    for (int after : endingsafter) {
        SCOPED_TRACE("window manager ended " + std::to_string(after) + " ms after the showing");
        closebywindowmanager(unit);
        const bool shown = showtostoppedwindowmanager(unit, unit.binding(), evaluate, after);
        expectshownunframed(unit, app.form1, wanted, shown);

        // Another unit, the window open, no window manager running.
        evaluate();
        waitplaced(unit, unit.binding());
        EXPECT_TRUE(mappedonscreen(unit)) << "shown by the program, but not on the screen";
        EXPECT_TRUE(framebecomes(unit, wanted));
        EXPECT_EQ(unit.geometry(), wanted);
        EXPECT_EQ(app.form1.Caption(), "Unit evaluation: " + std::to_string(1 + n % 3));

        ASSERT_TRUE(startwindowmanager()) << "the window manager did not start again";
        expectframedanew(unit, unit.binding(), wanted);
        closebywindowmanager(unit);
        watch.restart();
        evaluate();
        expectseenonce(unit, unit.binding(), app.form1, n, "under a window manager started again", wanted);
        EXPECT_TRUE(toldbecomes(watch, unit, wanted));
        EXPECT_NE(unit.geometry(), wanted) << "not framed";
        EXPECT_FALSE(watch.maximized(unit));
    }
}

// The window manager keeps a minimized window off the screen. When it ends (it quits, or it
// crashes and the X server gives its windows back to the screen where their own areas stood in
// their frames), the report window is shown in its normal state, in its form's frame without a
// frame around it, not at the smaller place its own area had in the frame.
TEST_F(WithoutWindowManager, AMinimizedReportWindowIsShownInItsFormsFrameWhenTheWindowManagerEnds) {
    ReportView& report = program->report;
    const QRect wanted(0, 0, 1024, 715);
    showplacedreport("Report 0");
    for (int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal == SIGTERM ? "the window manager quits" : "the window manager crashes");
        minimize(report);
        watch.restart();
        ASSERT_TRUE(endwindowmanager(signal)) << "the window manager did not end";
        const bool shown = waitfor([&] { return mappedonscreen(report); });
        // The window manager's end is looked at once the X server has given the window back: the
        // window is placed then.
        const bool placed = waitfor([&] {
            return !report.isMinimized() && windowframe(report) == wanted && !report.binding().placing();
        });
        settle(300);
        const auto seen = watch.seen(report);
        std::printf("%s, minimized report window, the window manager %s: %s, at %s, seen at %s\n",
                    qPrintable(windowmanager()), signal == SIGTERM ? "quit" : "crashed",
                    shown ? "on the screen" : "not on the screen", qPrintable(describe({{windowframe(report), 0}})),
                    qPrintable(describe(seen)));
        EXPECT_TRUE(shown) << "left off the screen";
        EXPECT_TRUE(placed) << (report.isMinimized() ? "still minimized to the program" : "not placed");
        EXPECT_TRUE(framebecomes(report, wanted));
        EXPECT_EQ(report.geometry(), wanted) << "a frame is reckoned that no window manager draws";
        EXPECT_EQ(formpixels(app.display), wanted);
        if (!seen.empty()) {
            EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
        }
        ASSERT_TRUE(startwindowmanager()) << "the window manager did not start again";
        expectframedanew(report, report.binding(), wanted);
    }
}

// A window manager that stalls, as one on a loaded machine does: stopped for `stallms` at a time
// and let run for a moment between, from the making of this until its end. The moment is 20 ms
// of its own time (and the X server's): on a machine whose every core is busy it waits for a
// processor besides, and would otherwise be stopped again before it ran.
class StallingWindowManager {
public:
    explicit StallingWindowManager(int stallms) : pid_(qEnvironmentVariableIntValue("BRASKET_WM_PID")) {
        if (pid_ <= 0) return;
        stalls_ = std::thread([this, stallms] {
            while (!done_) {
                kill(static_cast<pid_t>(pid_), SIGSTOP);
                for (int ms = 0; ms < stallms && !done_; ms += 10) std::this_thread::sleep_for(std::chrono::milliseconds(10));
                kill(static_cast<pid_t>(pid_), SIGCONT);
                const WorkClock turn(false);
                while (turn.elapsed() < 20) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~StallingWindowManager() {
        done_ = true;
        if (stalls_.joinable()) stalls_.join();
        if (pid_ > 0) kill(static_cast<pid_t>(pid_), SIGCONT);
    }

private:
    long pid_;
    std::atomic<bool> done_{false};
    std::thread stalls_;
};

// Under a window manager that stalls longer than the program waits for it anywhere (stopped eight
// seconds at a time, then twelve, and let run 20 ms between), the report window closed (by Exit,
// or by Exit while maximized) and loaded again ends where its form asks, every time: in its normal
// state, at the form's place and size. What the program asked while the window manager was
// stopped (the showing's map, its place, the maximize withheld) is carried out all at once when
// the window manager catches up, long after the program gave up waiting: none of it may maximize
// the window or leave it elsewhere.
TEST_F(Desktop, UnderAStallingWindowManagerEveryReportWindowEndsWhereItsFormAsks) {
    ReportView& report = program->report;
    const QRect wanted(0, 0, 1024, 715);
    FrameWatch watch;
    showplacedreport("Report 0");
    const int count = qEnvironmentVariableIntValue("BRASKET_SHOWINGS") > 0 ? qEnvironmentVariableIntValue("BRASKET_SHOWINGS") : 4;
    for (int n = 1; n <= count; ++n) {
        const bool maximized = n % 2 == 0;
        // The first half of the showings under stalls of eight seconds, the others of twelve.
        const int stallms = 2 * n <= count ? 8000 : 12000;
        SCOPED_TRACE("showing " + std::to_string(n) + (maximized ? ", after a maximized Exit" : ", after Exit") +
                     ", stalls of " + std::to_string(stallms / 1000) + " s");
        if (maximized) maximize(report);
        {
            StallingWindowManager stalls(stallms);
            if (maximized) clickat(*report.binding().widget(app.display.Command1));
            else displayexit(app);
            // The window manager gets 20 ms at a time, less of the processor on a busy machine: it
            // takes its time, a few of its turns for each step.
            ASSERT_TRUE(waitfor([&] { return !report.isVisible(); }, 120000)) << "the window did not close";
            watch.restart();
            writereport(app, "Report " + std::to_string(n));
            showreport(app);
            // The program gives up waiting for the window manager well before it catches up.
            ASSERT_TRUE(waitfor([&] { return report.isVisible() && !report.binding().placing(); }, 120000))
                << "never settled";
            settle(2500);
        }
        // The window manager catches up with whatever was asked of it, and the program with what
        // the window manager then does.
        settle(1000);
        ASSERT_TRUE(waitfor([&] { return !report.binding().placing(); }, 60000));
        waitfor([&] {
            return windowframe(report) == wanted && watch.toldframe(report) == wanted && !watch.maximized(report) &&
                   formpixels(app.display) == wanted;
        });
        const auto seen = watch.seen(report);
        std::printf("%s, stalls of %d s, showing %d%s: seen at %s; settled %s\n", qPrintable(windowmanager()),
                    stallms / 1000, n, maximized ? " after a maximized Exit" : "", qPrintable(describe(seen)),
                    seen.empty() ? "never" : qPrintable(QStringLiteral("%1 ms after the showing").arg(seen.back().ms)));
        EXPECT_TRUE(mappedonscreen(report)) << "not on the screen";
        EXPECT_FALSE(watch.maximized(report)) << "maximized; seen at " << describe(seen).toStdString();
        EXPECT_FALSE(report.isMaximized());
        EXPECT_EQ(windowframe(report), wanted) << "seen at " << describe(seen).toStdString();
        EXPECT_EQ(watch.toldframe(report), wanted);
        EXPECT_EQ(formpixels(app.display), wanted);
        ASSERT_FALSE(seen.empty()) << "never seen";
        EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
    }
}

// The window manager stopped at the pick, once it has let go of the window closed before, and
// kept stopped longer than any wait of the program's own (twelve seconds, as a machine that is
// swapping keeps it): the report window it maps when it goes on is in its normal state, where
// its form asks, also after a maximized Exit. GNOME's window manager maximizes a window as large
// as that which it maps with nothing to hold it back.
TEST_F(Desktop, AReportWindowPickedWhileTheWindowManagerIsStoppedOpensNormalWhenItGoesOn) {
    ReportView& report = program->report;
    const QRect wanted(0, 0, 1024, 715);
    FrameWatch watch;
    showplacedreport("Report 0");
    for (bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "after a maximized Exit" : "after Exit");
        if (maximized) maximize(report);
        if (maximized) clickat(*report.binding().widget(app.display.Command1));
        else displayexit(app);
        ASSERT_TRUE(waitfor([&] { return !report.isVisible() && withdrawn(report) && !mappedonscreen(report); }))
            << "the window manager kept the closed window";
        {
            // Let go on whatever becomes of the test.
            struct Stopped {
                Stopped() { EXPECT_TRUE(stopwindowmanager()) << "no window manager to stop"; }
                ~Stopped() { resumewindowmanager(); }
            } stopped;
            watch.restart();
            writereport(app, maximized ? "Report 2" : "Report 1");
            showreport(app);
            settle(12000);
        }
        ASSERT_TRUE(waitfor([&] { return mappedonscreen(report) && !report.binding().placing(); }, 60000)) << "never settled";
        waitfor([&] {
            return windowframe(report) == wanted && watch.toldframe(report) == wanted && !watch.maximized(report) &&
                   formpixels(app.display) == wanted;
        });
        settle(1000);
        const auto seen = watch.seen(report);
        std::printf("%s, stopped at the pick for 12 s%s: seen at %s\n", qPrintable(windowmanager()),
                    maximized ? ", after a maximized Exit" : "", qPrintable(describe(seen)));
        EXPECT_FALSE(watch.maximized(report)) << "maximized; seen at " << describe(seen).toStdString();
        EXPECT_FALSE(report.isMaximized());
        EXPECT_EQ(windowframe(report), wanted) << "seen at " << describe(seen).toStdString();
        EXPECT_EQ(watch.toldframe(report), wanted);
        EXPECT_EQ(formpixels(app.display), wanted);
        ASSERT_FALSE(seen.empty()) << "never seen";
        EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
    }
}

}  // namespace
}  // namespace brasket::gui::desktop
