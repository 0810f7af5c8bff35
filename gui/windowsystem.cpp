#include "windowsystem.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#if defined(BRASKET_HAVE_XCB)
#include <qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace brasket::gui {

QMargins reckonedmargins(const QWidget& window) {
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QMargins windowmargins(const QWidget& window) {
    // The window manager tells the frame it draws on the window itself; the toolkit's own
    // reckoning can miss a frame given after the window was shown again, or count borders that
    // are not drawn.
    return toldmargins(window).value_or(reckonedmargins(window));
}

QRect windowframe(const QWidget& window) { return window.geometry().marginsAdded(windowmargins(window)); }

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

// Removes properties of the window's, those of the names given.
void deleteproperties(QWidget& window, std::initializer_list<const char*> names) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return;
    for (const char* name : names)
        if (const xcb_atom_t atom = xatom(connection, name); atom != XCB_ATOM_NONE)
            xcb_delete_property(connection, static_cast<xcb_window_t>(window.winId()), atom);
    xcb_flush(connection);
}

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

// The window's functions as the window manager reads them (_MOTIF_WM_HINTS).
xcb_atom_t motifatom(xcb_connection_t* connection) {
    static const xcb_atom_t motifhints = xatom(connection, "_MOTIF_WM_HINTS");
    return motifhints;
}
}  // namespace

std::optional<QMargins> toldmargins(const QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.isVisible() || !window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    // Once the window manager has gone, no frame is drawn, whatever it left on the window.
    if (windowmanagerwindow(connection) == XCB_WINDOW_NONE) return QMargins();
    return xframeextents(connection, static_cast<xcb_window_t>(window.winId()));
}

namespace {
// The window of the window manager that ran when last asked, how many have announced themselves
// since the program started, and the windows of those that another took the screen from (or that
// gave it up), as long as they may still exist: one that is stopped or hung keeps its window, and
// the X server keeps redirecting the windows' requests to it, until it ends.
struct ManagerWatch {
    xcb_window_t lastwindow = XCB_WINDOW_NONE;
    std::uintptr_t managers = 0;
    std::vector<xcb_window_t> former;
};
ManagerWatch& managerwatch() {
    static ManagerWatch watch;
    return watch;
}
}  // namespace

std::uintptr_t runningwindowmanager() {
    xcb_connection_t* connection = xconnection();
    if (!connection) return 0;
    // The toolkit takes the root window's property changes and client messages.
    static ManagerAnnouncements* announcements = [connection] {
        auto* filter = new ManagerAnnouncements(connection);
        QCoreApplication::instance()->installNativeEventFilter(filter);
        return filter;
    }();
    ManagerWatch& watch = managerwatch();
    const xcb_window_t window = windowmanagerwindow(connection);
    if (window != watch.lastwindow && watch.lastwindow != XCB_WINDOW_NONE) watch.former.push_back(watch.lastwindow);
    if (window == XCB_WINDOW_NONE) {
        watch.lastwindow = XCB_WINDOW_NONE;
        return 0;
    }
    if (window != watch.lastwindow || announcements->announced) {
        ++watch.managers;
        watch.lastwindow = window;
        announcements->announced = false;
    }
    return watch.managers;
}

bool windowmanagerending() {
    xcb_connection_t* connection = xconnection();
    if (!connection) return false;
    runningwindowmanager();
    ManagerWatch& watch = managerwatch();
    // A window that is gone answers with an error, taken here rather than among the events.
    const auto gone = [&](xcb_window_t window) {
        if (window == watch.lastwindow) return true;
        xcb_generic_error_t* error = nullptr;
        auto* a = xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), &error);
        const bool missing = a == nullptr;
        std::free(error);
        std::free(a);
        return missing;
    };
    watch.former.erase(std::remove_if(watch.former.begin(), watch.former.end(), gone), watch.former.end());
    return !watch.former.empty();
}

// A window manager may keep the maximized or full-screen state of a window it no longer shows
// (the state list on the window) and give that state again at its next showing. While the
// window is withdrawn, the list is the program's to set: it is cleared, and the showing gives
// the window its normal state.
void forgetwithdrawnstate(QWidget& window) {
    deleteproperties(window, {"_NET_WM_STATE"});
}

// A window manager that ends leaves the states it kept on its windows (minimized, maximized)
// there, and the next one to start takes them up again: once none runs, they are the program's
// to clear.
void forgetmanagerstate(QWidget& window) {
    deleteproperties(window, {"WM_STATE", "_NET_WM_STATE"});
}

// Whether the window manager has let go of a hidden window: the state it keeps on the window
// (WM_STATE) is gone or says withdrawn. Without a window manager nothing keeps it.
bool withdrawn(const QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return true;
    static const xcb_atom_t state = xatom(connection, "WM_STATE");
    const auto v = xvalues(connection, static_cast<xcb_window_t>(window.winId()), state, state, 2);
    return v.empty() || v[0] == 0;  // WithdrawnState
}

bool mappedonscreen(const QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection) return true;
    if (!window.testAttribute(Qt::WA_WState_Created)) return false;
    bool viewable = false;
    const auto id = static_cast<xcb_window_t>(window.winId());
    if (auto* a = xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr)) {
        viewable = a->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(a);
    }
    return viewable;
}

// Asks the window manager for the frame it will draw around the hidden window
// (_NET_REQUEST_FRAME_EXTENTS), where it takes that request; what a window manager told on the
// window before is removed first, so that the answer is known as such. False where it was not
// asked.
bool requestframeextents(QWidget& window) {
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
}

// The window's own area on the screen as the X server has it: where the window manager has put
// it, which the toolkit's reckoning, taken from the requests asked of it, can run ahead of.
std::optional<QRect> serverarea(const QWidget& window) {
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
}

// Whether the window manager holds the window maximized or full screen (_NET_WM_STATE, as it keeps
// it on the window), whatever the toolkit took from it so far.
bool maximizedstate(const QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return false;
    static const xcb_atom_t state = xatom(connection, "_NET_WM_STATE");
    static const xcb_atom_t vertical = xatom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
    static const xcb_atom_t horizontal = xatom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ");
    static const xcb_atom_t fullscreen = xatom(connection, "_NET_WM_STATE_FULLSCREEN");
    for (std::uint32_t atom : xvalues(connection, static_cast<xcb_window_t>(window.winId()), state, XCB_ATOM_ATOM, 64))
        if (atom == vertical || atom == horizontal || atom == fullscreen) return true;
    return false;
}

// The frame that the window manager told on a hidden window, where it did.
std::optional<QMargins> unmappedframe(const QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    return xframeextents(connection, static_cast<xcb_window_t>(window.winId()));
}

std::string windowmanagername() {
    xcb_connection_t* connection = xconnection();
    return connection ? windowmanagername(connection) : std::string();
}

std::vector<std::uint32_t> motifhints(const QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return {};
    return xvalues(connection, static_cast<xcb_window_t>(window.winId()), motifatom(connection), XCB_GET_PROPERTY_TYPE_ANY, 5);
}

void setmotifhints(QWidget& window, const std::vector<std::uint32_t>& hints) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t atom = motifatom(connection);
    if (hints.empty())
        xcb_delete_property(connection, id, atom);
    else
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, static_cast<std::uint32_t>(hints.size()),
                            hints.data());
    xcb_flush(connection);
}

ServerWindow serverwindow(const QWidget& window) {
    ServerWindow held;
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return held;
    static const xcb_atom_t state = xatom(connection, "WM_STATE");
    const auto id = static_cast<xcb_window_t>(window.winId());
    // The three questions go out together and are answered in order.
    const auto attributes = xcb_get_window_attributes(connection, id);
    const auto tree = xcb_query_tree(connection, id);
    const auto property = xcb_get_property(connection, 0, id, state, state, 0, 2);
    if (auto* a = xcb_get_window_attributes_reply(connection, attributes, nullptr)) {
        held.mapped = a->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(a);
    }
    if (auto* t = xcb_query_tree_reply(connection, tree, nullptr)) {
        held.toplevel = t->parent == t->root;
        std::free(t);
    }
    if (auto* reply = xcb_get_property_reply(connection, property, nullptr)) {
        if (reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
            switch (*static_cast<const std::uint32_t*>(xcb_get_property_value(reply))) {
            case 0: held.managed = ServerWindow::Managed::withdrawn; break;
            case 3: held.managed = ServerWindow::Managed::iconic; break;
            default: held.managed = ServerWindow::Managed::normal; break;
            }
        }
        std::free(reply);
    }
    return held;
}

void mapwindow(QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return;
    xcb_map_window(connection, static_cast<xcb_window_t>(window.winId()));
    xcb_flush(connection);
}

void unmapwindow(QWidget& window) {
    xcb_connection_t* connection = xconnection();
    if (!connection || !window.testAttribute(Qt::WA_WState_Created)) return;
    // As ICCCM has a client withdraw a window: unmapped, and the window manager told so on the
    // root window, in case it takes the unmapping for one of its own.
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_unmap_window(connection, id);
    xcb_unmap_notify_event_t withdrawal{};
    withdrawal.response_type = XCB_UNMAP_NOTIFY;
    withdrawal.event = xroot(connection);
    withdrawal.window = id;
    xcb_send_event(connection, 0, xroot(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&withdrawal));
    xcb_flush(connection);
}

bool reparentedormapped(const QByteArray& type, const void* message, const QWidget& window) {
    if (type != "xcb_generic_event_t" || !window.testAttribute(Qt::WA_WState_Created)) return false;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_REPARENT_NOTIFY: return static_cast<const xcb_reparent_notify_event_t*>(message)->window == id;
    case XCB_MAP_NOTIFY: return static_cast<const xcb_map_notify_event_t*>(message)->window == id;
    case XCB_UNMAP_NOTIFY: return static_cast<const xcb_unmap_notify_event_t*>(message)->window == id;
    default: return false;
    }
}

#else

// Built without the X connection, the program holds no conversation with a window manager: none is
// known to run or to tell a frame, a window is on screen once shown and withdrawn once hidden.
std::optional<QMargins> toldmargins(const QWidget&) { return std::nullopt; }
std::uintptr_t runningwindowmanager() { return 0; }
void forgetwithdrawnstate(QWidget&) {}
void forgetmanagerstate(QWidget&) {}
bool withdrawn(const QWidget&) { return true; }
bool mappedonscreen(const QWidget&) { return true; }
bool requestframeextents(QWidget&) { return false; }
std::optional<QRect> serverarea(const QWidget&) { return std::nullopt; }
bool maximizedstate(const QWidget&) { return false; }
std::optional<QMargins> unmappedframe(const QWidget&) { return std::nullopt; }
std::string windowmanagername() { return {}; }
std::vector<std::uint32_t> motifhints(const QWidget&) { return {}; }
void setmotifhints(QWidget&, const std::vector<std::uint32_t>&) {}
bool windowmanagerending() { return false; }
ServerWindow serverwindow(const QWidget& window) {
    ServerWindow held;
    held.mapped = window.isVisible();
    return held;
}
void mapwindow(QWidget&) {}
void unmapwindow(QWidget&) {}
bool reparentedormapped(const QByteArray&, const void*, const QWidget&) { return false; }

#endif

}  // namespace brasket::gui
