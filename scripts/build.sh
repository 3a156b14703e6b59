#!/usr/bin/env bash
# Configures and builds one flavour: build.sh DIR [cmake options...]
# RX9100_TARGETS (space separated) limits the build to those targets.
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
targets=()
for t in ${RX9100_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$root/$dir" -j "$(nproc)" "${targets[@]}"
