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
// Whether a native event of the toolkit's is the window taken into a window manager's frame or
// given back to the screen (ReparentNotify).
bool reparented(const QByteArray& type, const void* message, const QWidget& window);

}  // namespace brasket::gui
