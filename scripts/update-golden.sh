#!/usr/bin/env bash
# Rewrites the golden report files under tests/golden from the current build, then shows
# what changed. Read every changed line before committing it.
#   scripts/update-golden.sh [GTEST_FILTER]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j"$(nproc)"
BRASKET_UPDATE_GOLDEN=1 build/brasket_tests --gtest_filter="${1:-*}" >/dev/null
git status --short tests/golden
git diff --stat tests/golden
