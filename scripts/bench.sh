#!/usr/bin/env bash
# Sets up, builds the Windows test build and runs the benchmarks under Wine:
# - the server folder builder: a jar moved on one drive (a rename) and across two file
#   systems (a copy), beside a plain CopyFileA of the same file;
# - start-up: process start to main window visible, and the working set after start, of
#   velloran.exe beside a bare one-window program (20 interleaved runs each, medians).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
source scripts/wine-lib.sh
scripts/build.sh "$VELLORAN_TEST_ARCH"
scripts/with-wine.sh scripts/wine-exec.sh "build/$VELLORAN_TEST_ARCH/tests/server_folder_bench.exe"
build="$root/build/$VELLORAN_TEST_ARCH"
scripts/with-wine.sh scripts/wine-exec.sh "$build/tests/startup_bench.exe" \
  "$build/src/app/velloran.exe" "$build/tests/bare_window.exe" 20
