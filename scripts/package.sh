#!/usr/bin/env bash
# Builds the Debian packages (librx9100-0, librx9100qt-0, librx9100-dev, rx9100-tools,
# python3-rx9100) in build-package/ from a tree configured for /usr.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DRX9100_TESTS=OFF -DRX9100_BENCH=OFF
(cd build-package && cpack -G DEB)
ls -1 build-package/*.deb
