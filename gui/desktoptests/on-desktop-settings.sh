#!/usr/bin/env bash
# on-desktop.sh gives the window manager settings of its own: metacity draws its tall frame, as
# --no-composite asks, even where the user's settings ask for compositing; mutter draws its title
# bar in its own font, whatever font the user's settings give title bars; and a run leaves the
# user's settings database byte for byte as it was, with no session bus and under one that
# takes settings. The user here is a home made for the test, whose database sets metacity's
# compositor to xrender and the title bars' font to a large one. Skipped (77) where on-desktop.sh
# skips, or without dconf, dbus-run-session or xmessage; the mutter runs where mutter is missing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in dconf dbus-run-session xmessage; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed" >&2
    exit 77
  fi
done
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime
unset DBUS_SESSION_BUS_ADDRESS
database=$XDG_CONFIG_HOME/dconf/user
if ! dbus-run-session -- sh -c "dconf write /org/gnome/metacity/compositor \"'xrender'\" &&
    dconf write /org/gnome/desktop/wm/preferences/titlebar-uses-system-font false &&
    dconf write /org/gnome/desktop/wm/preferences/titlebar-font \"'Sans Bold 40'\"" 2>"$home/dconf.log" ||
  [ ! -s "$database" ]; then
  echo "the test's settings database could not be written:"
  cat "$home/dconf.log"
  exit 1
fi
cp "$database" "$home/user-settings"

# Frames a small window and writes the frame's extents (left, right, top, bottom) to "$0".
measure='xmessage -geometry +100+100 frame 2>/dev/null &
  shown=$!
  id=$(timeout 10 xdotool search --sync --onlyvisible --class Xmessage | head -n 1)
  for _ in $(seq 50); do
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null)
    [[ $extents == *=* ]] && break
    sleep 0.1
  done
  echo "${extents#*= }" >"$0"
  kill "$shown"'
record=$home/extents
failed=0
# The title bar each window manager draws with settings of its own: metacity's tall frame without
# compositing (42 pixels), mutter's in its own font (37 pixels; the user's font gives it 72).
wms=(metacity)
command -v mutter >/dev/null && wms+=(mutter)
for wm in "${wms[@]}"; do
  for bus in none session; do
    cp "$home/user-settings" "$database"
    rm -f "$record"
    status=0
    case "$bus" in
      none) "$here/on-desktop.sh" --wm "$wm" bash -c "$measure" "$record" || status=$? ;;
      session) dbus-run-session -- "$here/on-desktop.sh" --wm "$wm" bash -c "$measure" "$record" || status=$? ;;
    esac
    [ "$status" -eq 77 ] && exit 77
    [ "$status" -eq 0 ] || { echo "$wm, bus $bus: on-desktop.sh ended with status $status"; failed=1; }
    top=""
    IFS=', ' read -r _ _ top _ <"$record" 2>/dev/null
    case "$wm" in
      metacity) least=40 most=50 ;;
      mutter) least=20 most=60 ;;
    esac
    if ! [ "${top:-0}" -ge "$least" ] 2>/dev/null || ! [ "${top:-0}" -le "$most" ] 2>/dev/null; then
      echo "$wm, bus $bus: a title bar of ${top:-no} pixels, awaited $least to $most (extents: $(cat "$record" 2>/dev/null))"
      failed=1
    fi
    if ! cmp -s "$home/user-settings" "$database"; then
      echo "$wm, bus $bus: the run changed the user's settings database: $(dconf dump / 2>/dev/null | tr '\n' ' ')"
      failed=1
    fi
  done
done
exit "$failed"
