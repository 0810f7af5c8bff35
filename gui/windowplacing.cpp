#include "windowplacing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <string>

#include "windowsystem.h"

namespace brasket::gui {

namespace {
// The frame (title bar and borders) that the window manager last gave a window of the program,
// and the window manager that gave it: a window that it has not framed yet is sized for the same
// frame, so that it needs no second size once framed. The frame of a window manager that has gone
// (or been replaced by another) is no longer drawn.
struct KnownFrame {
    QMargins margins;
    std::uintptr_t manager = 0;
};
KnownFrame& knownframe() {
    static KnownFrame known;
    return known;
}
QMargins lastframe() {
    const KnownFrame& known = knownframe();
    return known.manager == runningwindowmanager() ? known.margins : QMargins();
}
void notelastframe(const QMargins& margins) { knownframe() = {margins, runningwindowmanager()}; }
}  // namespace

void forgetframes() { knownframe() = {}; }

namespace {

// How long the window system must stay quiet, once the window is on screen, before its
// placing is over; and how often a placing corrects a place that the window system missed.
constexpr int quietms = 300;
constexpr int mostcorrections = 4;
// A request that the window system has not reported back within this time never will be.
constexpr int echoms = 3000;

// A timer that does `step` once the window system has been quiet for a while since the timer was
// last started.
QTimer* quiettimer(QObject* owner, std::function<void()> step) {
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    timer->setInterval(quietms);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(step));
    return timer;
}

}  // namespace

WindowPlacing::WindowPlacing(QWidget* window)
    : QObject(window), window_(window),
      placeable_(!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))),
      framedlater_(QGuiApplication::platformName() == QLatin1String("xcb")) {
    window_->installEventFilter(this);
    if (framedlater_) QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowPlacing::~WindowPlacing() {
    if (framedlater_) QCoreApplication::instance()->removeNativeEventFilter(this);
}

void WindowPlacing::follow(bool visible, long frontrequests) {
    if (!window_) return;
    formvisible_ = visible;
    const bool showing = visible && !window_->isVisible();
    if (showing && framedlater_ && !releasing_) {
        // A window manager maps the window where and as large as it stands when shown, and takes a
        // later place or size as a change of the shown window. A form shown in its own load gets
        // its place and size after it is shown: the window is shown once the handler that showed
        // it has ended, at the place and size the form has then.
        if (!showheld_) {
            showheld_ = true;
            frontrequests_ = frontrequests;
            QMetaObject::invokeMethod(this, [this] { release(); }, Qt::QueuedConnection);
        }
        return;
    }
    ++updating_;
    if (showing) {
        // A load gives the window its normal state, whatever state it was closed in: its place
        // and size are the form's.
        if (!isnormal()) {
            window_->setWindowState(Qt::WindowNoState);
            if (QWindow* handle = window_->windowHandle()) handle->setWindowStates(Qt::WindowNoState);
        }
        forgetwithdrawnstate(*window_);
        if (placeable_) startplacing();
    }
    const std::optional<QRect> asked = askedframe ? askedframe() : std::nullopt;
    if (placing_ || showing) {
        // The window's first place and size: the form's, kept inside the screen with its frame
        // (its controls scroll where the layout is larger); the form takes what the window gets.
        const QRect want = fitted(asked ? *asked : centred(windowframe(*window_)));
        if (!asked || want != *asked) setformframe(want);
        // Once shown, the window is asked for nothing more until the window manager has framed it:
        // a request that reaches it in the middle of its framing can be taken for the place of the
        // window's own area. The form's changes meanwhile are asked for at once when it is framed.
        if (window_->isVisible() && placing_ && framedlater_ && !onscreen()) held_ = true;
        else applyframe(want);
    } else if (asked) {
        applyframe(*asked);
    }
    if (showing) {
        show();
        frontrequests_ = frontrequests;
    } else if (!visible && window_->isVisible()) {
        hide();
    } else if (visible && frontrequests_ != frontrequests) {
        // Shown again while open: the window comes back from the task bar (in the state it had
        // before it went there) and to the front, as at its first showing.
        frontrequests_ = frontrequests;
        if (window_->isMinimized()) window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
        window_->raise();
        window_->activateWindow();
    }
    --updating_;
}

void WindowPlacing::show() {
    // A window about as large as the free area would be maximized by some window managers at
    // its mapping (GNOME's and KDE's); it opens in its normal state.
    withholdmaximize(true);
    shownunder_ = runningwindowmanager();
    replacings_ = 0;
    window_->show();
    // Where the toolkit draws the frame itself (a Wayland session), the frame is known once
    // the window is shown, and a window shown at the size it asked is told no new size: a
    // window sized before the frame was known is sized for it now.
    if (!framedlater_) knowframe(reckonedmargins(*window_), false);
    window_->raise();
    window_->activateWindow();
}

void WindowPlacing::hide() {
    // Closed while maximized or minimized: the form keeps the place and size the window had
    // in its normal state, for its next load.
    if (!isnormal()) {
        if (normalframe_.isValid()) setformframe(normalframe_);
        // The frame of a maximized window (no borders) is not the one it gets when shown again.
        stalemargins_ = true;
    }
    window_->hide();
    placing_ = false;
    withholdmaximize(false);
    requests_.clear();
    // Where no window manager runs, the closed window is withdrawn by the program itself, at once:
    // the state an ended window manager kept on it would be taken up by the next one to start.
    if (framedlater_ && !windowmanagerending() && !runningwindowmanager()) forgetmanagerstate(*window_);
    watchserver();
}

void WindowPlacing::withholdmaximize(bool withhold) {
    if (withhold == maximizewithheld_ || !window_ || !framedlater_ || !window_->testAttribute(Qt::WA_WState_Created))
        return;
    // With the flag of functions the window's hints say which functions the window has, or, with
    // the bit of all functions, which of them it has not.
    constexpr std::uint32_t functionsflag = 1, allfunctions = 1, maximizefunction = 0x10;
    if (withhold) {
        // As large as that: more than four fifths of the free area (GNOME's window manager
        // maximizes it), or as wide or as tall as it (KDE's maximizes it in that direction).
        QScreen* screen = window_->screen();
        if (!screen) return;
        const QSize free = screen->availableGeometry().size(), own = window_->size();
        const QMargins m = framemargins();
        const bool wide = own.width() + m.left() + m.right() >= free.width(),
                   tall = own.height() + m.top() + m.bottom() >= free.height();
        const bool large = qint64(own.width()) * own.height() * 5 > qint64(free.width()) * free.height() * 4;
        if (!large && !wide && !tall) return;
        ownmotifhints_ = motifhints(*window_);
        std::vector<std::uint32_t> hints = ownmotifhints_;
        hints.resize(5, 0);
        if (!(hints[0] & functionsflag)) {
            hints[0] |= functionsflag;
            hints[1] = allfunctions | maximizefunction;
        } else if (hints[1] & allfunctions) {
            hints[1] |= maximizefunction;
        } else {
            hints[1] &= ~maximizefunction;
        }
        setmotifhints(*window_, hints);
        // KDE's window manager reads no function from these hints: only a window of a fixed size
        // escapes its rule. The size is fixed only there, as other window managers draw a fixed
        // window's frame without its sizing handles.
        const std::string manager = windowmanagername();
        fixedwhilemapped_ = (wide || tall) && manager == "KWin";
        if (wide && tall && manager == "Xfwm4" && own.height() > 1) {
            // Xfce's window manager maximizes a window mapped with its frame as wide and as tall as
            // the free area, whatever its functions or limits: the window is mapped a row short of
            // that, and asked for its whole size once on screen.
            const QPoint place = window_->geometry().topLeft() - QPoint(m.left(), m.top());
            placehidden(m.isNull() ? window_->geometry().topLeft() : place, own - QSize(0, 1), m);
            held_ = placing_;
        }
        if (fixedwhilemapped_) {
            ownlimits_ = {window_->minimumSize(), window_->maximumSize()};
            ++updating_;
            window_->setMinimumSize(own);
            window_->setMaximumSize(own);
            --updating_;
        }
    } else {
        // The window had no hints of its own where it had none of these.
        setmotifhints(*window_, ownmotifhints_);
        if (fixedwhilemapped_) {
            ++updating_;
            window_->setMinimumSize(ownlimits_.first);
            window_->setMaximumSize(ownlimits_.second);
            --updating_;
            fixedwhilemapped_ = false;
        }
    }
    maximizewithheld_ = withhold;
}

bool WindowPlacing::awaitwindowmanager() {
    // While a window manager that another took the screen from holds on to it (stopped or hung),
    // the X server sends it the window's mapping, and that is lost when it ends.
    if (windowmanagerending()) return true;
    // Only a window manager that runs is waited for: once it has gone (or where none ever ran)
    // nothing withdraws the window or frames it.
    const std::uintptr_t manager = runningwindowmanager();
    if (!manager) return false;
    // A window closed a moment ago is the window manager's until it has let it go, however late
    // it comes to that: a busy window manager would take the showing's requests for ones of the
    // window it still frames, and give the window shown again the state (maximized, say) of the
    // one it still holds. A window manager that started since never had the window.
    if (manager == shownunder_ && !withdrawn(*window_)) return true;
    // The first window this window manager frames is sized for its frame all the same: asked
    // for it, the window manager tells it on the window before the window is mapped. That only
    // spares the window a second size, so it is waited for three seconds at most.
    if (!lastframe().isNull()) return false;
    if (!sinceheld_.isValid()) sinceheld_.start();
    if (sinceheld_.elapsed() >= 3000) return false;
    if (!framerequested_) {
        framerequested_ = true;
        return requestframeextents(*window_);
    }
    if (const auto told = unmappedframe(*window_)) {
        notelastframe(*told);
        return false;
    }
    return true;
}

void WindowPlacing::release() {
    if (!showheld_) return;
    if (!window_ || !formvisible_ || window_->isVisible()) {
        showheld_ = false;
        return;
    }
    // The showing waits for the window manager.
    if (awaitwindowmanager()) {
        if (!managerawaited_) {
            managerawaited_ = true;
            QTimer::singleShot(20, this, [this] {
                managerawaited_ = false;
                release();
            });
        }
        return;
    }
    sinceheld_.invalidate();
    framerequested_ = false;
    showheld_ = false;
    releasing_ = true;
    follow(formvisible_, frontrequests_);
    releasing_ = false;
}

QRect WindowPlacing::formframe() const { return askedframe ? askedframe().value_or(QRect()) : QRect(); }

QRect WindowPlacing::centred(QRect frame) const {
    QScreen* screen = window_->screen();
    if (screen) frame.moveCenter(screen->availableGeometry().center());
    return frame;
}

QRect WindowPlacing::fitted(QRect frame) const {
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = window_->screen();
    if (!screen) return frame;
    const QRect free = screen->availableGeometry();
    frame.setSize(frame.size().boundedTo(free.size()));
    frame.moveLeft(std::clamp(frame.left(), free.left(), free.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), free.top(), free.bottom() + 1 - frame.height()));
    return frame;
}

QMargins WindowPlacing::framemargins() const {
    const QMargins last = lastframe();
    if (framedlater_) {
        // On an X display the frame is the one the window manager tells on the shown window; a
        // hidden window or one not yet framed gets the frame that the window manager running now
        // last gave the program's windows, none where it gave none or none runs (the toolkit's
        // reckoning of a hidden window's frame is that of its last frame, borders that a
        // compositing window manager does not draw included, or a frame that window managers
        // no longer draw).
        const auto told = toldmargins(*window_);
        if (told && !stalemargins_) return *told;
        if (placing_ || !window_->isVisible()) return last;
    }
    const QMargins own = windowmargins(*window_);
    return (own.isNull() || stalemargins_) && (placing_ || !placeable_) ? last : own;
}

void WindowPlacing::applyframe(const QRect& frame) {
    // A maximized or minimized window has the place and size the window manager gives it: a
    // request would only be taken as the size to restore it to.
    if (window_->isVisible() && !isnormal()) return;
    const QMargins m = framemargins();
    const QSize inner(std::max(1, frame.width() - m.left() - m.right()), std::max(1, frame.height() - m.top() - m.bottom()));
    // Sized before its frame was known (also where the window already had that size), the window
    // is sized again once the frame is known.
    unframed_ = m.isNull();
    if (framedlater_ && !window_->isVisible()) {
        // A hidden window is placed for its showing, in the frame known then: a window manager
        // that takes the requests of a window it does not show yet can keep the place or size of
        // an earlier one.
        if (releasing_) placehidden(frame.topLeft(), inner, m);
        return;
    }
    const bool resize = window_->size() != inner;
    // A window never moved yet is given its place all the same, so that the window manager takes
    // it as asked rather than choosing one of its own. Where the window system places the windows
    // itself, only the size is asked.
    const bool move = placeable_ && (!window_->testAttribute(Qt::WA_Moved) || windowframe(*window_).topLeft() != frame.topLeft());
    if (move && onscreen()) lastplace_ = frame.topLeft();
    if (!resize && !move) return;
    ++updating_;
    if (resize) window_->resize(inner);
    if (move) {
        // The place is the frame's: the window manager is asked to put the frame's corner there.
        // Placed by its own area and the frame the toolkit last knew (none once the window was
        // closed), a window shown again would have its title bar above the screen.
        QWindow* handle = window_->windowHandle();
        if (handle && window_->testAttribute(Qt::WA_WState_Created)) {
            window_->setAttribute(Qt::WA_Moved);
            handle->setFramePosition(frame.topLeft());
        } else {
            window_->move(frame.topLeft());
        }
    }
    --updating_;
    if (window_->isVisible()) {
        Request r{inner, frame.topLeft(), {}};
        r.since.start();
        requests_.push_back(r);
    }
}

void WindowPlacing::placehidden(QPoint place, QSize inner, const QMargins& frame) {
    // The window manager frames a window when it is mapped: the window is given its place and size
    // in one request before it is shown. Where the frame is known (a window of the program was
    // framed before), the window's own area is put inside the frame at the place asked, and the
    // window manager frames it where it stands (the window's gravity, static, tells it so); the
    // toolkit then knows the window where it ends. Before any frame is known, the window manager
    // is asked to put the frame's corner where the window stands (north-west gravity). The widget
    // and its native window are told the same place and size, so that the showing asks for
    // nothing else (a showing that found them apart would ask for the widget's place with the
    // other gravity).
    window_->winId();
    QWindow* handle = window_->windowHandle();
    const QRect own(frame.isNull() ? place : place + QPoint(frame.left(), frame.top()), inner);
    ++updating_;
    window_->setGeometry(own);
    if (handle) {
        handle->setGeometry(own);
        if (frame.isNull()) handle->setFramePosition(place);
        else handle->resize(inner);  // a place of the window's own area, though no place changed
    }
    --updating_;
}

bool WindowPlacing::echo(QEvent::Type type, const QRect& frame) {
    while (!requests_.empty() && requests_.front().since.elapsed() > echoms) requests_.pop_front();
    for (auto it = requests_.begin(); it != requests_.end(); ++it) {
        const bool same = type == QEvent::Resize ? it->size == window_->size() : it->place == frame.topLeft();
        if (!same) continue;
        // The window system reports requests in order: the earlier ones are done with too.
        requests_.erase(requests_.begin(), it + 1);
        return true;
    }
    return false;
}

void WindowPlacing::startplacing() {
    placing_ = true;
    corrections_ = 0;
    lastplace_.reset();
    uncorrected_ = lastcorrection_ = QRect();
    exposed_ = false;
    held_ = false;
    requests_.clear();
    sinceshown_.start();
    sincereport_.start();
    if (!placingtimer_) {
        placingtimer_ = new QTimer(this);
        placingtimer_->setInterval(50);
        connect(placingtimer_, &QTimer::timeout, this, [this] { placingtick(); });
    }
    placingtimer_->start();
}

void WindowPlacing::placeanew() {
    startplacing();
    held_ = true;
}

void WindowPlacing::placingtick() {
    if (!placing_ || !window_ || !window_->isVisible()) {
        placing_ = false;
        placingtimer_->stop();
        if (window_) withholdmaximize(false);
        return;
    }
    // The window manager maps the window when it comes to it (later on a busy or stalled
    // machine, however late), and frames and sizes it around then: until then the window is held
    // back from being maximized. One that ends, or is replaced, before it has mapped the window
    // leaves it to be shown again, once the replaced one has let go of the screen (the mapping
    // went to it, and is carried out or lost when it ends). Where no window manager frames the
    // windows, a window never on screen is given up on.
    if (framedlater_ && windowmanagerending()) return;
    if (framedlater_ && runningwindowmanager() != shownunder_) {
        managerchangedwhileplacing();
        return;
    }
    const bool exposed = onscreen();
    if (!exposed && (framedlater_ || sinceshown_.elapsed() < 10000)) return;
    if (exposed && !exposed_) {
        // On screen now: the window manager has framed the window; what the form asked meanwhile
        // is asked for now.
        exposed_ = true;
        sincereport_.start();
        withholdmaximize(false);
        if (held_) {
            held_ = false;
            applyframe(fitted(formframe()));
        }
    }
    // A window manager that gave the window a maximized or full-screen state of its own while it
    // placed it (one it kept from the window closed before, or its rule for a window as large as
    // the screen) is asked for the normal state that the form shows it in, and waited for.
    if (maximizedbymanager()) {
        takebacknormal();
        sincereport_.start();
        return;
    }
    if (sincereport_.elapsed() < quietms) return;
    // Framed and quiet now, the window may still sit elsewhere than asked.
    if (correct()) {
        sincereport_.start();
        return;
    }
    endplacing();
}

bool WindowPlacing::onscreen() const {
    // The window manager maps a window once it has framed it; the window is exposed then.
    const QWindow* handle = window_->windowHandle();
    return window_->isVisible() && handle && handle->isExposed();
}

bool WindowPlacing::correct() {
    if (!placing_ || !window_ || !window_->isVisible()) return false;
    const QRect want = fitted(formframe());
    // On an X display a correction is reckoned from the frame the window manager last told around
    // the window where the X server has it, once the window manager has carried out the last
    // request: a window manager that stalls carries out the requests it holds when it resumes, and
    // a correction reckoned from the frame before them would be carried out on top of them. It is
    // waited for, while the window is new and the request not given up on.
    QRect frame = windowframe(*window_);
    if (framedlater_) {
        const auto told = toldmargins(*window_);
        const auto own = serverarea(*window_);
        const bool waiting = sinceshown_.elapsed() < 10000;
        if (!told || !own) return waiting;
        frame = own->marginsAdded(*told);
        if (!requests_.empty()) {
            const Request& last = requests_.back();
            if (last.since.elapsed() <= echoms && (own->size() != last.size || frame.topLeft() != last.place))
                return waiting;
        }
    }
    if (frame == want) return false;
    // A window manager that missed a place asked of the framed window by an offset (it took the
    // frame's place for the window's own area's, say, or kept a window whose own area already
    // stood at the place asked) is asked for the place less that offset: the same request would
    // miss again.
    QPoint place = want.topLeft();
    if (lastplace_ && frame.topLeft() != *lastplace_) place -= frame.topLeft() - *lastplace_;
    // A request that left the window where it stood is not asked again, nor are corrections asked
    // without end.
    const QRect ask(place, want.size());
    if (corrections_ >= mostcorrections || (corrections_ > 0 && frame == uncorrected_ && ask == lastcorrection_))
        return false;
    ++corrections_;
    uncorrected_ = frame;
    lastcorrection_ = ask;
    applyframe(ask);
    return true;
}

void WindowPlacing::endplacing() {
    placing_ = false;
    placingtimer_->stop();
    withholdmaximize(false);
    // Where the window system kept a place or size other than the one asked (a window manager
    // that allows no such window), the form takes what the window has, within the screen: a place
    // that would put the title bar off the screen is never the form's. Where no window manager
    // runs, nothing refuses the form's frame: the window is looked at again until it stands there.
    const QRect frame = windowframe(*window_);
    const QRect kept = fitted(frame);
    const bool refused = !framedlater_ || runningwindowmanager() || replacings_ >= mostcorrections;
    if (kept != formframe() && refused) setformframe(kept);
    if (isnormal()) {
        normalframe_ = kept;
        notemargins();
    }
    watchserver();
}

void WindowPlacing::notemargins() {
    // Only a frame the window manager told: the toolkit's reckoning counts the borders that a
    // compositing window manager offers for sizing but does not draw.
    const QMargins m = framedlater_ ? toldmargins(*window_).value_or(QMargins()) : windowmargins(*window_);
    if (!m.isNull() && isnormal()) notelastframe(m);
}

Qt::WindowStates WindowPlacing::states() const {
    // The widget and its native window each keep a state; a hidden widget can have lost the
    // state its native window keeps for the next showing.
    Qt::WindowStates states = window_->windowState();
    if (const QWindow* handle = window_->windowHandle()) states |= handle->windowStates();
    return states;
}

bool WindowPlacing::isnormal() const {
    return !(states() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void WindowPlacing::statechanged(Qt::WindowStates old) {
    // The window manager's maximize, restore or minimize supersedes the program's requests: a
    // size it gives is never taken for the report of one of them.
    requests_.clear();
    if ((old & (Qt::WindowMaximized | Qt::WindowFullScreen)) && isnormal()) restored_ = true;
    notenormalsoon();
}

void WindowPlacing::notenormalsoon() {
    if (!normaltimer_) normaltimer_ = quiettimer(this, [this] { notenormal(); });
    normaltimer_->start();
}

void WindowPlacing::notenormal() {
    // Nor is a frame noted while a window manager's start or end is looked at: the window given
    // back to the screen by one that ended stands without a frame where its own area stood in it.
    if (!window_ || !window_->isVisible() || placing_ || managerchanging()) return;
    const QRect frame = windowframe(*window_);
    // A window manager can tell the frame that goes with a new size (a maximized window's) a
    // moment after the size: the form takes the frame as the window has it now.
    if (frame != formframe()) takeframe(frame);
    if (!isnormal()) return;
    if (!placeable_) {
        // The window system tells no place: the form's stays, with the window's size.
        restored_ = false;
        normalframe_ = QRect(formframe().topLeft(), frame.size());
        return;
    }
    if (restored_) {
        // Back from maximized: where the window manager restored the window partly off the
        // screen, it is put back on it, at the size it had before.
        restored_ = false;
        const QRect within = fitted(frame);
        if (within != frame) {
            setformframe(within);
            applyframe(within);
            notenormalsoon();
            return;
        }
    }
    normalframe_ = frame;
    notemargins();
}

bool WindowPlacing::knowframe(const QMargins& m, bool told) {
    if (m.isNull() || !isnormal()) return false;
    // On an X display the state can follow the size it goes with (a window being maximized
    // reports its new frame first): its frame is taken once the window is settled, unless no
    // frame is known yet.
    if (!framedlater_ || (lastframe().isNull() && told)) notelastframe(m);
    stalemargins_ = false;
    if (!unframed_ || placeable_) return false;
    // The first frame of the program's windows, known only now that the window shows it (no
    // placing corrects the size where the window system places the windows): the window takes the
    // form's size, frame included.
    unframed_ = false;
    applyframe(formframe());
    return true;
}

bool WindowPlacing::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    // A window manager that starts takes the window into a frame of its own, and one that ends (or
    // crashes) gives it back to the screen, mapped: the window is looked at until it agrees with its
    // form again.
    if (window_ && reparentedormapped(type, message, *window_)) watchserver();
    return false;
}

void WindowPlacing::watchserver() {
    if (!framedlater_) return;
    if (!agreementtimer_) {
        agreementtimer_ = new QTimer(this);
        agreementtimer_->setInterval(50);
        connect(agreementtimer_, &QTimer::timeout, this, [this] {
            if (agree()) agreementtimer_->stop();
        });
    }
    if (!agreementtimer_->isActive()) agreementtimer_->start();
}

bool WindowPlacing::agree() {
    if (!window_ || !framedlater_) return true;
    // A placing, or a showing that waits, compares on its own: the window is looked at again once
    // it is over.
    if (placing_ || showheld_) return false;
    // Nothing is decided while a window manager that another has taken the screen from still holds
    // on to it: what it holds is carried out, or lost, when it ends.
    if (windowmanagerending()) return false;
    const std::uintptr_t manager = runningwindowmanager();
    const ServerWindow held = serverwindow(*window_);
    const bool keptstate = held.managed == ServerWindow::Managed::normal || held.managed == ServerWindow::Managed::iconic;
    if (!window_->isVisible()) {
        // Closed, the window is off the screen. A window manager that ended before it let go of it
        // gave it back to the screen; and with none running, none withdraws it: the state the
        // ended one kept on it is cleared, so that the next one to start does not take it up and
        // show it again.
        if (held.mapped) {
            unmapwindow(*window_);
            return false;
        }
        if (!manager && keptstate) {
            forgetmanagerstate(*window_);
            return false;
        }
        return true;
    }
    if (manager != shownunder_) {
        // A window manager started, ended or took the screen from another since the window was
        // placed. One that started frames the window where it stands: it is placed once framed.
        if (manager && held.mapped && held.toplevel) return false;
        if (!manager) {
            // None runs: the window is the program's alone, in its normal state (nothing keeps it
            // minimized now), and on the screen. The ended window manager's states would be taken
            // up by the next one to start.
            if (states() & Qt::WindowMinimized) {
                ++updating_;
                window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
                if (QWindow* handle = window_->windowHandle())
                    handle->setWindowStates(handle->windowStates() & ~Qt::WindowMinimized);
                --updating_;
            }
            if (keptstate) forgetmanagerstate(*window_);
            if (!held.mapped) mapwindow(*window_);
        }
        shownunder_ = manager;
        replacings_ = 0;
        // A window manager frames the window around its own area, where it stood, and one that
        // ended leaves it there without a frame: the window is placed anew in its form's frame.
        if (isnormal()) {
            placeanew();
        }
        return false;
    }
    if (!held.mapped) {
        // Minimized by the window manager, or a mapping it has yet to carry out; with none running,
        // nothing but the program maps the window.
        if (manager || held.managed == ServerWindow::Managed::iconic || (states() & Qt::WindowMinimized)) return true;
        mapwindow(*window_);
        return false;
    }
    // In no frame of the window manager that runs: one that quits gives its windows back to the
    // screen before it ends. It is looked at again until it has.
    if (manager && held.toplevel) return false;
    if (!manager && isnormal()) {
        // Nothing refuses a place or size where no window manager runs: a window elsewhere than its
        // form asks is placed anew (a few times at most).
        const auto own = serverarea(*window_);
        if (own && *own != fitted(formframe()) && replacings_ < mostcorrections) {
            ++replacings_;
            placeanew();
            return false;
        }
    }
    return true;
}

bool WindowPlacing::managerchanging() const {
    if (!framedlater_) return false;
    // Until the window agrees with its form again, what is reported of it is a window manager's
    // taking or giving back (a placing tells its own steps apart); so is whatever is reported
    // while the window manager that placed the window is no longer the one that runs, though the
    // window has not yet told of it.
    if (agreementtimer_ && agreementtimer_->isActive() && !placing_) return true;
    return windowmanagerending() || runningwindowmanager() != shownunder_;
}

void WindowPlacing::managerchangedwhileplacing() {
    if (mappedonscreen(*window_)) {
        // Taken into the frame of a window manager that started, or given back to the screen by
        // one that ended, while it was placed: placed anew, with the frame drawn now.
        shownunder_ = runningwindowmanager();
        placeanew();
        return;
    }
    // The window manager that was to map the window ended (or another took the screen) before it
    // did: the X server holds the window unmapped, and nothing else would ever show it. It is
    // shown again, as at a new showing: at once where no window manager runs, else by the one
    // that runs now.
    ++updating_;
    hide();
    --updating_;
    follow(formvisible_, frontrequests_);
}

bool WindowPlacing::maximizedbymanager() const {
    return formvisible_ && maximizedstate(*window_);
}

void WindowPlacing::takebacknormal() {
    // The toolkit asks the window manager only for a state other than the one it holds: the
    // request goes once a maximize, however long the window manager takes to carry it out.
    ++updating_;
    window_->setWindowState(window_->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    if (QWindow* handle = window_->windowHandle())
        handle->setWindowStates(handle->windowStates() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    --updating_;
}

void WindowPlacing::reported(QEvent::Type type) {
    // A window manager taking the window into its frame or giving it back is not the user's move.
    if (managerchanging()) return;
    // The frame is asked of the window system once for the whole report.
    const auto told = toldmargins(*window_);
    const QMargins m = told.value_or(reckonedmargins(*window_));
    const QRect frame = window_->geometry().marginsAdded(m);
    if (knowframe(m, told.has_value())) return;
    if (echo(type, frame)) return;
    if (placing_) {
        // A step of the window system on its way to the window's place: the form keeps what it
        // asks, and the window is corrected once the window system has gone quiet.
        sincereport_.start();
        return;
    }
    // The user moved or sized the window: the form holds its new place and size. The window
    // manager's maximize or restore tells its new state around the same time; once it has, a
    // place and size in the normal state are noted as the window's own.
    takeframe(frame);
    notenormalsoon();
}

void WindowPlacing::takeframe(const QRect& frame) {
    // Where the window system places the windows itself, the place it tells is not one on the
    // screen (a Wayland client is told none): the form keeps its own.
    setformframe(placeable_ ? frame : QRect(formframe().topLeft(), frame.size()));
}

bool WindowPlacing::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        // A place or size that the window system reports goes to the form when it is the
        // user's; one that other code of the program gives the shown window goes there too.
        // Sizes of a hidden window are not the form's: its showing gives it the form's.
        if (!updating_ && window_->isVisible()) {
            if (event->spontaneous()) reported(event->type());
            else takeframe(windowframe(*window_));
        }
    } else if (event->type() == QEvent::WindowStateChange) {
        statechanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
    }
    return false;
}

}  // namespace brasket::gui
