#!/usr/bin/env bash
# on-desktop.sh ends its X server and removes its folder when its command ends, also when the
# window manager has already ended (it failed, or died during the tests): a command that ends
# the window manager runs on it under each window manager, and afterwards neither the X server
# of its display nor its folder is left. Skipped (77) where on-desktop.sh skips.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
record=$(mktemp)
trap 'rm -f "$record"' EXIT
failed=0
for wm in openbox metacity; do
  status=0
  "$here/on-desktop.sh" --wm "$wm" bash -c '
    echo "$DISPLAY $(pgrep -P "$PPID" -x Xvfb) $BRASKET_DESKTOP_WORK" >"$0"
    kill "$BRASKET_WM_PID"
    sleep 1' "$record" || status=$?
  [ "$status" -eq 77 ] && exit 77
  read -r display xpid work <"$record" || { echo "$wm: the command did not run"; failed=1; continue; }
  for _ in $(seq 50); do
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$xpid" 2>/dev/null; then
    echo "$wm: the X server of display $display was left running"
    kill "$xpid"
    failed=1
  fi
  if [ -d "$work" ]; then
    echo "$wm: the folder $work was left"
    rm -rf "$work"
    failed=1
  fi
  [ "$status" -eq 0 ] || { echo "$wm: on-desktop.sh ended with status $status"; failed=1; }
done
exit "$failed"
