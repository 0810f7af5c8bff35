// The frames of the program's windows as the X server itself tells them: a connection of its own
// watches the root window's children (the window managers' frames, and a window that no window
// manager frames), and notes each place and size at which such a window was mapped or moved while
// on the screen. What the analyst saw is read there, not from the program's own reading of its
// frame, and not by polling, which would miss a frame shown for a moment.
#pragma once
#include <QElapsedTimer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <map>
#include <set>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace brasket::gui::desktop {

// A frame seen on the screen: the root window's child holding the window, mapped at that place
// and size (borders included) `ms` after the watch began.
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
    QRect toldframe(const QWidget& window);
    bool maximized(const QWidget& window);
    // The frame seen for a showing as the analyst sees it: the root window's child less the
    // borders that the window manager does not draw (where it composites a frame, it offers its
    // edges outside the frame it tells), reckoned from where the window stands now.
    std::vector<SeenFrame> visible(const QWidget& window);
    // Milliseconds since the last restart.
    qint64 elapsed() const { return since_.elapsed(); }

private:
    struct TopLevel {
        QRect frame;
        bool mapped = false;
    };
    struct Noted {
        unsigned toplevel;
        QRect frame;
        qint64 ms;
    };
    // The root window's child that holds a window (the window itself when it is one).
    unsigned toplevelof(unsigned window);
    TopLevel& known(unsigned toplevel);
    unsigned atom(const char* name);
    void note(unsigned toplevel);
    void takeone(xcb_generic_event_t* event, std::set<unsigned>& shown);

    xcb_connection_t* connection_ = nullptr;
    unsigned root_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<unsigned, TopLevel> toplevels_;
    // Each window reparented while watched, with every window it was put in.
    std::multimap<unsigned, unsigned> holders_;
    std::vector<Noted> noted_;
    // The size of the window that each frame was given to hold, as it stood on the root window.
    std::map<unsigned, QSize> heldsizes_;
    QElapsedTimer since_;
};

// A frame seen as the failures tell it: "0,0 1024x715 at 412 ms".
QString describe(const std::vector<SeenFrame>& frames);

}  // namespace brasket::gui::desktop
