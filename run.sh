#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled example data.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_missing
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
# The example working set is rebuilt from the synthetic exports at every run, aside and then
# put in place, so that a rerun starts from the same set (changes saved into it are not kept).
data=build/example-data
if [ -x examples/build-example-set.sh ]; then
  rm -rf "$data.new"
  examples/build-example-set.sh build "$data.new"
  rm -rf "$data"
  mv "$data.new" "$data"
fi
mkdir -p "$data"
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
