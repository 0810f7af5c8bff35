#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled example data.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_missing
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
data=build/example-data
if [ -x examples/build-example-set.sh ]; then
  examples/build-example-set.sh build "$data"
fi
mkdir -p "$data"
if [ -x build/gui/brasket ]; then
  exec build/gui/brasket "$data"
else
  echo "the program was not built (Qt 6 missing?)" >&2
  exit 1
fi
