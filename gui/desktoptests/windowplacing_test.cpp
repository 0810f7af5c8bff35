// The report and unit windows shown over and over, as a busy analyst's machine shows them: loaded
// afresh, loaded after a close while maximized, and given a new report or unit while open, with
// the window manager kept from working for a while around some showings and one busy loop a core
// beside them. What the analyst sees is read from the X server's own events: every showing maps
// the window at the form's place and size in its normal state, is never seen at another place or
// size on the way, and the form holds that place.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "desktop.h"
#include "report/frmdisplay.h"
#include "unitwindow/form1.h"
#include "xframes.h"

namespace brasket::gui::desktop {
namespace {

// The number of showings: BRASKET_SHOWINGS when given (a long run by hand), else a short run.
int showings(int otherwise) {
    const int n = qEnvironmentVariableIntValue("BRASKET_SHOWINGS");
    return n > 0 ? n : otherwise;
}

// A machine with every core busy: one busy loop a core, so that the
// program and the window manager get the processor later than they ask for it, in turns that
// vary from showing to showing.
class BusyMachine {
public:
    BusyMachine() {
        for (int k = 0; k < QThread::idealThreadCount(); ++k) {
            auto loop = std::make_unique<QProcess>();
            loop->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            loops_.push_back(std::move(loop));
        }
    }
    ~BusyMachine() {
        for (auto& loop : loops_) {
            loop->kill();
            loop->waitForFinished(2000);
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> loops_;
};

// One showing as the X server told it.
struct Showing {
    QString how;
    std::vector<SeenFrame> seen;  // the frames seen on the screen
    QRect told;                   // the frame the window ends in
    bool maximized = false;
    long left = 0, top = 0;       // the form's place, in twips
    qint64 settledms = 0;         // to the last frame seen
};

// The showings of one window, and what each must end with.
class Showings {
public:
    Showings(QWidget& window, FormBinding& binding, const Form& form) : window_(window), binding_(binding), form_(form) {}

    // Watches a showing from here.
    void begin() { watch_.restart(); }
    // Waits until the showing has settled and notes it.
    void end(const QString& how) {
        ASSERT_TRUE(waitfor([&] { return window_.isVisible() && !binding_.placing(); })) << how.toStdString() << " never settled";
        settle(150);
        Showing s{how, watch_.seen(window_), watch_.toldframe(window_), watch_.maximized(window_), form_.Left(),
                  form_.Top(), 0};
        if (!s.seen.empty()) s.settledms = s.seen.back().ms;
        done_.push_back(s);
    }
    std::size_t count() const { return done_.size(); }

    // Every showing ended at `wanted` in its normal state, the form at its place, and was seen
    // nowhere else; the figures go to the log.
    void expectall(const QRect& wanted) {
        int others = 0, maximized = 0, above = 0;
        std::vector<qint64> times;
        for (const Showing& s : done_) {
            SCOPED_TRACE(s.how.toStdString() + ", seen at " + describe(s.seen).toStdString());
            times.push_back(s.settledms);
            if (s.seen.size() > 1) others += static_cast<int>(s.seen.size()) - 1;
            if (s.maximized) ++maximized;
            if (std::any_of(s.seen.begin(), s.seen.end(), [](const SeenFrame& f) { return f.frame.top() < 0; })) ++above;
            EXPECT_LE(s.seen.size(), 1u) << "seen elsewhere than its last frame";
            EXPECT_FALSE(s.maximized);
            EXPECT_EQ(s.told, wanted);
            if (!s.seen.empty()) {
                EXPECT_EQ(s.seen.back().frame, wanted);
            }
            EXPECT_EQ(s.left, twips(wanted.left()));
            EXPECT_EQ(s.top, twips(wanted.top()));
        }
        std::sort(times.begin(), times.end());
        if (!times.empty())
            std::printf("%s, %s: %zu showings, %d frames seen other than the last, %d reopened maximized, %d with the title "
                        "bar above the screen; showing to settled place: median %lld ms, most %lld ms\n",
                        qPrintable(windowmanager()), qPrintable(window_.windowTitle()), done_.size(), others, maximized,
                        above, static_cast<long long>(times[times.size() / 2]), static_cast<long long>(times.back()));
    }

private:
    QWidget& window_;
    FormBinding& binding_;
    const Form& form_;
    FrameWatch watch_;
    std::vector<Showing> done_;
};

// Pauses of the window manager around a showing, in ms; 0 leaves it alone.
constexpr int pauses[] = {0, 40, 120, 250, 0, 80, 200, 350};

// How a window is shown and closed: `show(n)` shows it (the n-th time), `close(pause)` closes it,
// the window manager paused for that long where the close does not need it, and
// `closemaximized()` closes it maximized, as the analyst does.
struct ShowAndClose {
    std::function<void(int)> show;
    std::function<void(int)> close;
    std::function<void()> closemaximized;
    QString whileopen;  // what a showing while open is
};

// Shows a window over and over, beside one busy loop a core, until `count` showings are noted:
// in turn a load after a close, a load after a close while maximized (by the title bar), and a
// showing while open, the window manager paused around some of them.
void showover(Showings& done, QWidget& window, int count, const ShowAndClose& ways) {
    const auto& [show, close, closemaximized, whileopen] = ways;
    BusyMachine busymachine;
    int n = 0;
    while (static_cast<int>(done.count()) < count) {
        int pause = pauses[n % 8];
        const int kind = n % 3;
        ++n;
        QString how;
        if (kind == 0) {
            how = QStringLiteral("load");
            if (window.isVisible()) close(pause);
        } else if (kind == 1) {
            how = QStringLiteral("load after a maximized close");
            if (!window.isVisible()) {
                done.begin();
                show(n);
                done.end(QStringLiteral("load"));
            }
            maximize(window);
            closemaximized();
            ASSERT_TRUE(waitfor([&] { return !window.isVisible(); })) << "the window did not close";
            pause = 0;
        } else {
            how = whileopen;
            if (!window.isVisible()) continue;
        }
        done.begin();
        {
            WindowManagerPause busy(pause);
            show(n);
            QCoreApplication::processEvents();
        }
        done.end(how + QStringLiteral(", window manager paused %1 ms").arg(pause));
    }
}

TEST_F(Desktop, EveryShowingOfTheReportWindowIsSeenOnlyWhereTheFormAsks) {
    ReportView& report = program->report;
    Showings done(report, report.binding(), app.display);
    ShowAndClose how;
    how.show = [&](int n) {
        writereport(app, "Report " + std::to_string(n));
        showreport(app);
    };
    // Exit, which needs no window manager; maximized, a click on the button.
    how.close = [&](int pause) {
        WindowManagerPause busy(pause);
        displayexit(app);
        QCoreApplication::processEvents();
    };
    how.closemaximized = [&] { clickat(*report.binding().widget(app.display.Command1)); };
    how.whileopen = QStringLiteral("new report while open");
    showover(done, report, showings(36), how);
    done.expectall(QRect(0, 0, 1024, 715));
}

TEST_F(Desktop, EveryShowingOfTheUnitWindowIsSeenOnlyWhereTheFormAsks) {
    UnitView& unit = program->unit;
    Showings done(unit, unit.binding(), app.form1);
    plantsofoneunit(app, 3);
    ShowAndClose how;
    how.show = [&](int n) {
        ASSERT_TRUE(selectunit(app, 1 + n % 3));
        cmdevaluateunit_Click(app);
    };
    // Closed as its title bar's close button closes it, through the window manager.
    how.close = [&](int) { closebywindowmanager(unit); };
    how.closemaximized = [&] { closebywindowmanager(unit); };
    how.whileopen = QStringLiteral("another unit while open");
    // The unit window's normal place and size: that of its first showing.
    done.begin();
    how.show(0);
    done.end(QStringLiteral("load"));
    const QRect normal = windowframe(unit);
    showover(done, unit, showings(12), how);
    done.expectall(normal);
}

}  // namespace
}  // namespace brasket::gui::desktop
