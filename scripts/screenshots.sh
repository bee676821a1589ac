#!/usr/bin/env bash
# Refreshes docs/*.png from the screenshots the end-to-end tests keep (run scripts/test.sh first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-lib.sh"
artefacts="$root/build/$VELLORAN_TEST_ARCH/artefacts"
for window in main_window completion_window; do
  convert "$artefacts/$window.bmp" "$root/docs/$window.png"
done
