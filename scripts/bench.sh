#!/usr/bin/env bash
# Builds an optimised copy into ./build-bench and prints every benchmark's table.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
export QT_QPA_PLATFORM=offscreen
# The voice benchmark plays through a sound server. Without the desktop's own, a private
# PulseAudio with a null sink stands in when it is installed (otherwise the figures are taken
# with no sound output at all).
if command -v pulseaudio >/dev/null && ! pulseaudio --check 2>/dev/null; then
  pulse_dir=$(mktemp -d)
  export XDG_RUNTIME_DIR="$pulse_dir" PULSE_RUNTIME_PATH="$pulse_dir/pulse"
  if pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
      -L module-native-protocol-unix -L "module-null-sink sink_name=bench" >/dev/null 2>&1; then
    trap 'pulseaudio --kill 2>/dev/null; rm -rf "$pulse_dir"' EXIT
  fi
fi
for bench in build-bench/bench/bench_*; do
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" 2>/dev/null
  echo
done
