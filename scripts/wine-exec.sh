#!/usr/bin/env bash
# Runs a cross-built program under Wine (ctest's emulator). Expects the
# environment of scripts/with-wine.sh. Output goes through a file: Wine's
# helper processes inherit the standard handles and would hold a pipe open.
source "$(dirname "$0")/wine-lib.sh"
out=$(mktemp)
wine "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
