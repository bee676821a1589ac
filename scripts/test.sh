#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the portable core
# natively (ASan, UBSan), then the Windows tests and the end-to-end tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
source scripts/wine-lib.sh

echo "== format (the committed .clang-format)"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== native build and tests"
scripts/build.sh native -DBUILD_TESTING=ON
ctest --test-dir build/native --output-on-failure --no-tests=error

echo "== fuzzing the portable core"
scripts/fuzz.sh "${VELLORAN_FUZZ_SECONDS:-30}"

# The product is always the 32-bit exe; the Windows tests run on the build that
# this machine's Wine can start (see scripts/wine-lib.sh).
echo "== Windows builds (product: i686; tests: $VELLORAN_TEST_ARCH)"
if [ "$VELLORAN_TEST_ARCH" != i686 ]; then
  scripts/build.sh i686 -DBUILD_TESTING=OFF
fi
scripts/build.sh "$VELLORAN_TEST_ARCH" -DBUILD_TESTING=ON

echo "== Windows tests under Wine"
scripts/with-wine.sh ctest --test-dir "build/$VELLORAN_TEST_ARCH" --output-on-failure --no-tests=error
