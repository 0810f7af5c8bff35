// What the window system holds of a top-level window and of the window manager that frames it,
// read and written on the X display the program's windows are on (the window manager's own
// properties on the window, the X server's geometry and mapping). On another window system (a
// Wayland session, Qt's offscreen screen) nothing is read there: each says what it answers then.
#pragma once
#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brasket::gui {

// The frame (title bar and borders) that the window manager draws around a shown window, and the
// window's place and size with it.
QMargins windowmargins(const QWidget& window);
QRect windowframe(const QWidget& window);
// The frame as the window manager tells it on the shown window (_NET_FRAME_EXTENTS), where it
// does; none drawn once no window manager runs.
std::optional<QMargins> toldmargins(const QWidget& window);
// The frame as the toolkit reckons it around the window.
QMargins reckonedmargins(const QWidget& window);
// The frame that the window manager told on a hidden window, where it did.
std::optional<QMargins> unmappedframe(const QWidget& window);
// Asks the window manager for the frame it will draw around the hidden window; false where it
// takes no such request.
bool requestframeextents(QWidget& window);
// The window's own area on the screen as the X server has it.
std::optional<QRect> serverarea(const QWidget& window);

// The window manager running on the X display, as a number of its own that a window manager
// started later does not have; 0 where none runs or the window system has no such thing.
std::uintptr_t runningwindowmanager();
// The name the running window manager gives itself ("KWin", "Xfwm4"), empty where none.
std::string windowmanagername();
// Whether a window manager that another has taken the screen from still holds on to it: stopped
// or hung, it keeps the X server's redirection of the windows' requests (a mapping among them)
// until it ends, and whatever it holds then is lost.
bool windowmanagerending();

// What the X server holds of a top-level window, read at once: whether it is mapped (whether or
// not the frame it lies in is), whether it lies in no window manager's frame, and the state a
// window manager keeps on it (WM_STATE: none, or withdrawn, normal or minimized).
struct ServerWindow {
    enum class Managed { none, withdrawn, normal, iconic };
    bool mapped = false;
    bool toplevel = true;
    Managed managed = Managed::none;
};
// What the X server holds of the window; on another window system, a shown window on the screen
// and a hidden one off it.
ServerWindow serverwindow(const QWidget& window);
// Asks the X server itself to map or unmap the window, where the toolkit holds it so already: a
// window that the X server holds otherwise (a request lost with the window manager it went to, a
// closed window given back to the screen by one that ended).
void mapwindow(QWidget& window);
void unmapwindow(QWidget& window);

// Whether the X server shows the window (it and every window it lies in are mapped), whatever
// the toolkit holds; true on another window system.
bool mappedonscreen(const QWidget& window);
// Whether the window manager has let go of a hidden window (WM_STATE gone or withdrawn).
bool withdrawn(const QWidget& window);
// Clears the state list (_NET_WM_STATE) of a withdrawn window; and also the window manager's
// state of it (WM_STATE), that of a window manager that has ended.
void forgetwithdrawnstate(QWidget& window);
void forgetmanagerstate(QWidget& window);
// Whether the window manager holds the window maximized or full screen (_NET_WM_STATE).
bool maximizedstate(const QWidget& window);
// The window's functions as the window manager reads them (_MOTIF_WM_HINTS: flags, functions,
// decorations, input mode, status), none where it has none; set, or removed where empty.
std::vector<std::uint32_t> motifhints(const QWidget& window);
void setmotifhints(QWidget& window, const std::vector<std::uint32_t>& hints);
// Whether a native event of the toolkit's tells of the window taken into a window manager's frame
// or given back to the screen (ReparentNotify), or mapped or unmapped there.
bool reparentedormapped(const QByteArray& type, const void* message, const QWidget& window);

}  // namespace brasket::gui
