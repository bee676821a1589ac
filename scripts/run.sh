#!/usr/bin/env bash
# Sets up the machine, builds velloran.exe and runs it under Wine. Without a
# display of your own it starts a virtual one and says how to look at it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
source scripts/wine-lib.sh
scripts/build.sh i686 -DBUILD_TESTING=OFF
exe=build/i686/src/app/velloran.exe
if [ "$VELLORAN_TEST_ARCH" != i686 ]; then
  # This kernel cannot start 32-bit programs: run the 64-bit build of the same sources.
  echo "run: this machine's Wine cannot start 32-bit programs; running the 64-bit build"
  scripts/build.sh x86_64 -DBUILD_TESTING=OFF
  exe=build/x86_64/src/app/velloran.exe
fi

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  echo "run: started a virtual display $DISPLAY; to see it: DISPLAY=$DISPLAY import -window root shot.png"
fi

# A prefix of its own that lives between runs, so the second start is quick.
export WINEPREFIX=${WINEPREFIX:-$velloran_cache/prefix-run}
if [ ! -d "$WINEPREFIX" ]; then
  cp -a "$(wine_template)" "$WINEPREFIX"
fi
echo "run: starting $exe"
wine "$exe"
