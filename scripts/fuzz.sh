#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS]
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for SECONDS
# (default 30) from its seed corpus in tests/fuzz/corpus. New inputs go to a
# temp folder, not into the repository.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
scripts/build.sh fuzz >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in address_text_fuzz server_folder_fuzz; do
  seeds=tests/fuzz/corpus/${target%_fuzz}
  mkdir -p "$work/$target"
  "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=0 \
    "$work/$target" "$seeds" 2>"$work/$target.log" || {
    tail -n 40 "$work/$target.log"
    echo "fuzz: $target failed"
    exit 1
  }
  echo "fuzz: $target ran ${seconds}s: $(grep -Eo 'Done [0-9]+ runs' "$work/$target.log" | tail -n1)"
done
