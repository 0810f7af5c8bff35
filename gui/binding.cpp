#include "binding.h"

#include <QAbstractNativeEventFilter>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#if defined(BRASKET_HAVE_XCB)
#include <QGuiApplication>
#include <qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include "app.h"
#include "look.h"

namespace brasket::gui {

std::function<void(QWidget*, const QString&)>& faultreporter() {
    static std::function<void(QWidget*, const QString&)> report = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("BRASKET"), text);
    };
    return report;
}

void guarded(QWidget* parent, const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        faultreporter()(parent, QStringLiteral("The action stopped: %1").arg(message(e.what())));
    }
}

// ---------------------------------------------------------------- picture box

PictureView::PictureView(PictureBox& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAutoFillBackground(true);
}

QSize PictureView::sizeHint() const {
    if (picture_.Width() > 0 && picture_.Height() > 0) return {pixels(picture_.Width()), pixels(picture_.Height())};
    return {420, 320};
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), colour(picture_.BackColor(), palette()));
    double sw = picture_.ScaleWidth() != 0 ? picture_.ScaleWidth() : 1000;
    double sh = picture_.ScaleHeight() != 0 ? picture_.ScaleHeight() : 1000;
    double kx = width() / sw, ky = height() / sh;
    for (const DrawOp& op : picture_.ops) {
        QColor c = colour(op.color, palette());
        p.setPen(QPen(c, 1));
        p.setBrush(Qt::NoBrush);
        switch (op.kind) {
        case DrawOp::Line: p.drawLine(QPointF(op.x1 * kx, op.y1 * ky), QPointF(op.x2 * kx, op.y2 * ky)); break;
        case DrawOp::Box: p.drawRect(QRectF(QPointF(op.x1 * kx, op.y1 * ky), QPointF(op.x2 * kx, op.y2 * ky)).normalized()); break;
        case DrawOp::Circle: p.drawEllipse(QPointF(op.x1 * kx, op.y1 * ky), op.x2 * kx, op.x2 * kx); break;
        case DrawOp::Text: {
            p.setFont(screenfont(picture_.FontName(), op.fontsize, op.fontbold));
            QFontMetrics fm(p.font());
            p.drawText(QPointF(op.x1 * kx, op.y1 * ky + fm.ascent()), shown(op.text));
            break;
        }
        }
    }
}

// ---------------------------------------------------------------- binding

#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
namespace {
// The connection to the X display the windows are on; none on another window system (Qt's
// offscreen screen among them).
xcb_connection_t* xconnection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The display's atom of a name, made when the display has none yet.
xcb_atom_t xatom(xcb_connection_t* connection, const char* name) {
    xcb_atom_t atom = XCB_ATOM_NONE;
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    if (auto* reply = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr)) {
        atom = reply->atom;
        std::free(reply);
    }
    return atom;
}

// The 32-bit values of a window's property (of the type given, or of any), at most `most` of
// them; none where the window has no such property.
std::vector<std::uint32_t> xvalues(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                   xcb_atom_t type, std::uint32_t most) {
    std::vector<std::uint32_t> values;
    auto cookie = xcb_get_property(connection, 0, window, property, type, 0, most);
    if (auto* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->format == 32) {
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            values.assign(v, v + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
    }
    return values;
}

xcb_window_t xroot(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The window manager that runs on the screen, as a window of its own: the owner of the screen's
// manager selection (WM_S0, as ICCCM has a window manager take it), or else the check window that
// the root window names (_NET_SUPPORTING_WM_CHECK), where that window still exists and names
// itself; none where no window manager runs (it has ended or crashed, or never started). The X
// server answers this itself, a stopped window manager's included.
xcb_window_t windowmanagerwindow(xcb_connection_t* connection) {
    static const xcb_atom_t selection = xatom(connection, "WM_S0");
    static const xcb_atom_t check = xatom(connection, "_NET_SUPPORTING_WM_CHECK");
    xcb_window_t owner = XCB_WINDOW_NONE;
    if (auto* reply = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr)) {
        owner = reply->owner;
        std::free(reply);
    }
    if (owner != XCB_WINDOW_NONE) return owner;
    const auto named = xvalues(connection, xroot(connection), check, XCB_ATOM_WINDOW, 1);
    if (named.empty() || named[0] == XCB_WINDOW_NONE) return XCB_WINDOW_NONE;
    const auto itself = xvalues(connection, named[0], check, XCB_ATOM_WINDOW, 1);
    if (itself.size() != 1 || itself[0] != named[0]) return XCB_WINDOW_NONE;
    return named[0];
}

// The frame that the window manager tells on a window (_NET_FRAME_EXTENTS), where it does.
std::optional<QMargins> xframeextents(xcb_connection_t* connection, xcb_window_t window) {
    static const xcb_atom_t extents = xatom(connection, "_NET_FRAME_EXTENTS");
    // left, right, top, bottom
    const auto v = xvalues(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (v.size() != 4) return std::nullopt;
    return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[3]));
}
}  // namespace
#endif

std::optional<QMargins> toldmargins(const QWidget& window) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.isVisible() || !window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    // Once the window manager has gone, no frame is drawn, whatever it left on the window.
    if (windowmanagerwindow(connection) == XCB_WINDOW_NONE) return QMargins();
    return xframeextents(connection, static_cast<xcb_window_t>(window.winId()));
#else
    (void)window;
    return std::nullopt;
#endif
}

#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
namespace {
// Notes each window manager that announces itself on the screen: a window manager that starts
// names its check window on the root window (_NET_SUPPORTING_WM_CHECK) and tells the clients that
// it took the manager selection (MANAGER). A new one can have the window of one that ended.
class ManagerAnnouncements : public QAbstractNativeEventFilter {
public:
    explicit ManagerAnnouncements(xcb_connection_t* connection)
        : root_(xroot(connection)), check_(xatom(connection, "_NET_SUPPORTING_WM_CHECK")),
          manager_(xatom(connection, "MANAGER")), selection_(xatom(connection, "WM_S0")) {}
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_PROPERTY_NOTIFY: {
            const auto* e = static_cast<const xcb_property_notify_event_t*>(message);
            if (e->window == root_ && e->atom == check_) announced = true;
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto* e = static_cast<const xcb_client_message_event_t*>(message);
            if (e->window == root_ && e->type == manager_ && e->format == 32 && e->data.data32[1] == selection_)
                announced = true;
            break;
        }
        default: break;
        }
        return false;
    }
    bool announced = false;

private:
    xcb_window_t root_;
    xcb_atom_t check_, manager_, selection_;
};
}  // namespace
#endif

std::uintptr_t runningwindowmanager() {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection) return 0;
    // The toolkit takes the root window's property changes and client messages.
    static ManagerAnnouncements* announcements = [connection] {
        auto* filter = new ManagerAnnouncements(connection);
        QCoreApplication::instance()->installNativeEventFilter(filter);
        return filter;
    }();
    static xcb_window_t lastwindow = XCB_WINDOW_NONE;
    static std::uintptr_t managers = 0;
    const xcb_window_t window = windowmanagerwindow(connection);
    if (window == XCB_WINDOW_NONE) return 0;
    if (window != lastwindow || announcements->announced) {
        ++managers;
        lastwindow = window;
        announcements->announced = false;
    }
    return managers;
#else
    return 0;
#endif
}

namespace {
// The frame as the toolkit reckons it around the window.
QMargins reckonedmargins(const QWidget& window) {
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}
}  // namespace

QMargins windowmargins(const QWidget& window) {
    // The window manager tells the frame it draws on the window itself; the toolkit's own
    // reckoning can miss a frame given after the window was shown again, or count borders that
    // are not drawn.
    return toldmargins(window).value_or(reckonedmargins(window));
}

QRect windowframe(const QWidget& window) { return window.geometry().marginsAdded(windowmargins(window)); }

namespace {

// A window manager may keep the maximized or full-screen state of a window it no longer shows
// (the state list on the window) and give that state again at its next showing. While the
// window is withdrawn, the list is the program's to set: it is cleared, and the showing gives
// the window its normal state.
void forgetwithdrawnstate(QWidget& window) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return;
    static const xcb_atom_t state = xatom(connection, "_NET_WM_STATE");
    if (state == XCB_ATOM_NONE) return;
    xcb_delete_property(connection, static_cast<xcb_window_t>(window.winId()), state);
    xcb_flush(connection);
#else
    (void)window;
#endif
}

// Whether the window manager has let go of a hidden window: the state it keeps on the window
// (WM_STATE) is gone or says withdrawn. Without a window manager nothing keeps it.
bool withdrawn(const QWidget& window) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return true;
    static const xcb_atom_t state = xatom(connection, "WM_STATE");
    const auto v = xvalues(connection, static_cast<xcb_window_t>(window.winId()), state, state, 2);
    return v.empty() || v[0] == 0;  // WithdrawnState
#else
    (void)window;
    return true;
#endif
}

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

// Asks the window manager for the frame it will draw around the hidden window
// (_NET_REQUEST_FRAME_EXTENTS), where it takes that request; what a window manager told on the
// window before is removed first, so that the answer is known as such. False where it was not
// asked.
bool requestframeextents(QWidget& window) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection) return false;
    static const xcb_atom_t supported = xatom(connection, "_NET_SUPPORTED");
    static const xcb_atom_t request = xatom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    static const xcb_atom_t extents = xatom(connection, "_NET_FRAME_EXTENTS");
    const auto atoms = xvalues(connection, xroot(connection), supported, XCB_ATOM_ATOM, 4096);
    if (request == XCB_ATOM_NONE || std::find(atoms.begin(), atoms.end(), request) == atoms.end()) return false;
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_delete_property(connection, id, extents);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, xroot(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
#else
    (void)window;
    return false;
#endif
}

// The window's own area on the screen as the X server has it: where the window manager has put
// it, which the toolkit's reckoning, taken from the requests asked of it, can run ahead of.
std::optional<QRect> serverarea(const QWidget& window) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    std::optional<QRect> area;
    if (auto* g = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr)) {
        area = QRect(0, 0, g->width, g->height);
        std::free(g);
    }
    auto cookie = xcb_translate_coordinates(connection, id, xroot(connection), 0, 0);
    if (auto* t = xcb_translate_coordinates_reply(connection, cookie, nullptr)) {
        if (area) area->moveTopLeft(QPoint(t->dst_x, t->dst_y));
        std::free(t);
    } else {
        area.reset();
    }
    return area;
#else
    (void)window;
    return std::nullopt;
#endif
}

// The frame that the window manager told on a hidden window, where it did.
std::optional<QMargins> unmappedframe(const QWidget& window) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    return xframeextents(connection, static_cast<xcb_window_t>(window.winId()));
#else
    (void)window;
    return std::nullopt;
#endif
}

}  // namespace

FormBinding::FormBinding(App& app, Form& form, QWidget* window, QWidget* surface, bool placetwips)
    : QObject(window), app_(app), form_(form), window_(window), surface_(surface), placetwips_(placetwips),
      placeable_(!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))),
      framedlater_(QGuiApplication::platformName() == QLatin1String("xcb")) {
    form_.observer = this;
    for (Control* c : form_.controls) make(*c);
    adopted_ = form_.controls.size();
    window_->installEventFilter(this);
    if (framedlater_) QCoreApplication::instance()->installNativeEventFilter(this);
    syncall();
}

FormBinding::~FormBinding() {
    if (framedlater_) QCoreApplication::instance()->removeNativeEventFilter(this);
    if (form_.observer == this) form_.observer = nullptr;
    for (auto& [c, b] : bound_)
        if (b.control->observer == this) b.control->observer = nullptr;
}

QWidget* FormBinding::widget(const Control& c) const {
    auto it = bound_.find(&c);
    return it == bound_.end() ? nullptr : it->second.widget;
}

void FormBinding::make(Control& c) {
    if (bound_.count(&c)) return;
    Bound b;
    b.control = &c;
    c.observer = this;
    switch (c.kind()) {
    case ControlKind::Label: {
        auto* w = new QLabel(surface_);
        w->setTextFormat(Qt::PlainText);
        w->setWordWrap(placetwips_);
        b.widget = w;
        break;
    }
    case ControlKind::TextBox: {
        auto* w = new QLineEdit(surface_);
        auto& box = static_cast<TextBox&>(c);
        connect(w, &QLineEdit::textEdited, this, [this, w, &box](const QString& t) {
            const int cursor = w->cursorPosition();
            guarded(window_, [&] { box.setText(ss(t)); });
            keeptyped(*w, t, cursor, shown(box.Text()));
        });
        b.widget = w;
        break;
    }
    case ControlKind::ListBox: {
        auto* w = new QListWidget(surface_);
        auto& list = static_cast<ListBox&>(c);
        w->setSelectionMode(list.MultiSelect ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
        w->setUniformItemSizes(true);
        // An entry wider than the list is scrolled to, never cut short with an elision mark.
        w->setTextElideMode(Qt::ElideNone);
        w->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (list.MultiSelect) {
            connect(w, &QListWidget::itemSelectionChanged, this, [this, w, &list] {
                if (updating_) return;
                guarded(window_, [&] {
                    for (int i = 0; i < w->count() && i < list.ListCount(); ++i)
                        if (w->item(i)->isSelected() != list.Selected(i)) list.setSelected(i, w->item(i)->isSelected());
                });
            });
        } else {
            connect(w, &QListWidget::currentRowChanged, this, [this, &list](int row) {
                if (updating_ || row < 0 || row >= list.ListCount()) return;
                guarded(window_, [&] { list.setListIndex(row); });
            });
        }
        b.widget = w;
        break;
    }
    case ControlKind::ComboBox: {
        auto* w = new QComboBox(surface_);
        auto& combo = static_cast<ComboBox&>(c);
        w->setInsertPolicy(QComboBox::NoInsert);
        // The box is as wide as its longest entry; the opened list shows every entry whole.
        w->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        w->view()->setTextElideMode(Qt::ElideNone);
        seteditable(w, combo);
        connect(w, qOverload<int>(&QComboBox::activated), this, [this, &combo](int row) {
            if (updating_ || row < 0 || row >= combo.ListCount()) return;
            guarded(window_, [&] { combo.setListIndex(row); });
        });
        b.widget = w;
        break;
    }
    case ControlKind::CheckBox: {
        auto* w = new QCheckBox(surface_);
        auto& check = static_cast<CheckBox&>(c);
        connect(w, &QCheckBox::clicked, this, [this, &check](bool on) {
            guarded(window_, [&] {
                check.Value = on ? 1 : 0;
                check.Click();
            });
        });
        b.widget = w;
        break;
    }
    case ControlKind::OptionButton: {
        auto* w = new QRadioButton(surface_);
        w->setAutoExclusive(false);  // which options exclude each other is the model's decision
        auto& option = static_cast<OptionButton&>(c);
        connect(w, &QRadioButton::clicked, this, [this, w, &option](bool) {
            guarded(window_, [&] {
                option.Value = true;
                option.Click();
            });
            QSignalBlocker block(w);
            w->setChecked(option.Value());
        });
        b.widget = w;
        break;
    }
    case ControlKind::CommandButton: {
        auto* w = new QPushButton(surface_);
        w->setAutoDefault(false);
        connect(w, &QPushButton::clicked, this, [this, &c] { click(c); });
        b.widget = w;
        break;
    }
    case ControlKind::Frame: {
        auto* w = new QGroupBox(surface_);
        b.widget = w;
        break;
    }
    case ControlKind::PictureBox: b.widget = new PictureView(static_cast<PictureBox&>(c), surface_); break;
    case ControlKind::Timer: {
        auto* t = new QTimer(this);
        auto& timer = static_cast<Timer&>(c);
        connect(t, &QTimer::timeout, this, [this, &timer] {
            if (timer.onTimer) guarded(window_, timer.onTimer);
        });
        b.timer = t;
        break;
    }
    case ControlKind::MenuItem: break;  // bound to an action by the view that owns the menu bar
    }
    if (b.widget) b.widget->setObjectName(qs(c.index >= 0 ? c.name + "_" + std::to_string(c.index) : c.name));
    bound_[&c] = b;
}

void FormBinding::seteditable(QComboBox* w, ComboBox& combo) {
    w->setEditable(!combo.Locked());
    // The box takes what is typed letter for letter: no entry is completed into it.
    if (w->isEditable()) w->setCompleter(nullptr);
    QLineEdit* edit = w->lineEdit();
    if (edit && !edit->property("brasketbound").toBool()) {
        // What the analyst types goes to the model as the box's text.
        edit->setProperty("brasketbound", true);
        connect(edit, &QLineEdit::textEdited, this, [this, edit, &combo](const QString& t) {
            const int cursor = edit->cursorPosition();
            guarded(window_, [&] { combo.setText(ss(t)); });
            keeptyped(*edit, t, cursor, shown(combo.Text()));
        });
    }
}

void FormBinding::bindaction(MenuItem& item, QAction* action, const QString& defaultcaption, std::function<void()> run) {
    make(item);
    Bound& b = bound_[&item];
    b.action = action;
    b.defaultcaption = defaultcaption;
    connect(action, &QAction::triggered, this, [this, run] { guarded(window_, run); });
    sync(b);
}

void FormBinding::click(Control& c) {
    guarded(window_, [&] {
        if (c.onClick) {
            c.Click();
            return;
        }
        if (const Handler* h = app_.handlers.find(c.name + "_Click"); h && h->window == form_.name && h->run) h->run(app_);
    });
}

void FormBinding::adoptlate() {
    if (form_.controls.size() == adopted_) return;
    for (Control* c : form_.controls) {
        if (bound_.count(c) || c->kind() == ControlKind::MenuItem) continue;
        make(*c);
        Bound& b = bound_[c];
        if (b.widget && onlatecontrol) onlatecontrol(*c, b.widget);
        sync(b);
    }
    adopted_ = form_.controls.size();
}

void FormBinding::changed(Control& c) {
    // A control that joined the form after the binding was made gets its widget now.
    adoptlate();
    if (&c == &form_) {
        syncform();
        return;
    }
    auto it = bound_.find(&c);
    if (it == bound_.end()) return;
    if (c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox) schedule(c);
    else sync(it->second);
}

void FormBinding::schedule(Control& c) {
    dirty_.insert(&c);
    if (flushpending_) return;
    flushpending_ = true;
    QMetaObject::invokeMethod(this, [this] { flush(); }, Qt::QueuedConnection);
}

void FormBinding::flush() {
    releaseshowing();
    flushpending_ = false;
    auto dirty = std::move(dirty_);
    dirty_.clear();
    for (Control* c : dirty) {
        auto it = bound_.find(c);
        if (it != bound_.end()) sync(it->second);
    }
}

void FormBinding::syncall() {
    for (auto& [c, b] : bound_) sync(b);
    syncform();
}

void FormBinding::applylook(Control& c, QWidget* w) {
    w->setEnabled(c.Enabled());
    w->setToolTip(shown(c.ToolTipText()));
    w->setFont(screenfont(c.FontName(), c.FontSize(), c.FontBold()));
    QPalette pal = w->palette();
    QPalette base = surface_->palette();
    pal.setColor(QPalette::WindowText, colour(c.ForeColor(), base));
    pal.setColor(QPalette::Text, colour(c.ForeColor(), base));
    pal.setColor(QPalette::ButtonText, colour(c.ForeColor(), base));
    // A back colour other than the model's default white is one the window chose.
    bool ownback = c.BackColor() != 0xFFFFFF;
    switch (c.kind()) {
    case ControlKind::Label:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Frame:
        if (ownback) pal.setColor(QPalette::Window, colour(c.BackColor(), base));
        w->setAutoFillBackground(ownback);
        break;
    case ControlKind::CommandButton:
        if (ownback) pal.setColor(QPalette::Button, colour(c.BackColor(), base));
        break;
    default: pal.setColor(QPalette::Base, colour(c.BackColor(), base)); break;
    }
    w->setPalette(pal);
}

void FormBinding::syncgeometry(Bound& b) {
    if (!b.widget) return;
    placetomodel(b);
    if (onplaced) onplaced(*b.control, b.widget);
}

void FormBinding::placetomodel(Bound& b) {
    Control& c = *b.control;
    if (!placetwips_) {
        // Laid out by the view; a label keeps a size the window gives it (a progress bar
        // grows by its width).
        if (c.kind() == ControlKind::Label) {
            if (c.Width() > 0) b.widget->setFixedWidth(pixels(c.Width()));
            if (c.Height() > 0) b.widget->setFixedHeight(pixels(c.Height()));
        }
        return;
    }
    if (c.Width() > 0 && c.Height() > 0)
        b.widget->setGeometry(pixels(c.Left()), pixels(c.Top()), pixels(c.Width()), pixels(c.Height()));
    else {
        b.widget->adjustSize();
        b.widget->move(pixels(c.Left()), pixels(c.Top()));
    }
}

void FormBinding::sync(Bound& b) {
    Control& c = *b.control;
    ++updating_;
    if (b.action) {
        const std::string& caption = c.Caption();
        b.action->setText(caption.empty() ? b.defaultcaption : shown(caption));
        b.action->setVisible(c.Visible());
        b.action->setEnabled(c.Enabled());
        auto& item = static_cast<MenuItem&>(c);
        b.action->setCheckable(item.Checked());
        b.action->setChecked(item.Checked());
    }
    if (b.timer) {
        auto& timer = static_cast<Timer&>(c);
        if (c.Enabled() && timer.Interval() > 0) {
            if (!b.timer->isActive() || b.timer->interval() != timer.Interval()) b.timer->start(static_cast<int>(timer.Interval()));
        } else {
            b.timer->stop();
        }
    }
    if (QWidget* w = b.widget) {
        QSignalBlocker block(w);
        applylook(c, w);
        switch (c.kind()) {
        case ControlKind::Label: static_cast<QLabel*>(w)->setText(shown(c.Caption())); break;
        case ControlKind::TextBox: {
            auto* e = static_cast<QLineEdit*>(w);
            auto& box = static_cast<TextBox&>(c);
            if (e->text() != shown(box.Text())) e->setText(shown(box.Text()));
            e->setReadOnly(box.Locked());
            break;
        }
        case ControlKind::ListBox: synclist(static_cast<ListBox&>(c), w); break;
        case ControlKind::ComboBox: {
            auto* cb = static_cast<QComboBox*>(w);
            auto& combo = static_cast<ComboBox&>(c);
            while (cb->count() > combo.ListCount()) cb->removeItem(cb->count() - 1);
            for (int i = 0; i < combo.ListCount(); ++i) {
                if (i < cb->count()) {
                    if (cb->itemText(i) != entry(combo.List(i))) cb->setItemText(i, entry(combo.List(i)));
                } else {
                    cb->addItem(entry(combo.List(i)));
                }
            }
            if (cb->isEditable() == combo.Locked()) seteditable(cb, combo);
            // An editable box given its own entry again would take back the text typed over
            // it: the entry is given only when the model chose another.
            if (cb->currentIndex() != combo.ListIndex()) cb->setCurrentIndex(combo.ListIndex());
            // What the analyst typed is already the model's text: the box and its cursor stay as
            // the typing left them. A text the program sets is shown from its start, not
            // scrolled to its padding blanks.
            if (cb->isEditable() && cb->currentText() != shown(combo.Text())) {
                cb->setEditText(shown(combo.Text()));
                cb->lineEdit()->setCursorPosition(0);
            }
            break;
        }
        case ControlKind::CheckBox: static_cast<QCheckBox*>(w)->setChecked(static_cast<CheckBox&>(c).Value() != 0);
            static_cast<QCheckBox*>(w)->setText(shown(c.Caption()));
            break;
        case ControlKind::OptionButton: static_cast<QRadioButton*>(w)->setChecked(static_cast<OptionButton&>(c).Value());
            static_cast<QRadioButton*>(w)->setText(shown(c.Caption()));
            break;
        case ControlKind::CommandButton: static_cast<QPushButton*>(w)->setText(shown(c.Caption())); break;
        case ControlKind::Frame: static_cast<QGroupBox*>(w)->setTitle(shown(c.Caption())); break;
        case ControlKind::PictureBox: w->update(); break;
        default: break;
        }
        syncgeometry(b);
        if (w->isVisibleTo(surface_) != c.Visible()) w->setVisible(c.Visible());
    }
    --updating_;
}

void FormBinding::synclist(ListBox& list, QWidget* widget) {
    auto* w = static_cast<QListWidget*>(widget);
    int n = list.ListCount();
    while (w->count() > n) delete w->takeItem(w->count() - 1);
    for (int i = 0; i < n; ++i) {
        QString text = entry(list.List(i));
        if (i < w->count()) {
            if (w->item(i)->text() != text) w->item(i)->setText(text);
        } else {
            w->addItem(text);
        }
    }
    // The list is at least as wide as its longest entry, so that every entry shows whole.
    const int entries = w->sizeHintForColumn(0);
    const int wanted = entries + 2 * w->frameWidth() + w->verticalScrollBar()->sizeHint().width() + 4;
    if (entries > 0 && w->minimumWidth() != wanted) w->setMinimumWidth(wanted);
    if (list.MultiSelect) {
        for (int i = 0; i < n; ++i)
            if (w->item(i)->isSelected() != list.Selected(i)) w->item(i)->setSelected(list.Selected(i));
    } else if (w->currentRow() != list.ListIndex()) {
        w->setCurrentRow(list.ListIndex());
        if (list.ListIndex() >= 0) w->scrollToItem(w->item(list.ListIndex()));
    }
}

void FormBinding::syncform() {
    if (!window_ || syncingform_) return;
    // Setting the form's own place and size below tells the binding again; this call already
    // brings the window to the form.
    syncingform_ = true;
    ++updating_;
    if (!form_.Caption().empty()) window_->setWindowTitle(shown(form_.Caption()));
    if (form_.MousePointer() == 11) window_->setCursor(Qt::WaitCursor);
    else window_->unsetCursor();
    const bool showing = form_.Visible() && !window_->isVisible();
    if (showing && framedlater_ && !releasing_) {
        // A window manager maps the window where and as large as it stands when shown, and takes a
        // later place or size as a change of the shown window. A form shown in its own load gets
        // its place and size after it is shown: the window is shown once the handler that showed
        // it has ended, at the place and size the form has then.
        if (!showheld_) {
            showheld_ = true;
            QMetaObject::invokeMethod(this, [this] { releaseshowing(); }, Qt::QueuedConnection);
        }
        --updating_;
        syncingform_ = false;
        if (onformchanged) onformchanged();
        return;
    }
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
    const bool sized = form_.Width() > 0 && form_.Height() > 0;
    if (placing_ || showing) {
        // The window's first place and size: the form's, kept inside the screen with its frame
        // (its controls scroll where the layout is larger); the form takes what the window gets.
        QRect want = fitted(sized ? formframe() : centred(windowframe(*window_)));
        if (!sized || want != formframe()) setformframe(want);
        // Once shown, the window is asked for nothing more until the window manager has framed it:
        // a request that reaches it in the middle of its framing can be taken for the place of the
        // window's own area. The form's changes meanwhile are asked for at once when it is framed.
        if (window_->isVisible() && placing_ && framedlater_ && !onscreen()) held_ = true;
        else applyframe(want);
    } else if (sized) {
        applyframe(formframe());
    }
    if (showing) {
        // A window about as large as the free area would be maximized by some window managers at
        // its mapping (GNOME's and KDE's); it opens in its normal state.
        withholdmaximize(true);
        shownunder_ = runningwindowmanager();
        window_->show();
        // Where the toolkit draws the frame itself (a Wayland session), the frame is known once
        // the window is shown, and a window shown at the size it asked is told no new size: a
        // window sized before the frame was known is sized for it now.
        if (!framedlater_) knowframe(reckonedmargins(*window_), false);
        window_->raise();
        window_->activateWindow();
        frontrequests_ = form_.frontrequests;
    } else if (!form_.Visible() && window_->isVisible()) {
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
    } else if (form_.Visible() && frontrequests_ != form_.frontrequests) {
        // Shown again while open: the window comes back from the task bar (in the state it had
        // before it went there) and to the front, as at its first showing.
        frontrequests_ = form_.frontrequests;
        if (window_->isMinimized()) window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
        window_->raise();
        window_->activateWindow();
    }
    --updating_;
    syncingform_ = false;
    if (onformchanged) onformchanged();
}

namespace {

#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
// A text property of a window (UTF-8), empty where it has none.
std::string xtext(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
    std::string text;
    auto cookie = xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    if (auto* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->format == 8)
            text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                        static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return text;
}

// The name the running window manager gives itself (_NET_WM_NAME of its check window).
std::string windowmanagername(xcb_connection_t* connection) {
    static const xcb_atom_t check = xatom(connection, "_NET_SUPPORTING_WM_CHECK");
    static const xcb_atom_t name = xatom(connection, "_NET_WM_NAME");
    const auto manager = xvalues(connection, xroot(connection), check, XCB_ATOM_WINDOW, 1);
    return manager.empty() ? std::string() : xtext(connection, manager[0], name);
}
#endif

}  // namespace

void FormBinding::withholdmaximize(bool withhold) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    if (withhold == maximizewithheld_) return;
    xcb_connection_t* connection = xconnection();
    if (!connection || !window_ || !window_->testAttribute(Qt::WA_WState_Created)) return;
    const auto id = static_cast<xcb_window_t>(window_->winId());
    // The window's functions as the window manager reads them: flags, functions, decorations,
    // input mode, status. With the flag of functions the list says which functions the window
    // has, or, with the bit of all functions, which of them it has not.
    constexpr std::uint32_t functionsflag = 1, allfunctions = 1, maximizefunction = 0x10;
    static const xcb_atom_t motifhints = xatom(connection, "_MOTIF_WM_HINTS");
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
        ownmotifhints_ = xvalues(connection, id, motifhints, XCB_GET_PROPERTY_TYPE_ANY, 5);
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
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, motifhints, motifhints, 32, 5, hints.data());
        // KDE's window manager reads no function from these hints: only a window of a fixed size
        // escapes its rule. The size is fixed only there, as other window managers draw a fixed
        // window's frame without its sizing handles.
        const std::string manager = windowmanagername(connection);
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
        if (!ownmotifhints_.empty())
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, motifhints, motifhints, 32,
                                static_cast<std::uint32_t>(ownmotifhints_.size()), ownmotifhints_.data());
        else
            xcb_delete_property(connection, id, motifhints);
        if (fixedwhilemapped_) {
            ++updating_;
            window_->setMinimumSize(ownlimits_.first);
            window_->setMaximumSize(ownlimits_.second);
            --updating_;
            fixedwhilemapped_ = false;
        }
    }
    xcb_flush(connection);
    maximizewithheld_ = withhold;
#else
    (void)withhold;
#endif
}

bool FormBinding::awaitwindowmanager() {
    // Only a window manager that runs is waited for: once it has gone (or where none ever ran)
    // nothing withdraws the window or frames it.
    const std::uintptr_t manager = runningwindowmanager();
    if (!manager) return false;
    if (!sinceheld_.isValid()) sinceheld_.start();
    if (sinceheld_.elapsed() >= 3000) return false;
    // A window closed a moment ago is the window manager's until it has let it go: a busy window
    // manager would take the showing's requests for ones of the window it still frames. A window
    // manager that started since never had the window.
    if (manager == shownunder_ && !withdrawn(*window_)) return true;
    // The first window this window manager frames is sized for its frame all the same: asked
    // for it, the window manager tells it on the window before the window is mapped.
    if (!lastframe().isNull()) return false;
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

void FormBinding::releaseshowing() {
    if (!showheld_) return;
    if (!window_ || !form_.Visible() || window_->isVisible()) {
        showheld_ = false;
        return;
    }
    // The showing waits for the window manager, for three seconds at most.
    if (awaitwindowmanager()) {
        if (!managerawaited_) {
            managerawaited_ = true;
            QTimer::singleShot(20, this, [this] {
                managerawaited_ = false;
                releaseshowing();
            });
        }
        return;
    }
    sinceheld_.invalidate();
    framerequested_ = false;
    showheld_ = false;
    releasing_ = true;
    syncform();
    releasing_ = false;
}

QRect FormBinding::formframe() const {
    return {pixels(form_.Left()), pixels(form_.Top()), pixels(form_.Width()), pixels(form_.Height())};
}

void FormBinding::setformframe(const QRect& frame) {
    // The four properties are one place and size: the window is not brought to each on its own.
    const bool syncing = syncingform_;
    syncingform_ = true;
    form_.Left = twips(frame.left());
    form_.Top = twips(frame.top());
    form_.Width = twips(frame.width());
    form_.Height = twips(frame.height());
    syncingform_ = syncing;
}

QRect FormBinding::centred(QRect frame) const {
    QScreen* screen = window_->screen();
    if (screen) frame.moveCenter(screen->availableGeometry().center());
    return frame;
}

QRect FormBinding::fitted(QRect frame) const {
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = window_->screen();
    if (!screen) return frame;
    const QRect free = screen->availableGeometry();
    frame.setSize(frame.size().boundedTo(free.size()));
    frame.moveLeft(std::clamp(frame.left(), free.left(), free.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), free.top(), free.bottom() + 1 - frame.height()));
    return frame;
}

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

QMargins FormBinding::framemargins() const {
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

void FormBinding::applyframe(const QRect& frame) {
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

void FormBinding::placehidden(QPoint place, QSize inner, const QMargins& frame) {
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

bool FormBinding::echo(QEvent::Type type, const QRect& frame) {
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

void FormBinding::startplacing() {
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

void FormBinding::placingtick() {
    if (!placing_ || !window_ || !window_->isVisible()) {
        placing_ = false;
        placingtimer_->stop();
        if (window_) withholdmaximize(false);
        return;
    }
    // The window manager maps the window when it comes to it (later on a busy machine), and
    // frames and sizes it around then; a window that never comes on screen is given up on.
    const bool exposed = onscreen();
    if (!exposed && sinceshown_.elapsed() < 10000) return;
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
    if (sincereport_.elapsed() < quietms) return;
    // Framed and quiet now, the window may still sit elsewhere than asked.
    if (correct()) {
        sincereport_.start();
        return;
    }
    endplacing();
}

bool FormBinding::onscreen() const {
    // The window manager maps a window once it has framed it; the window is exposed then.
    const QWindow* handle = window_->windowHandle();
    return window_->isVisible() && handle && handle->isExposed();
}

bool FormBinding::correct() {
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

void FormBinding::endplacing() {
    placing_ = false;
    placingtimer_->stop();
    withholdmaximize(false);
    // Where the window system kept a place or size other than the one asked (a window manager
    // that allows no such window), the form takes what the window has, within the screen: a place
    // that would put the title bar off the screen is never the form's.
    const QRect frame = windowframe(*window_);
    const QRect kept = fitted(frame);
    if (kept != formframe()) setformframe(kept);
    if (isnormal()) {
        normalframe_ = kept;
        notemargins();
    }
}

void FormBinding::notemargins() {
    // Only a frame the window manager told: the toolkit's reckoning counts the borders that a
    // compositing window manager offers for sizing but does not draw.
    const QMargins m = framedlater_ ? toldmargins(*window_).value_or(QMargins()) : windowmargins(*window_);
    if (!m.isNull() && isnormal()) notelastframe(m);
}

bool FormBinding::isnormal() const {
    // The widget and its native window each keep a state; a hidden widget can have lost the
    // state its native window keeps for the next showing.
    Qt::WindowStates states = window_->windowState();
    if (const QWindow* handle = window_->windowHandle()) states |= handle->windowStates();
    return !(states & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void FormBinding::statechanged(Qt::WindowStates old) {
    // The window manager's maximize, restore or minimize supersedes the program's requests: a
    // size it gives is never taken for the report of one of them.
    requests_.clear();
    if ((old & (Qt::WindowMaximized | Qt::WindowFullScreen)) && isnormal()) restored_ = true;
    notenormalsoon();
}

void FormBinding::notenormalsoon() {
    if (!normaltimer_) normaltimer_ = quiettimer(this, [this] { notenormal(); });
    normaltimer_->start();
}

void FormBinding::notenormal() {
    if (!window_ || !window_->isVisible() || placing_) return;
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

bool FormBinding::knowframe(const QMargins& m, bool told) {
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

bool FormBinding::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
#if defined(BRASKET_HAVE_XCB) && QT_CONFIG(xcb)
    // A window manager that starts takes the shown window into a frame of its own, and one that
    // ends (or crashes) gives it back to the screen: the window is looked at once that is over.
    if (type != "xcb_generic_event_t" || !window_ || !window_->testAttribute(Qt::WA_WState_Created)) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_REPARENT_NOTIFY) return false;
    const auto* e = static_cast<const xcb_reparent_notify_event_t*>(message);
    // (A window being placed is taken into its frame as part of its showing.)
    if (e->window != static_cast<xcb_window_t>(window_->winId()) || !window_->isVisible() || placing_) return false;
    if (!managertimer_) managertimer_ = quiettimer(this, [this] { managerchanged(); });
    managertimer_->start();
#else
    (void)type;
    (void)message;
#endif
    return false;
}

void FormBinding::managerchanged() {
    if (!window_ || !window_->isVisible() || placing_ || !isnormal()) return;
    const std::uintptr_t manager = runningwindowmanager();
    if (manager == shownunder_) return;
    // A window manager that started (or replaced another) while the window was open frames it
    // where it stands, around its own area, and one that ended leaves it where it stood without a
    // frame: the window is placed anew in the form's frame, as at a showing.
    shownunder_ = manager;
    startplacing();
    held_ = true;
}

void FormBinding::reported(QEvent::Type type) {
    // A window manager taking the window into its frame or giving it back is not the user's move.
    if (managertimer_ && managertimer_->isActive()) return;
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

void FormBinding::takeframe(const QRect& frame) {
    // Where the window system places the windows itself, the place it tells is not one on the
    // screen (a Wayland client is told none): the form keeps its own.
    setformframe(placeable_ ? frame : QRect(formframe().topLeft(), frame.size()));
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        // A place or size that the window system reports goes to the model when it is the
        // user's; one that other code of the program gives the shown window goes there too.
        // Sizes of a hidden window are not the form's: its showing gives it the form's.
        if (!updating_ && window_->isVisible()) {
            if (event->spontaneous()) reported(event->type());
            else takeframe(windowframe(*window_));
        }
        // The window's resize handler runs, as it does for a size set from code.
        if (event->type() == QEvent::Resize && form_.onResize) guarded(window_, form_.onResize);
    } else if (event->type() == QEvent::WindowStateChange) {
        statechanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
    } else if (event->type() == QEvent::Close) {
        // Closing a window unloads it; the next showing loads it afresh.
        if (onclose) {
            guarded(window_, onclose);
        } else {
            form_.loaded = false;
            form_.Visible = false;
        }
    }
    return false;
}

}  // namespace brasket::gui
