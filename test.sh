#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (plain and sanitized builds), then
# runs each fuzz target for a short time.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_missing program tests

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"

# Memory and undefined-behaviour faults fail the run too (the sanitized build), and so do the fuzz
# targets' (clang, with AddressSanitizer and UndefinedBehaviorSanitizer). Both are built while the
# plain tests run, whose window tests spend minutes waiting for window managers that are stopped
# on purpose; what the builds print goes to build/side-builds.log, shown when one of them fails.
sidebuilds() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBRASKET_SANITIZE=ON -DBRASKET_GUI=OFF -DBRASKET_BENCH=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRASKET_FUZZ=ON \
    -DBRASKET_GUI=OFF -DBRASKET_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs"
}
(set -e; sidebuilds) >build/side-builds.log 2>&1 &
sides=$!
plain=0
(cd build && ctest --output-on-failure -j"$jobs") || plain=$?
built=0
wait "$sides" || built=$?
if [ "$built" -ne 0 ]; then
  cat build/side-builds.log >&2
  echo "the sanitized or the fuzz build failed" >&2
  exit "$built"
fi
[ "$plain" -eq 0 ] || exit "$plain"
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs")

# Each fuzz target runs over its seeds from the example set, then about 15 seconds of its own
# inputs.
fuzz/run-fuzzers.sh build-fuzz 15
