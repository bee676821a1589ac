#!/usr/bin/env bash
# Usage: scripts/build.sh native|fuzz|i686|x86_64
# Configures and builds one build tree under build/<name>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=$1
shift
jobs=$(nproc)
case "$kind" in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  fuzz) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DVELLORAN_FUZZ=ON) ;;
  # The product is built for size; the 64-bit test build for speed.
  i686) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel) ;;
  x86_64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  *) echo "usage: $0 native|fuzz|i686|x86_64" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$kind" "${args[@]}" "$@" >/dev/null
cmake --build "$root/build/$kind" -j"$jobs"
