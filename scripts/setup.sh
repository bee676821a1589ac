#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (run as root).
# Idempotent: quick when everything is already there.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

packages=(
  g++ cmake make googletest clang clang-format libclang-rt-14-dev git
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine32:i386 wine64 fonts-wine
  xvfb xdotool x11-utils imagemagick fonts-wqy-zenhei
  locales dpkg-dev iproute2 python3 zip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (936 here) from the Unix locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

# libjpeg for the cross build: Debian ships no MinGW build, its source package builds cleanly.
"$here/build-libjpeg.sh" i686
"$here/build-libjpeg.sh" x86_64
