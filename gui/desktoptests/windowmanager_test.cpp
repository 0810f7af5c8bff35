// The program's windows as the window manager comes and goes: at the program's start, the first
// window a window manager frames; once it has ended (crashed, quit by the analyst, or on its way
// to being replaced), showings that no window manager frames; once one starts again, showings as
// under it; and a window manager that stalls, as on a loaded machine. What the analyst sees is
// read from the X server's own events.
#include <QApplication>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "desktop.h"
#include "mainwindow/frmplants.h"
#include "report/frmdisplay.h"
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
        EXPECT_EQ(watch.toldframe(program.main), workarea());
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
        // The next tests need a window manager.
        if (!windowmanagerruns()) {
            EXPECT_TRUE(startwindowmanager()) << "the window manager did not start again";
        }
    }

    // Waits until the showing is placed: it was seen once, at `wanted`, where the window and its
    // form are. The frames seen go to the log.
    void expectseenonce(int n, const char* how, const QRect& wanted) {
        waitplaced(program->report, program->report.binding());
        settle(150);
        const auto seen = watch.seen(program->report);
        std::printf("%s, showing %d %s: seen at %s\n", qPrintable(windowmanager()), n, how, qPrintable(describe(seen)));
        EXPECT_EQ(seen.size(), 1u) << "seen at " << describe(seen).toStdString();
        if (!seen.empty()) {
            EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
        }
        EXPECT_EQ(windowframe(program->report), wanted);
        EXPECT_EQ(formpixels(app.display), wanted);
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
// (the report window at 0,0 1024x715, seen there alone). Once a window manager starts again, the
// showings are framed by it, where the form asks.
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

    ASSERT_TRUE(startwindowmanager()) << "the window manager did not start again";
    // The window manager frames the windows open when it starts, the report window among them,
    // which takes the form's frame with the frame the window manager draws: it fits the screen.
    EXPECT_TRUE(waitfor([&] { return windowframe(report) != report.geometry(); })) << "the open window was not framed";
    EXPECT_TRUE(waitfor([&] { return !report.binding().placing(); }));
    settle(500);
    EXPECT_TRUE(framebecomes(report, wanted));
    EXPECT_EQ(watch.toldframe(report), wanted);
    EXPECT_EQ(formpixels(app.display), wanted);
    EXPECT_EQ(windowframe(program->main), workarea()) << "the main window";
    for (int n = 11; n <= 15; ++n) {
        SCOPED_TRACE("showing " + std::to_string(n) + " under a window manager started again");
        reopen(n);
        expectseenonce(n, "under a window manager started again", wanted);
        EXPECT_EQ(watch.toldframe(report), wanted);
        EXPECT_NE(report.geometry(), wanted) << "not framed";
        EXPECT_FALSE(watch.maximized(report));
    }
}

// A window manager that stalls, as one on a loaded machine does: stopped for `stallms` at a time
// and let run for a moment between, from the making of this until its end.
class StallingWindowManager {
public:
    explicit StallingWindowManager(int stallms) : pid_(qEnvironmentVariableIntValue("BRASKET_WM_PID")) {
        if (pid_ <= 0) return;
        stalls_ = std::thread([this, stallms] {
            while (!done_) {
                kill(static_cast<pid_t>(pid_), SIGSTOP);
                for (int ms = 0; ms < stallms && !done_; ms += 10) std::this_thread::sleep_for(std::chrono::milliseconds(10));
                kill(static_cast<pid_t>(pid_), SIGCONT);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
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

// Under a window manager stopped two seconds at a time, the report window closed (by Exit, or by
// Exit while maximized) and loaded again ends where its form asks, every time: what the program
// asked while the window manager was stopped is not carried out on top of a later request.
TEST_F(Desktop, UnderAStallingWindowManagerEveryReportWindowEndsWhereItsFormAsks) {
    ReportView& report = program->report;
    const QRect wanted(0, 0, 1024, 715);
    FrameWatch watch;
    showplacedreport("Report 0");
    const int count = qEnvironmentVariableIntValue("BRASKET_SHOWINGS") > 0 ? qEnvironmentVariableIntValue("BRASKET_SHOWINGS") : 4;
    for (int n = 1; n <= count; ++n) {
        const bool maximized = n % 2 == 0;
        SCOPED_TRACE("showing " + std::to_string(n) + (maximized ? ", after a maximized Exit" : ", after Exit"));
        if (maximized) maximize(report);
        watch.restart();
        {
            StallingWindowManager stalls(2000);
            if (maximized) clickat(*report.binding().widget(app.display.Command1));
            else displayexit(app);
            // The window manager gets 20 ms in two seconds: on a busy machine it takes a while.
            ASSERT_TRUE(waitfor([&] { return !report.isVisible(); }, 30000)) << "the window did not close";
            writereport(app, "Report " + std::to_string(n));
            showreport(app);
            ASSERT_TRUE(waitfor([&] { return report.isVisible() && !report.binding().placing(); }, 30000))
                << "never settled";
            settle(2500);
        }
        // The window manager has caught up with whatever was asked of it.
        settle(500);
        ASSERT_TRUE(waitfor([&] { return !report.binding().placing(); }, 30000));
        settle(300);
        const auto seen = watch.seen(report);
        std::printf("%s, stalling, showing %d%s: seen at %s\n", qPrintable(windowmanager()), n,
                    maximized ? " after a maximized Exit" : "", qPrintable(describe(seen)));
        EXPECT_EQ(windowframe(report), wanted) << "seen at " << describe(seen).toStdString();
        EXPECT_EQ(watch.toldframe(report), wanted);
        EXPECT_FALSE(watch.maximized(report));
        EXPECT_EQ(formpixels(app.display), wanted);
        if (!seen.empty()) {
            EXPECT_EQ(seen.back().frame, wanted) << "seen at " << describe(seen).toStdString();
        }
    }
}

}  // namespace
}  // namespace brasket::gui::desktop
