#!/usr/bin/env bash
# Sets up, builds the Windows test build and times the server folder builder under
# Wine: a jar moved on one drive (a rename) and across two file systems (a copy),
# beside a plain CopyFileA of the same file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
source scripts/wine-lib.sh
scripts/build.sh "$VELLORAN_TEST_ARCH"
scripts/with-wine.sh scripts/wine-exec.sh "build/$VELLORAN_TEST_ARCH/tests/server_folder_bench.exe"
