#!/usr/bin/env bash
# Configures and builds one flavour: build.sh DIR [cmake options...]
# RX9100_TARGETS (space separated) limits the build to those targets.
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
launcher=()
# A developer machine with ccache rebuilds other checkouts and flavours from its cache.
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
targets=()
for t in ${RX9100_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$root/$dir" -j "$(nproc)" "${targets[@]}"
