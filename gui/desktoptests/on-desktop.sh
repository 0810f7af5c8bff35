#!/usr/bin/env bash
# Runs a command on an X screen of its own, 1024x768, whose windows a window manager (openbox)
# frames, places and stacks, as on an analyst's desktop:
#   on-desktop.sh COMMAND [ARGUMENT]...
# The command finds the screen in DISPLAY and the window manager's process in BRASKET_WM_PID.
# Without Xvfb or openbox the run is skipped (exit status 77).
set -euo pipefail
for tool in Xvfb openbox xprop xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed" >&2
    exit 77
  fi
done

work=$(mktemp -d)
xpid="" wmpid=""
finish() {
  [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

# The X server picks a free display and writes its number once it takes connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
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
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wmpid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
  echo "the window manager did not start:" >&2
  cat "$work/openbox.log" >&2
  exit 1
fi

export BRASKET_WM_PID=$wmpid QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit "$status"
