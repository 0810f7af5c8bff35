#!/usr/bin/env bash
# on-desktop.sh ends its X server and removes its folder when its command ends, also when the
# window manager has already ended (it failed, or died during the tests): a command that ends
# the window manager runs on it under each window manager, and afterwards neither the X server
# of its display nor its folder is left. A run stopped by TERM or INT while its command sleeps
# ends its X server and the command within two seconds, not when the command would have ended.
# The command notes what it runs on; a note that lacks any of it (no X server among the script's
# processes, say) fails the test, as nothing could then be checked. Skipped (77) where
# on-desktop.sh skips.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
record=$(mktemp)
trap 'rm -f "$record"' EXIT
failed=0
# Notes what the command runs on: display, X server, folder and the command's own process. The X
# server is the one Xvfb process the script started, running as the note is made, and the folder
# one that is there then; "-" stands for what is not found, or not found once.
note='xpid=$(pgrep -P "$PPID" -x Xvfb); [[ $xpid =~ ^[0-9]+$ ]] || xpid=-
  work=$BRASKET_DESKTOP_WORK; [ -d "$work" ] || work=-
  echo "${DISPLAY:--} $xpid $work $$" >"$0"'

# Waits up to $2 tenths of a second for process $1 to end; true when it has.
ended() {
  for _ in $(seq "$2"); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$1" 2>/dev/null
}

# Reads the record into display, xpid, work and commandpid: true when it holds the four, each what
# it must be (a display name, an X server's process, a folder, a process), else tells why not.
readrecord() {
  local what=$1 rest=""
  display="" xpid="" work="" commandpid=""
  if ! read -r display xpid work commandpid rest <"$record"; then
    echo "$what: the command did not run"
  elif ! [[ $display =~ ^:[0-9]+$ && $xpid =~ ^[0-9]+$ && $work == /* && $commandpid =~ ^[0-9]+$ && -z $rest ]]; then
    echo "$what: the command's note is not a display, an X server's process, a folder and a process: $(cat "$record")"
  else
    return 0
  fi
  failed=1
  return 1
}

# The X server and the folder of the run noted in the record are gone; what is left is ended.
expectgone() {
  local what=$1
  readrecord "$what" || return
  if ! ended "$xpid" 50; then
    echo "$what: the X server of display $display was left running"
    kill "$xpid"
    failed=1
  fi
  if [ -d "$work" ]; then
    echo "$what: the folder $work was left"
    rm -rf "$work"
    failed=1
  fi
}

for wm in openbox metacity; do
  : >"$record"
  status=0
  "$here/on-desktop.sh" --wm "$wm" bash -c "$note"'
    kill "$BRASKET_WM_PID"
    sleep 1' "$record" || status=$?
  [ "$status" -eq 77 ] && exit 77
  expectgone "$wm"
  [ "$status" -eq 0 ] || { echo "$wm: on-desktop.sh ended with status $status"; failed=1; }
done

for signal in TERM INT; do
  : >"$record"
  # A run in the background ignores INT, and so may this script where it was started so; the
  # run is given INT's default action back, as the analyst's Ctrl+C finds it.
  env --default-signal=INT "$here/on-desktop.sh" --wm openbox bash -c "$note"'; exec sleep 60' "$record" &
  run=$!
  for _ in $(seq 100); do
    [ -s "$record" ] && break
    sleep 0.1
  done
  if ! readrecord "$signal"; then
    kill "$run"
    wait "$run"
    continue
  fi
  kill -"$signal" "$run"
  if ! ended "$xpid" 20; then
    echo "$signal: the X server of display $display still ran two seconds after the signal"
    failed=1
  fi
  if ! ended "$commandpid" 20; then
    echo "$signal: the command still ran two seconds after the signal"
    kill "$commandpid"
    failed=1
  fi
  status=0
  wait "$run" || status=$?
  expectgone "$signal"
  awaited=$([ "$signal" = TERM ] && echo 143 || echo 130)
  [ "$status" -eq "$awaited" ] || { echo "$signal: on-desktop.sh ended with status $status, awaited $awaited"; failed=1; }
done
exit "$failed"
