#!/usr/bin/env bash
# Runs a command on a Wayland session of its own, with no X display: a compositor on a screen of
# 1024x768 that places every window itself, as an analyst's Wayland desktop does:
#   on-wayland.sh COMMAND [ARGUMENT]...
# The command reaches the compositor through WAYLAND_DISPLAY and Qt's Wayland platform, and finds
# a folder of its own in BRASKET_DESKTOP_WORK. The compositor and the command get settings of
# their own, the same on every machine: their config, cache, data and runtime homes lie in that
# folder, their settings are kept in memory and no session bus is reached. Whatever happens, the
# compositor is ended and the folder removed when the command ends, or at once when the run is
# stopped (TERM or INT, which the command gets too). Without the compositor or Qt's Wayland
# platform the run is skipped (exit status 77).
set -euo pipefail
if [ $# -eq 0 ]; then
  echo "usage: on-wayland.sh COMMAND [ARGUMENT]..." >&2
  exit 2
fi
if ! command -v weston >/dev/null; then
  echo "skipped: weston is not installed" >&2
  exit 77
fi
# Qt's Wayland platform: in Qt's plugin folder, or in a folder that QT_PLUGIN_PATH names.
plugin=""
IFS=: read -r -a pluginfolders <<<"${QT_PLUGIN_PATH:-}"
for folder in "${pluginfolders[@]}" /usr/lib/*/qt6/plugins /usr/lib/qt6/plugins /usr/local/lib/qt6/plugins; do
  if [ -n "$folder" ] && [ -e "$folder/platforms/libqwayland-generic.so" ]; then
    plugin=$folder/platforms/libqwayland-generic.so
    break
  fi
done
if [ -z "$plugin" ]; then
  echo "skipped: Qt's Wayland platform (libqwayland-generic.so) is not installed" >&2
  exit 77
fi

source "$(dirname "$0")/session.sh"
export XDG_SESSION_TYPE=wayland
# No X display: the command sees only the Wayland session.
unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET

socket=brasket-test-0
# The compositor draws into memory; its own config files are not read (the same desktop on every
# machine), and it never blanks or locks the screen.
weston --backend=headless-backend.so --socket="$socket" --width=1024 --height=768 --idle-time=0 --no-config \
  >"$work/weston.log" 2>&1 &
compositorpid=$!
servers=$compositorpid
# The compositor takes clients once its socket is there.
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill -0 "$compositorpid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ] || ! kill -0 "$compositorpid" 2>/dev/null; then
  echo "the compositor did not start:" >&2
  cat "$work/weston.log" >&2
  exit 1
fi

export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland BRASKET_DESKTOP_WORK=$work
runcommand "$@"
