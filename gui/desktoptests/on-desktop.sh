#!/usr/bin/env bash
# Runs a command on an X screen of its own, 1024x768, whose windows a window manager frames,
# places and stacks, as on an analyst's desktop:
#   on-desktop.sh [--wm openbox|metacity] COMMAND [ARGUMENT]...
# openbox draws a thin title bar, metacity a tall one. The command finds the screen in DISPLAY,
# the window manager's name in BRASKET_WM and its process in BRASKET_WM_PID, and a folder of its
# own in BRASKET_DESKTOP_WORK. The window manager and the command get settings of their own, the
# same on every machine: their config, cache, data and runtime homes lie in that folder, their
# settings are kept in memory and no session bus is reached, so that a run reads and changes
# nothing of the user's desktop settings. Whatever happens, the X server and the window manager
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
  *) echo "unknown window manager: $wm (openbox or metacity)" >&2; exit 2 ;;
esac
if [ $# -eq 0 ]; then
  echo "usage: on-desktop.sh [--wm openbox|metacity] COMMAND [ARGUMENT]..." >&2
  exit 2
fi
for tool in Xvfb "$wm" xprop xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed" >&2
    exit 77
  fi
done

work=$(mktemp -d)
xpid="" wmpid="" commandpid=""
# Ends what the script started, whether or not it has already ended, and removes its folder.
finish() {
  set +e
  for pid in $commandpid $wmpid $xpid; do
    kill "$pid" 2>/dev/null
  done
  for pid in $commandpid $wmpid $xpid; do
    # A process that does not end within five seconds of the request is killed.
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap finish EXIT
# A run that is stopped hands the signal on to the command and ends through the same cleanup.
stop() {
  [ -n "$commandpid" ] && kill -"$1" "$commandpid" 2>/dev/null
  exit "$2"
}
trap 'stop TERM 143' TERM
trap 'stop INT 130' INT

# Homes of their own: metacity's --no-composite, for one, is written to the settings, and a
# user's settings or window manager configuration would change what the tests see.
for home in config cache data runtime; do
  mkdir -m 700 "$work/$home"
done
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime GSETTINGS_BACKEND=memory
# A bus address where none listens: without an address a program would find the user's bus, or
# launch one through the X server.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/runtime/no-bus

# The X server picks a free display and writes its number once it takes connections. It does
# not reset when its last client leaves: the checks below come and go while the window manager
# connects, which would then find the server resetting.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xpid=$!
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

# The window manager has taken the screen when the root window names its check window.
"${wmcommand[@]}" >"$work/wm.log" 2>&1 &
wmpid=$!
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

export BRASKET_WM=$wm BRASKET_WM_PID=$wmpid BRASKET_DESKTOP_WORK=$work QT_QPA_PLATFORM=xcb
# The command runs in the background, so that the script takes a signal at once rather than when
# the command ends. A background command would ignore INT and read nothing, so it gets INT and
# the script's input back.
(trap - INT; exec "$@") <&0 &
commandpid=$!
status=0
wait "$commandpid" || status=$?
commandpid=""
exit "$status"
