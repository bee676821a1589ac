#!/usr/bin/env bash
# Sets up, builds and runs every benchmark, then prints one table of the ratios:
# - start-up: process start to main window visible (the greeting answered at once, the address
#   lookup answered at once by the loopback stub), and working set and private bytes after
#   start, of velloran.exe beside a bare one-window program (20 interleaved runs, medians);
# - size: the 32-bit product beside the bare program built with the same flags;
# - the server folder builder: a jar moved on one drive (a rename) and across two file
#   systems (a copy), beside a plain CopyFileA of the same file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh >/dev/null
source scripts/wine-lib.sh
scripts/build.sh i686 -DBUILD_TESTING=OFF >/dev/null
cmake --build build/i686 --target bare_window >/dev/null
scripts/build.sh "$VELLORAN_TEST_ARCH" >/dev/null
build="$root/build/$VELLORAN_TEST_ARCH"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

scripts/with-wine.sh bash -c '
  python3 tests/http_stub/stub_server.py start >/dev/null
  scripts/wine-exec.sh "$1/tests/bench/startup_bench.exe" "$1/src/app/velloran.exe" \
    "$1/tests/bench/bare_window.exe" 20 >"$2/startup.txt"
  python3 tests/http_stub/stub_server.py stop >/dev/null
  scripts/wine-exec.sh "$1/tests/bench/server_folder_bench.exe" >"$2/builder.txt"
' bench "$build" "$out"
cat "$out/startup.txt" "$out/builder.txt"

product=$(stat -c %s build/i686/src/app/velloran.exe)
bare=$(stat -c %s build/i686/tests/bench/bare_window.exe)
ratio() { grep -o "$1 *[0-9.]*" "$2" | grep -o '[0-9.]*$' | tail -n1; }
echo
echo "| Figure | Ratio | Target |"
echo "|---|---|---|"
echo "| Start-up, process start to main window visible | $(ratio 'main window' "$out/startup.txt") | <= 1.2 |"
echo "| Working set after start | $(ratio 'working set' "$out/startup.txt") | <= 1.2 |"
echo "| Private bytes after start | $(ratio 'private bytes' "$out/startup.txt") | <= 1.2 |"
echo "| Exe size, 32-bit ($product / $bare bytes) | $(awk "BEGIN{printf \"%.1f\", $product/$bare}") | <= 3 |"
echo "| Builder, same drive 50 MB / 5 MB jar (a rename) | $(ratio '50 MB / 5 MB:' "$out/builder.txt") | about 1 |"
echo "| Builder across file systems / plain CopyFileA, 50 MB | $(ratio 'D: 50 MB / plain CopyFileA:' "$out/builder.txt") | <= 1.2 |"
