// The frames of the program's windows as the X server itself tells them: a connection of its own
// watches the root window's children (the window managers' frames, and a window that no window
// manager frames) and notes each place and size at which the frame around a window was mapped or
// moved while on the screen. What the analyst saw is read there, not from the program's own
// reading of its frame, and not by polling, which would miss a frame shown for a moment.
#pragma once
#include <QElapsedTimer>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <set>
#include <vector>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace brasket::gui::desktop {

// The display's atom of a name, made when the display has none yet.
xcb_atom_t xatom(xcb_connection_t* connection, const char* name);

// A frame seen on the screen, title bar and borders as drawn, `ms` after the watch (re)started.
struct SeenFrame {
    QRect frame;
    qint64 ms = 0;
    bool operator==(const SeenFrame& other) const { return frame == other.frame; }
};

class FrameWatch {
public:
    FrameWatch();
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    // Forgets what was seen so far: a new showing is watched from here.
    void restart();
    // The frames that the window has been seen in since the last restart, in order, each one
    // differing from the one before.
    std::vector<SeenFrame> seen(const QWidget& window);
    // Takes in the events that the X server has told so far (done by the event loop too).
    void take();
    // The window's frame as the window manager tells it on the window (_NET_FRAME_EXTENTS around
    // the window's place on the screen), and whether it has the window maximized (_NET_WM_STATE).
    QRect toldframe(const QWidget& window) { return toldframe(static_cast<unsigned>(window.winId())); }
    bool maximized(const QWidget& window);

private:
    struct TopLevel {
        QRect outer;           // the root window's child, borders the window manager does not draw included
        bool mapped = false;
        unsigned held = 0;     // the window it was made to hold, if any
    };
    struct Noted {
        unsigned window;       // the window framed
        QRect frame;
        qint64 ms;
    };
    // The root window's child that holds a window (the window itself when it is one).
    unsigned toplevelof(unsigned window);
    TopLevel& known(unsigned toplevel);
    QRect toldframe(unsigned window);
    void note(unsigned toplevel);
    void takeone(xcb_generic_event_t* event, std::set<unsigned>& shown);

    xcb_connection_t* connection_ = nullptr;
    unsigned root_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<unsigned, TopLevel> toplevels_;
    std::vector<Noted> noted_;
    QElapsedTimer since_;
};

// Frames seen as the failures tell them: "0,0 1024x715 at 412 ms; ...".
QString describe(const std::vector<SeenFrame>& frames);

}  // namespace brasket::gui::desktop
