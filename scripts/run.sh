#!/usr/bin/env bash
# The main job: installs what is needed, builds, and takes a measurement with the
# command-line host and its built-in simulator, drawing the spectrum to
# build/spectrum.png. Extra arguments go to `rx9100 measure` (e.g. --format json).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
scripts/build.sh build
build/cli/rx9100 --sim measure --plot build/spectrum.png "$@"
echo "Spectrum plot: build/spectrum.png"
