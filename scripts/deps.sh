# Debian packages, in two sets; install_missing installs what is missing of the sets it is given.
# program: what the program and the example working set need to be built and run: the compiler,
# Qt 6 (with the X connection the window binding uses, and Qt's Wayland platform for a Wayland
# session without an X display) and the fonts the skin maps the forms' fonts to.
BRASKET_PROGRAM_PACKAGES=(cmake g++ make qt6-base-dev libxcb1-dev fonts-liberation qt6-wayland)
# tests: what the tests, the benchmarks and the fuzz targets add. GoogleTest and the benchmark
# library; clang and its runtime libraries build the fuzz targets (libFuzzer and the sanitizers);
# Xvfb, the window managers openbox, metacity, mutter and xfwm4 (a thin, a tall, GNOME's and
# Xfce's title bar; xfwm4 reads its settings through xfconf's daemon on the run's own bus),
# xdotool and the X utilities give the window tests a desktop: window managers, a hand on the
# mouse and the keyboard, and a look at the window stack (procps finds the screen's processes for
# the test of its cleanup). dbus-daemon gives mutter a session bus of the run's own; dconf-cli and
# dconf-service, under dbus-daemon's dbus-run-session, write a user's desktop settings for the test
# that the screen's script leaves them alone. weston (a compositor drawing into memory) gives the
# window tests a Wayland session of their own.
BRASKET_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth clang libclang-rt-14-dev
  openbox metacity mutter xfwm4 xfconf xdotool x11-utils procps dconf-cli dconf-service dbus-daemon weston)

# install_missing SET...: SET is program or tests.
install_missing() {
  local wanted=() missing=() set p
  for set in "$@"; do
    case "$set" in
      program) wanted+=("${BRASKET_PROGRAM_PACKAGES[@]}") ;;
      tests) wanted+=("${BRASKET_TEST_PACKAGES[@]}") ;;
      *) echo "install_missing: unknown package set $set (program or tests)" >&2; return 2 ;;
    esac
  done
  for p in "${wanted[@]}"; do
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
