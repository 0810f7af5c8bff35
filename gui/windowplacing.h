// The showing and placing of a top-level window: shown, hidden and placed where its form asks,
// through the window manager that frames it on an X display (or the compositor of a Wayland
// session), and the place and size the analyst gives the window told back to the form. It knows
// the window alone, not the controls on it.
#pragma once
#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QEvent>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "windowsystem.h"

class QTimer;

namespace brasket::gui {

// Forgets the frame that the window manager drew around the program's windows: a program that
// starts knows none, and sizes its first window for the frame the window manager tells then.
void forgetframes();

class WindowPlacing : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit WindowPlacing(QWidget* window);
    ~WindowPlacing() override;

    // The form's place and size for its window, frame included, in pixels (none where the form
    // has no size yet); and the form taking the place and size the window has (the analyst's, or
    // the one the window system kept).
    std::function<std::optional<QRect>()> askedframe;
    std::function<void(const QRect&)> setformframe;

    // Brings the window to its form: shown where the form shows it (and `frontrequests`, the
    // form's count of requests to come to the front, asks for the front), hidden where it hides
    // it, otherwise placed where the form asks.
    void follow(bool visible, long frontrequests);
    // Shows the window whose showing waited for the end of the handler that showed it.
    void release();
    // True from a showing of the window until the window system has placed it where the form
    // asks and gone quiet: the sizes and places it reports meanwhile are its own steps (a window
    // manager framing the window), not the user's, and do not change the form.
    bool placing() const { return placing_; }

    // The window system's own events: the window taken into a window manager's frame, or given
    // back to the screen; a window manager's start and end.
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The form's frame (empty where it has no size).
    QRect formframe() const;
    // The form takes the window's frame as the window system tells it.
    void takeframe(const QRect& frame);
    // A frame in the middle of the free area of the window's screen.
    QRect centred(QRect frame) const;
    // A frame kept inside the free area of its screen (a smaller screen shrinks it).
    QRect fitted(QRect frame) const;
    // The frame's title bar and borders around the window's own area.
    QMargins framemargins() const;
    // Asks the window system for this frame (the window's own area is the frame less its
    // margins) and remembers the request, so that its report is known as an echo.
    void applyframe(const QRect& frame);
    // Places and sizes a hidden window for its showing on a window manager's desktop.
    void placehidden(QPoint place, QSize inner, const QMargins& frame);
    // The showing itself: the window in its normal state, at the form's place and size, mapped.
    void show();
    void hide();
    // Whether the waiting showing waits for the window manager still: to let go of the window
    // closed before, or to tell the frame it will draw.
    bool awaitwindowmanager();
    // While a window about as large as the free area is mapped, the window manager is told that
    // it cannot be maximized (and KDE's gets it at a fixed size); once on screen it can again.
    void withholdmaximize(bool withhold);
    // A move or resize that the window system reported: an echo of a request, a step of its
    // placing, or the user's.
    void reported(QEvent::Type type);
    // What the X server holds of the window (mapped or not, in a frame or not, the state a window
    // manager keeps on it, its place and size) and the window manager that runs are compared with
    // what the form asks, again and again, until they agree: a shown window whose window manager
    // started, ended or was replaced is placed anew in its form's frame once the window managers
    // have settled, one given back minimized by an ended window manager is shown normal, one
    // unmapped with no window manager left to map it is mapped, and a closed window given back to
    // the screen is unmapped and keeps no state that a window manager started later would take
    // up. True once they agree.
    bool agree();
    // Looks at the window again and again until it agrees with its form.
    void watchserver();
    // Whether what the window system reports of the window now is a window manager's doing (it is
    // taking the window into its frame, giving it back, or being replaced) rather than the user's.
    bool managerchanging() const;
    // The window manager started, ended or was replaced while the window was placed: the window is
    // placed anew, or shown again where its mapping was never served.
    void managerchangedwhileplacing();
    // Whether the window manager holds the window that the form shows in its normal state
    // maximized or full screen (as the X server holds it); it is asked to take that back.
    bool maximizedbymanager() const;
    void takebacknormal();
    // The window shows the frame `m` (`told` by the window manager): it is the frame of the
    // program's next windows, and a window sized before any frame was known is sized again with
    // it where no placing will (true then).
    bool knowframe(const QMargins& m, bool told);
    // Whether the report (with the window's frame as reported) answers a request of the placing.
    bool echo(QEvent::Type type, const QRect& frame);
    // The shown window is on screen: framed by the window manager and mapped.
    bool onscreen() const;
    void startplacing();
    // A placing of the shown window that asks for the form's frame once the window is on screen.
    void placeanew();
    void placingtick();
    // Once the window is framed and quiet while placing: asks once more for the form's frame where
    // the window system left the window elsewhere, allowing for the offset by which it missed the
    // last request; false when the window is where the form asks or a further request would change
    // nothing. On an X display it waits (true) until the window manager has told the frame and
    // carried out the requests asked before.
    bool correct();
    void endplacing();
    // The frame of a settled window in its normal state is the one the program's next windows are
    // sized for before they are framed.
    void notemargins();
    // The window's state as the widget and its native window hold it; whether that is the normal
    // state: neither maximized, full screen nor minimized.
    Qt::WindowStates states() const;
    bool isnormal() const;
    // The window manager maximized, restored or minimized the window.
    void statechanged(Qt::WindowStates old);
    // Once the window system has told the state and the frame that go with a move, resize or
    // state change: the form takes the window's frame, which is noted as the window's place and
    // size in the normal state when it is in that state; a window restored off the screen is put
    // back on it.
    void notenormalsoon();
    void notenormal();

    struct Request {
        QSize size;   // of the window's own area
        QPoint place; // of the frame
        QElapsedTimer since;
    };

    QPointer<QWidget> window_;
    bool formvisible_ = false;  // the form shows the window
    int updating_ = 0;  // >0 while the placing itself moves or sizes the window
    // Whether the window system lets the program place its windows (a Wayland compositor places
    // them itself and tells no place).
    bool placeable_ = true;
    // Whether a window manager frames the shown windows in its own time (an X display), so that
    // the form's changes wait until a shown window is framed; `held_` when one waits.
    bool framedlater_ = false;
    bool held_ = false;
    bool showheld_ = false;     // a showing waits for the end of the handler that showed the form
    bool releasing_ = false;    // the waiting showing is being done
    bool managerawaited_ = false;  // the waiting showing is asked again shortly
    QElapsedTimer sinceheld_;      // the waiting showing has waited for the window manager
    bool framerequested_ = false;  // the window manager was asked for the frame it will draw
    std::uintptr_t shownunder_ = 0;  // the window manager that ran at the window's last showing
    bool maximizewithheld_ = false;
    std::vector<std::uint32_t> ownmotifhints_;  // the window's hints before they were withheld (none: it had none)
    bool fixedwhilemapped_ = false;
    std::pair<QSize, QSize> ownlimits_;  // the window's least and greatest size before it was fixed
    bool unframed_ = false;     // last sized before the window manager's frame was known
    bool placing_ = false;
    int corrections_ = 0;       // corrections asked in this placing
    std::optional<QPoint> lastplace_;  // the place last asked of the framed window in this placing
    QRect uncorrected_;         // the frame when the last correction was asked
    QRect lastcorrection_;      // the frame that correction asked for
    bool exposed_ = false;      // the window has come on screen in this placing
    QTimer* placingtimer_ = nullptr;
    QElapsedTimer sinceshown_, sincereport_;
    std::deque<Request> requests_;  // not yet reported back by the window system
    long frontrequests_ = 0;    // the form's requests to come to the front already served
    QRect normalframe_;         // the window's last place and size in its normal state
    bool restored_ = false;     // restored from maximized, its place not yet checked
    bool stalemargins_ = false; // the frame last known is that of a maximized window, now closed
    QTimer* normaltimer_ = nullptr;
    QTimer* agreementtimer_ = nullptr;
    int replacings_ = 0;        // placings begun again because the window was elsewhere than asked
};

}  // namespace brasket::gui
