#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled example data. Only
# what the program and the example set need is installed and built: ./test.sh adds the tests.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_missing program
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The tools that build the example set, and the program where Qt 6 was found.
targets=(brasket-batch brasket-make-example)
if cmake --build build --target help | grep -w brasket_program >/dev/null; then targets+=(brasket_program); fi
cmake --build build -j"$(nproc)" --target "${targets[@]}"
# The example working set is rebuilt from the synthetic exports at every run, in its place, so
# that a rerun starts from the same set (changes saved into it are not kept) and the messages of
# the build name its files where they stay.
data=build/example-data
rm -rf "$data"
examples/build-example-set.sh build "$data"
if [ -x build/gui/brasket ]; then
  # The windows need a desktop; a terminal over ssh or a container has none.
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "built; brasket needs a desktop (an X display) to show its windows, and none was found;" \
      "brasket-batch runs the menu and button handlers without one (build/brasket-batch --help)" >&2
    exit 1
  fi
  exec build/gui/brasket "$data"
else
  echo "the program was not built (Qt 6 missing?)" >&2
  exit 1
fi
