#!/usr/bin/env bash
# Sets up the machine and builds the download: build/i686/velloran-<version>.zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh i686 -DBUILD_TESTING=OFF
cmake --build build/i686 --target release
