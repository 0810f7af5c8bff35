# Debian packages the build, the tests and the program need; installs only what is missing.
# clang and its runtime libraries build the fuzz targets (libFuzzer and the sanitizers); openbox
# and metacity (a thin and a tall title bar), xdotool and the X utilities give the window tests a
# desktop: window managers, a hand on the mouse and the keyboard, and a look at the window stack
# (procps finds the screen's processes for the test of its cleanup). dconf-cli and dconf-service,
# under dbus-daemon's dbus-run-session, write a user's desktop settings for the test that the
# screen's script leaves them alone. weston (a compositor drawing into memory) and qt6-wayland (Qt's
# Wayland platform) give the window tests a Wayland session of their own.
BRASKET_PACKAGES=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libxcb1-dev fonts-liberation xvfb xauth
  clang libclang-rt-14-dev openbox metacity xdotool x11-utils procps dconf-cli dconf-service dbus-daemon
  weston qt6-wayland)

install_missing() {
  local missing=()
  for p in "${BRASKET_PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
