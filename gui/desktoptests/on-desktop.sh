#!/usr/bin/env bash
# Runs a command on an X screen of its own, 1024x768, whose windows a window manager frames,
# places and stacks, as on an analyst's desktop:
#   on-desktop.sh [--wm openbox|metacity|mutter|xfwm4|icewm|kwin] COMMAND [ARGUMENT]...
# openbox draws a thin title bar, metacity a tall one; mutter is GNOME's window manager, which
# composites the screen and decides for itself on a window mapped as large as the screen; xfwm4
# (Xfce's) maximizes a window mapped with its frame as large as the screen; icewm has a task bar; kwin is
# KDE's (kwin_x11). The command finds the screen in DISPLAY (the X server's process in
# BRASKET_XSERVER_PID), the window manager's name in
# BRASKET_WM, its process in BRASKET_WM_PID and the command that starts it in BRASKET_WM_COMMAND
# (with the bus it needs, if any, in BRASKET_WM_BUS), and a folder of its
# own in BRASKET_DESKTOP_WORK. The window manager and the command get settings of their own, the
# same on every machine: their config, cache, data and runtime homes lie in that folder, their
# settings are kept in memory and no session bus of the user's is reached (mutter, kwin and xfwm4,
# which need one, get a bus of the run's own), so that a run reads and changes nothing of the user's desktop
# settings. Whatever happens, the X server and the window manager
# are ended and the folder removed when the command ends, or at once when the run is stopped
# (TERM or INT, which the command gets too). Without Xvfb, the window manager or the X tools the
# run is skipped (exit status 77).
set -euo pipefail
wm=openbox
if [ "${1:-}" = "--wm" ]; then
  wm=${2:?"--wm needs the name of a window manager"}
  shift 2
fi
case "$wm" in
  openbox) wmcommand=(openbox --sm-disable) ;;
  metacity) wmcommand=(metacity --sm-disable --no-composite) ;;
  mutter) wmcommand=(mutter --x11 --sm-disable) ;;
  xfwm4) wmcommand=(xfwm4 --compositor=off --sm-client-disable) ;;
  icewm) wmcommand=(icewm) ;;
  kwin) wmcommand=(kwin_x11) ;;
  *) echo "unknown window manager: $wm (openbox, metacity, mutter, xfwm4, icewm or kwin)" >&2; exit 2 ;;
esac
if [ $# -eq 0 ]; then
  echo "usage: on-desktop.sh [--wm openbox|metacity|mutter|xfwm4|icewm|kwin] COMMAND [ARGUMENT]..." >&2
  exit 2
fi
# mutter and kwin leave the screen at once without a session bus, and xfwm4 reads its settings
# through one (its settings daemon keeps them in the run's config home): they get a bus of the
# run's own.
needsbus=false
case "$wm" in mutter | kwin | xfwm4) needsbus=true ;; esac
tools=(Xvfb "${wmcommand[0]}" xprop xdotool)
$needsbus && tools+=(dbus-daemon)
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed" >&2
    exit 77
  fi
done

source "$(dirname "$0")/session.sh"

# The X server picks a free display and writes its number once it takes connections. It does
# not reset when its last client leaves: the checks below come and go while the window manager
# connects, which would then find the server resetting.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xpid=$!
servers=$xpid
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "the X server did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(tr -d '\n' <"$work/display")"

# The window manager's own bus, which the command does not reach.
wmenv=()
wmbus=""
if $needsbus; then
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/runtime/wm-bus" >"$work/bus.log" 2>&1 &
  servers="$! $servers"
  for _ in $(seq 100); do
    [ -S "$work/runtime/wm-bus" ] && break
    sleep 0.1
  done
  wmbus="unix:path=$work/runtime/wm-bus"
  wmenv=(env DBUS_SESSION_BUS_ADDRESS="$wmbus")
fi

# The window manager has taken the screen when the root window names its check window.
"${wmenv[@]}" "${wmcommand[@]}" >"$work/wm.log" 2>&1 &
wmpid=$!
servers="$wmpid $servers"
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  kill -0 "$wmpid" 2>/dev/null || break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
  echo "the window manager $wm did not start:" >&2
  cat "$work/wm.log" >&2
  echo "the X server's log:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi

export BRASKET_XSERVER_PID=$xpid BRASKET_WM=$wm BRASKET_WM_PID=$wmpid BRASKET_WM_COMMAND="${wmcommand[*]}" BRASKET_WM_BUS=$wmbus
export BRASKET_DESKTOP_WORK=$work QT_QPA_PLATFORM=xcb
runcommand "$@"
