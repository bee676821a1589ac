#!/usr/bin/env bash
# Usage: build-libjpeg.sh i686|x86_64
# Builds a static libjpeg for MinGW from Debian's libjpeg-turbo source package.
# Built small: our pictures are baseline Huffman JPEGs, so no arithmetic coding. The result
# goes to $VELLORAN_DEPS/<arch>/libjpeg-min (default: /opt/velloran-deps).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
arch=$1
prefix=${VELLORAN_DEPS:-/opt/velloran-deps}/$arch/libjpeg-min
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! apt-get source --print-uris libjpeg-turbo >/dev/null 2>&1; then
  # Add a deb-src entry on the mirror the machine already uses.
  uri=$(grep -h '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n1 | awk '{print $2}')
  [ -n "$uri" ] || uri=$(grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | head -n1 | awk '{print $2}')
  cat >/etc/apt/sources.list.d/velloran-src.sources <<SRC
Types: deb-src
URIs: $uri
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi

cd "$work"
apt-get source -qq libjpeg-turbo >/dev/null 2>&1
src=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
cmake -S "$src" -B build -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections" >/dev/null
cmake --build build --target jpeg-static -j"$(nproc)" >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp build/libjpeg.a "$prefix/lib/"
cp build/jconfig.h "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$prefix/include/"
echo "libjpeg built into $prefix"
