#!/usr/bin/env bash
# Builds an optimised copy into ./build-bench and prints every benchmark's table.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in build-bench/bench/bench_*; do
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" 2>/dev/null
  echo
done
