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
(cd build && ctest --output-on-failure -j"$jobs")

# Memory and undefined-behaviour faults fail the run too.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBRASKET_SANITIZE=ON -DBRASKET_GUI=OFF -DBRASKET_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"

# The fuzz targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer): each runs over
# its seeds from the example set, then about 15 seconds of its own inputs. They are built and run
# while the sanitized tests run (no window test among them); what they print is shown after.
fuzzing() {
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRASKET_FUZZ=ON \
    -DBRASKET_GUI=OFF -DBRASKET_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs"
  fuzz/run-fuzzers.sh build-fuzz 15
}
(set -e; fuzzing) >build-asan/fuzzing.log 2>&1 &
fuzzer=$!
sanitized=0
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs") || sanitized=$?
fuzzed=0
wait "$fuzzer" || fuzzed=$?
cat build-asan/fuzzing.log
[ "$sanitized" -eq 0 ] || exit "$sanitized"
[ "$fuzzed" -eq 0 ] || { echo "the fuzz targets' build or run failed" >&2; exit "$fuzzed"; }
