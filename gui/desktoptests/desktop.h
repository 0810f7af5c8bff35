// Helpers of the window tests on an X screen with a window manager (on-desktop.sh starts both):
// waiting for the program and the window manager, the analyst's hand on the mouse and the
// keyboard through the X server, the window manager's stacking, and small working sets.
#pragma once
#include <QElapsedTimer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "app.h"
#include "look.h"
#include "program.h"
#include "support.h"

// Places, sizes and texts as the failures tell them.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << p.x() << "," << p.y(); }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace brasket::gui::desktop {

class FrameWatch;

inline const QRect screenarea(0, 0, 1024, 768);

// The window manager the screen runs ("openbox", "metacity").
QString windowmanager();

// The time that the program, the X server and the window manager have had to work since the
// clock started: the wall clock's, less the longest that one of them waited for a processor (its
// run-queue wait as the kernel counts it, /proc/PID/schedstat). On a machine whose every core is
// busy it runs slower than the wall clock, as their work does; on a quiet one the same. Without
// the program (`withprogram` false) it is the window manager's and the X server's alone.
class WorkClock {
public:
    explicit WorkClock(bool withprogram = true);
    void start();
    qint64 elapsed() const;  // in ms

private:
    // The processes counted (the window manager's is read anew, as it may have been started
    // again) and their run-queue waits when the clock started, in ns.
    std::vector<long> pids() const;
    bool withprogram_;
    QElapsedTimer wall_;
    mutable std::map<long, qint64> waited_;
};

// Lets the program and the window manager work for a while, `ms` of their time (WorkClock).
void settle(int ms);
// Lets them work until `done` holds (true) or they have had `ms` (ten seconds) of their time to
// bring it about (false).
bool waitfor(const std::function<bool()>& done, int ms = 10000);
// Waits until the window manager has framed the window and the binding has placed it.
void waitplaced(QWidget& window, FormBinding& binding);
// Waits until the window's frame, title bar included, is `awaited`; a failure names the awaited
// and the last frame.
::testing::AssertionResult framebecomes(const QWidget& window, const QRect& awaited);
// Waits until the frame that the window manager tells around the window where the X server has it
// (FrameWatch::toldframe) is `awaited`: right after a placing or a window manager's start, the X
// server can still hold a place or size that the window manager has yet to carry out. A failure
// names the awaited and the last frame told.
::testing::AssertionResult toldbecomes(FrameWatch& watch, const QWidget& window, const QRect& awaited,
                                       int ms = 10000);
// The first area holds the second whole; a failure names both.
::testing::AssertionResult holds(const QRect& outer, const QRect& inner);

// Runs a command of the X utilities and gives what it wrote; the program goes on meanwhile, so
// that it takes the events the command sends as they come.
QString x11(const QString& program, const QStringList& arguments);
// A step of the mouse or the keyboard through the X server, as the analyst's hand gives it
// (xdotool's arguments); the program and the window manager then take it in.
void hand(const QStringList& step);
// A click of the left button at a point of a widget, through the X server.
void clickat(const QWidget& widget, QPoint point);
inline void clickat(const QWidget& widget) { clickat(widget, widget.rect().center()); }
// A double click on the middle of the title bar: maximizes a window, or restores a maximized one;
// maximize and restore wait until the window manager has done so.
void doubleclicktitle(const QWidget& window);
void maximize(QWidget& window);
void restore(QWidget& window);
// The frame that the window manager restores a maximized window to whose frame was `normal`
// before: that frame, but for GNOME's window manager, which restores a window that took more than
// four fifths of the work area to four fifths of it, in the same proportions, at the same corner.
QRect restoredframe(const QRect& normal);
// The window goes to the task bar, as its title bar's minimize button sends it.
void minimize(QWidget& window);
// Alt+F4, the window manager's key for closing the window that has the keyboard.
void closebykeyboard(QWidget& window);
// The window manager is asked to close the window, as its title bar's close button or a task bar
// asks it (_NET_CLOSE_WINDOW); it tells the program, which closes the window.
void closebywindowmanager(QWidget& window);
// The window manager's own window around a window (its ancestor just below the root window), as
// the X server has it: borders the window manager does not draw, where it offers its edges
// around a composited frame, included.
QRect framewindow(const QWidget& window);
// A point of the frame window's bottom border, just below the window's own area: where the
// analyst takes the bottom edge to size the window, whatever frame the window manager draws.
QPoint bottomedge(const QWidget& window);
// Keys typed through the X server into the window that has the keyboard, a key at a time.
void typekeys(const QString& text);

// With BRASKET_SCREENSHOTS naming a folder, the whole screen, frames and title bars included, is
// kept there as NAME.png, prefixed with the window manager's name.
void picture(const char* name);

// The managed windows from bottom to top, as the window manager stacks them.
std::vector<WId> stacking();
long stackplace(const std::vector<WId>& ids, const QWidget& w);
// The window is on screen, above every other window of the program, and has the keyboard.
bool infront(const QWidget& w, const std::vector<const QWidget*>& others);
// The free area of the screen as the window manager gives it (_NET_WORKAREA).
QRect workarea();

// A busy machine: the window manager gets no time for a while, so that it frames and sizes a
// window only after the program has asked for the window's size.
class WindowManagerPause {
public:
    explicit WindowManagerPause(int ms);
    ~WindowManagerPause();

private:
    int ms_;
    long pid_;
};

// Whether a window manager runs: the screen's manager selection (WM_S0) has an owner.
bool windowmanagerruns();
// The window manager ends, as when it crashes or the analyst quits it, and the X server has
// let go of what it held (its selection and its check window): false where it did not end.
bool endwindowmanager();
// The same, by `signal`: SIGKILL ends it as a crash does, with no word to the windows it framed
// (the X server gives them back to the screen), a stopped one too.
bool endwindowmanager(int signal);
// The window manager is stopped (SIGSTOP), as a machine too busy to run it stops it: it keeps the
// screen, and the requests that need it (a window's mapping) wait for it. False where there is
// none to stop. resumewindowmanager lets it go on (SIGCONT), where it still runs.
bool stopwindowmanager();
void resumewindowmanager();
// The screen's window manager starts again, as on_desktop.sh started it, and takes the screen
// and the windows on it; later pauses stop it (BRASKET_WM_PID). False where it did not start.
bool startwindowmanager();

// A report of three pages of thirty lines under two header lines.
void writereport(App& app, const std::string& title);
// Plants of one unit each, burning bituminous coal, made in memory over an empty folder.
void plantsofoneunit(App& app, int count);

// The program started over an empty folder, its main window placed.
struct Desktop : ::testing::Test {
    std::filesystem::path dir = testing::freshfolder("desktop");
    testing::QuietPlatform platform{dir};
    std::unique_ptr<Program> program = std::make_unique<Program>(platform);
    App& app = program->app;

    void SetUp() override;
    // Every shown window's frame, title bar included, lies on the screen.
    void expectallonscreen();
    // Shows the report window on a report of three pages and waits until it is placed.
    void showplacedreport(const std::string& title = "Emission report");
    // Opens the unit window on unit `unit` of `count` plants of one unit and waits until it is
    // placed.
    void showplacedunit(int count = 1, int unit = 1);
};

}  // namespace brasket::gui::desktop
