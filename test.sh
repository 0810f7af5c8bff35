#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (plain and sanitized builds).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_missing

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# Memory and undefined-behaviour faults fail the run too.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBRASKET_SANITIZE=ON -DBRASKET_GUI=OFF -DBRASKET_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs")
