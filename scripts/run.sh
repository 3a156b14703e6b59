#!/usr/bin/env bash
# The main job: installs what is needed, builds, and runs the driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
scripts/build.sh build
build/examples/rx9100-module-host "$@"
