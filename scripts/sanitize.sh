#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into ./build-asan and
# runs the whole test suite there.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DMICHITAN_SANITIZE=ON -DMICHITAN_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j"$(nproc)"
cd build-asan
# Leaks inside the system's sound and font libraries are theirs, not ours.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
