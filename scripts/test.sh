#!/usr/bin/env bash
# Installs what is needed, checks the layout of the sources, builds, and runs every test:
# the normal build, an AddressSanitizer + UndefinedBehaviorSanitizer build, and the
# threading tests under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh

export QT_QPA_PLATFORM=offscreen

echo "== format"
# Every C and C++ file of the tree as .clang-format lays it out.
git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

echo "== normal build"
# Release: debug information would only cost build time here.
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure -j 2 --timeout 300

echo "== fault matrix (short)"
# Every fault kind at a few command lines of each rx9100 command: no hang, no instrument
# left in remote mode on a working line, no invented values.
python3 scripts/fault-matrix.py --short --rx9100 build/cli/rx9100 \
  --known tests/fault-matrix/known-open.txt

echo "== address and undefined-behaviour sanitizers"
# Line tables are all a sanitizer report needs; full debug information only costs time.
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DRX9100_QT=OFF -DRX9100_PYTHON=OFF -DRX9100_BENCH=OFF "-DRX9100_SANITIZE=address;undefined"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j 2 --timeout 600

echo "== thread sanitizer (threading tests)"
# The tests that run threads against each other carry the ctest label "threads".
RX9100_TARGETS="driver_thread_tests portway_tests simulator_tests module_unload_tests" \
  scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DRX9100_QT=OFF -DRX9100_PYTHON=OFF -DRX9100_BENCH=OFF \
  -DRX9100_SANITIZE=thread
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --test-dir build-tsan \
  --output-on-failure -j 2 --timeout 600 -L threads
