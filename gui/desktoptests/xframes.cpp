#include "xframes.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>
#include <set>
#include <xcb/xcb.h>

namespace brasket::gui::desktop {

FrameWatch::FrameWatch() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    // Many clients may watch the root window's children; only one (the window manager) may
    // redirect them.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { take(); });
    since_.start();
}

FrameWatch::~FrameWatch() {
    notifier_.reset();
    if (connection_) xcb_disconnect(connection_);
}

void FrameWatch::restart() {
    take();
    noted_.clear();
    since_.restart();
}

unsigned FrameWatch::toplevelof(unsigned window) {
    // The window managers put windows of their own between the frame and the program's window.
    for (int depth = 0; depth < 16; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr);
        if (!tree) return window;
        const unsigned parent = tree->parent;
        std::free(tree);
        if (parent == root_ || parent == XCB_WINDOW_NONE) return window;
        window = parent;
    }
    return window;
}

FrameWatch::TopLevel& FrameWatch::known(unsigned toplevel) {
    auto it = toplevels_.find(toplevel);
    if (it != toplevels_.end()) return it->second;
    // A window made before the watch began: the X server tells where it stands now.
    TopLevel t;
    if (auto* g = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, toplevel), nullptr)) {
        t.outer = QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
        std::free(g);
    }
    if (auto* a = xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, toplevel), nullptr)) {
        t.mapped = a->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(a);
    }
    return toplevels_[toplevel] = t;
}

xcb_atom_t xatom(xcb_connection_t* connection, const char* name) {
    xcb_atom_t atom = XCB_ATOM_NONE;
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    if (auto* reply = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr)) {
        atom = reply->atom;
        std::free(reply);
    }
    return atom;
}

QRect FrameWatch::toldframe(unsigned window) {
    if (!connection_) return {};
    QRect own;
    if (auto* g = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr)) {
        own.setSize(QSize(g->width, g->height));
        std::free(g);
    }
    if (auto* t = xcb_translate_coordinates_reply(connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0),
                                                  nullptr)) {
        own.moveTopLeft(QPoint(t->dst_x, t->dst_y));
        std::free(t);
    }
    QMargins margins;
    const xcb_atom_t extents = xatom(connection_, "_NET_FRAME_EXTENTS");
    auto cookie = xcb_get_property(connection_, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4);
    if (auto* reply = xcb_get_property_reply(connection_, cookie, nullptr)) {
        if (reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
            // left, right, top, bottom
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            margins = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[3]));
        }
        std::free(reply);
    }
    return own.marginsAdded(margins);
}

void FrameWatch::note(unsigned toplevel) {
    // Only a root child that is mapped at the round's end is on the screen.
    auto it = toplevels_.find(toplevel);
    if (it == toplevels_.end() || !it->second.mapped) return;
    const TopLevel& t = it->second;
    if (!t.held) {
        // A window that no window manager frames, or one of another client's.
        noted_.push_back({toplevel, t.outer, since_.elapsed()});
        return;
    }
    // A frame: what is drawn is the frame the window manager tells around the window it holds;
    // its own window can be larger, with edges it offers for sizing but does not draw. Some window
    // managers map a new frame before they size it (at the size of the window it holds, or at a
    // single pixel): a frame with no room around the window is not drawn yet.
    const QRect drawn = toldframe(t.held);
    QSize own;
    if (auto* g = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, t.held), nullptr)) {
        own = QSize(g->width, g->height);
        std::free(g);
    }
    if (t.outer.width() <= own.width() && t.outer.height() <= own.height()) return;
    noted_.push_back({t.held, drawn.size() == own ? t.outer : drawn, since_.elapsed()});
}

void FrameWatch::take() {
    if (!connection_) return;
    // The X server hands its events on after each round of requests it carries out: what a window
    // manager did in one round (mapped a frame and then sized it, say) is one frame on the screen,
    // noted as it stands at the round's end.
    while (xcb_generic_event_t* first = xcb_poll_for_event(connection_)) {
        std::set<unsigned> shown;  // root children mapped, moved or sized in this round
        for (xcb_generic_event_t* event = first; event; event = xcb_poll_for_queued_event(connection_)) {
            takeone(event, shown);
            std::free(event);
        }
        for (unsigned toplevel : shown) note(toplevel);
    }
}

void FrameWatch::takeone(xcb_generic_event_t* event, std::set<unsigned>& shown) {
    // Events that another client sent (a window manager's word to a window on where its frame put
    // it) are not the X server's.
    if (event->response_type & 0x80) return;
    switch (event->response_type) {
    case XCB_CREATE_NOTIFY: {
        auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
        if (e->parent == root_)
            toplevels_[e->window] = {QRect(e->x, e->y, e->width + 2 * e->border_width, e->height + 2 * e->border_width)};
        break;
    }
    case XCB_DESTROY_NOTIFY:
        toplevels_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
        break;
    case XCB_MAP_NOTIFY: {
        auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (e->event != root_) break;
        known(e->window).mapped = true;
        shown.insert(e->window);
        break;
    }
    case XCB_UNMAP_NOTIFY: {
        auto* e = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
        if (e->event == root_) known(e->window).mapped = false;
        break;
    }
    case XCB_CONFIGURE_NOTIFY: {
        auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        if (e->event != root_) break;
        known(e->window).outer = QRect(e->x, e->y, e->width + 2 * e->border_width, e->height + 2 * e->border_width);
        shown.insert(e->window);
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        auto* e = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
        // Taken from the root window into a frame (or a window of the frame's), or given back to
        // it when withdrawn: a root child again, not mapped.
        toplevels_.erase(e->window);
        if (e->parent == root_) {
            known(e->window).mapped = false;
        } else {
            known(toplevelof(e->parent)).held = e->window;
        }
        break;
    }
    default: break;
    }
}

std::vector<SeenFrame> FrameWatch::seen(const QWidget& window) {
    take();
    const auto id = static_cast<unsigned>(window.winId());
    std::vector<SeenFrame> frames;
    for (const Noted& n : noted_) {
        if (n.window != id) continue;
        SeenFrame s{n.frame, n.ms};
        if (frames.empty() || !(frames.back() == s)) frames.push_back(s);
    }
    return frames;
}

bool FrameWatch::maximized(const QWidget& window) {
    if (!connection_) return false;
    const xcb_atom_t vertical = xatom(connection_, "_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t horizontal = xatom(connection_, "_NET_WM_STATE_MAXIMIZED_HORZ");
    bool found = false;
    const xcb_atom_t state = xatom(connection_, "_NET_WM_STATE");
    auto cookie = xcb_get_property(connection_, 0, static_cast<xcb_window_t>(window.winId()), state,
                                   XCB_ATOM_ATOM, 0, 32);
    if (auto* reply = xcb_get_property_reply(connection_, cookie, nullptr)) {
        const auto* states = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int n = xcb_get_property_value_length(reply) / 4;
        for (int k = 0; k < n; ++k) found = found || states[k] == vertical || states[k] == horizontal;
        std::free(reply);
    }
    return found;
}

QString describe(const std::vector<SeenFrame>& frames) {
    QStringList parts;
    for (const SeenFrame& s : frames)
        parts << QStringLiteral("%1,%2 %3x%4 at %5 ms")
                     .arg(s.frame.x())
                     .arg(s.frame.y())
                     .arg(s.frame.width())
                     .arg(s.frame.height())
                     .arg(s.ms);
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral("; "));
}

}  // namespace brasket::gui::desktop
