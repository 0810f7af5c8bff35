// The generic binding between a window model and real widgets: every control of a Form gets a
// widget that follows the model (a change in the model repaints it) and that passes the
// user's clicks, selections and typing back to the model's handlers and setters.
#pragma once
#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QEvent>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <deque>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "ui/controls.h"

class QAction;
class QComboBox;
class QTimer;

namespace brasket {
struct App;
}

namespace brasket::gui {

// Runs a step of a handler; a fault that escapes it is shown in a message box instead of
// ending the program with the analyst's work.
void guarded(QWidget* parent, const std::function<void()>& step);
// Where such a fault is told: a message box unless replaced (the tests record it).
std::function<void(QWidget* parent, const QString& text)>& faultreporter();

// Paints the recorded drawing of a picture box, scaled from its ScaleWidth and ScaleHeight.
class PictureView : public QWidget {
public:
    PictureView(PictureBox& picture, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PictureBox& picture_;
};

// The frame (title bar and borders) that the window manager draws around a shown window, and the
// window's place and size with it.
QMargins windowmargins(const QWidget& window);
// The frame as the window manager tells it on the shown window (_NET_FRAME_EXTENTS), where it does.
std::optional<QMargins> toldmargins(const QWidget& window);
QRect windowframe(const QWidget& window);
// The window manager running on the X display, as a number of its own that a window manager
// started later does not have; 0 where none runs or the window system has no such thing.
std::uintptr_t runningwindowmanager();
// Forgets the frame that the window manager drew around the program's windows: a program that
// starts knows none, and sizes its first window for the frame the window manager tells then.
void forgetframes();

class FormBinding : public QObject, public Observer, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Widgets are made on `surface`; `window` is the top-level widget that shows the form.
    // With `placetwips` each widget sits at the control's twip position and size; otherwise
    // the view lays the widgets out itself.
    FormBinding(App& app, Form& form, QWidget* window, QWidget* surface, bool placetwips);
    ~FormBinding() override;

    Form& form() const { return form_; }
    QWidget* window() const { return window_; }
    QWidget* widget(const Control& c) const;
    // Makes a menu action follow a menu item of the model; a trigger runs `run`.
    void bindaction(MenuItem& item, QAction* action, const QString& defaultcaption, std::function<void()> run);

    // Called after every change of the form itself (the view repaints what it draws).
    std::function<void()> onformchanged;
    // Called after a control's widget was moved or sized to the model: a view that places a
    // control itself (the model's position stays as it is) moves the widget here.
    std::function<void(Control&, QWidget*)> onplaced;
    // Called for the widget of a control that joined the form after the binding was made.
    std::function<void(Control&, QWidget*)> onlatecontrol;
    // What closing the window does; by default the form is unloaded and hidden.
    std::function<void()> onclose;

    void changed(Control& c) override;
    // True from a showing of the window until the window system has placed it where the form
    // asks and gone quiet: the sizes and places it reports meanwhile are its own steps (a window
    // manager framing the window), not the user's, and do not change the form.
    bool placing() const { return placing_; }
    // Brings every widget up to the model now (lists are otherwise brought up to date when
    // the event loop next runs, so that filling a long list stays quick).
    void flush();
    void syncall();
    // The click of a control: its model handler, or the registered handler of its name.
    void click(Control& c);

    // The window system's own events: the window taken into a window manager's frame, or given
    // back to the screen.
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        Control* control = nullptr;
        QWidget* widget = nullptr;
        QAction* action = nullptr;
        QString defaultcaption;
        QTimer* timer = nullptr;
    };

    void make(Control& c);
    void sync(Bound& b);
    void syncform();
    void synclist(ListBox& list, QWidget* w);
    void syncgeometry(Bound& b);
    void placetomodel(Bound& b);
    void schedule(Control& c);
    void adoptlate();
    void applylook(Control& c, QWidget* w);
    void seteditable(QComboBox* w, ComboBox& combo);

    // The window's place and size as the form holds them, frame included, in pixels.
    QRect formframe() const;
    void setformframe(const QRect& frame);
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
    // Shows the window whose showing waited for the end of the handler that showed it.
    void releaseshowing();
    // Whether the waiting showing waits for the window manager still: to let go of the window
    // closed before, or to tell the frame it will draw.
    bool awaitwindowmanager();
    // While a window about as large as the free area is mapped, the window manager is told that
    // it cannot be maximized (and KDE's gets it at a fixed size); once on screen it can again.
    void withholdmaximize(bool withhold);
    // A move or resize that the window system reported: an echo of a request, a step of its
    // placing, or the user's.
    void reported(QEvent::Type type);
    // Once a window manager has started or ended while the window was shown: the window is placed
    // anew in the form's frame, with the frame drawn now.
    void managerchanged();
    // The window shows the frame `m` (`told` by the window manager): it is the frame of the
    // program's next windows, and a window sized before any frame was known is sized again with
    // it where no placing will (true then).
    bool knowframe(const QMargins& m, bool told);
    // Whether the report (with the window's frame as reported) answers a request of the binding.
    bool echo(QEvent::Type type, const QRect& frame);
    // The shown window is on screen: framed by the window manager and mapped.
    bool onscreen() const;
    void startplacing();
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
    // Whether the window is in its normal state: neither maximized, full screen nor minimized.
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

    App& app_;
    Form& form_;
    QPointer<QWidget> window_;
    QWidget* surface_;
    bool placetwips_;
    std::map<const Control*, Bound> bound_;
    std::set<Control*> dirty_;
    bool flushpending_ = false;
    std::size_t adopted_ = 0;  // controls of the form looked at so far
    int updating_ = 0;  // >0 while the binding itself moves widgets or model sizes
    bool syncingform_ = false;
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
    QTimer* managertimer_ = nullptr;
};

}  // namespace brasket::gui
