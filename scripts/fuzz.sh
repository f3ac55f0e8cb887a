#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 180) on its seed corpus.
# usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-180}
command -v clang++-14 >/dev/null || { echo "needs clang-14 (apt-get install clang-14 libclang-rt-14-dev)"; exit 2; }
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DMICHITAN_FUZZ=ON -DMICHITAN_SANITIZE=ON -DMICHITAN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_picture fuzz_text
for target in picture text; do
  work=build-fuzz/fuzz/corpus-$target
  mkdir -p "$work" build-fuzz/fuzz/crashes-$target
  QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" \
    -artifact_prefix=build-fuzz/fuzz/crashes-$target/ -max_len=65536 \
    "$work" tests/fuzz/corpus/$target
done
