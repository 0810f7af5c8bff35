# The session of a screen script of the window tests (sourced by on-desktop.sh and on-wayland.sh):
# a folder of the run's own in $work, with the config, cache, data and runtime homes of whatever
# runs on the screen, settings kept in memory and no session bus, so that a run is the same on
# every machine and reads and changes nothing of the user's desktop settings; the cleanup that
# ends what the script started and removes the folder whatever happens; and the run of the command.

work=$(mktemp -d)
servers=""     # the screen's processes, ended after the command, the last started first
commandpid=""
# Ends what the script started, whether or not it has already ended, and removes its folder.
finish() {
  set +e
  for pid in $commandpid $servers; do
    kill "$pid" 2>/dev/null
  done
  for pid in $commandpid $servers; do
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
# user's settings or window manager configuration would change what the tests see. The runtime
# home holds a compositor's socket, which only its owner may enter.
for home in config cache data runtime; do
  mkdir -m 700 "$work/$home"
done
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime GSETTINGS_BACKEND=memory
# A bus address where none listens: without an address a program would find the user's bus, or
# launch one through the X server.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/runtime/no-bus

# Runs the command and ends the script with its status. The command runs in the background, so
# that the script takes a signal at once rather than when the command ends. A background command
# would ignore INT and read nothing, so it gets INT and the script's input back.
runcommand() {
  (trap - INT; exec "$@") <&0 &
  commandpid=$!
  local status=0
  wait "$commandpid" || status=$?
  commandpid=""
  exit "$status"
}
