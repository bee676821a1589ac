#!/usr/bin/env bash
# Usage: scripts/with-wine.sh COMMAND [ARGS...]
# Runs COMMAND in a private Windows world for tests: its own network namespace
# (only loopback; the host names of scripts/test-hosts lead to 127.0.0.1), its
# own Xvfb display, its own Wine prefix in the zh_CN locale, and drive letters
# D: (a temp folder) and E: (a folder under /dev/shm, another file system).
# Their Unix paths are exported as VELLORAN_DRIVE_D and VELLORAN_DRIVE_E.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${VELLORAN_NETNS:-}" ]; then
  ns="velloran-$$"
  cleanup_ns() {
    ip netns del "$ns" 2>/dev/null || true
    rm -rf "/etc/netns/$ns"
  }
  trap cleanup_ns EXIT
  ip netns add "$ns"
  mkdir -p "/etc/netns/$ns"
  { echo "127.0.0.1 localhost"; sed '/^#/d;/^$/d;s/^/127.0.0.1 /' "$here/test-hosts"; } \
    >"/etc/netns/$ns/hosts"
  ip netns exec "$ns" ip link set lo up
  set +e
  VELLORAN_NETNS="$ns" ip netns exec "$ns" "$0" "$@"
  rc=$?
  set -e
  exit $rc
fi

source "$here/wine-lib.sh"

run=$(mktemp -d /tmp/velloran-run.XXXXXX)
shm=$(mktemp -d /dev/shm/velloran-run.XXXXXX)
xvfb_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$run" "$shm"
}
trap cleanup EXIT

start_xvfb
template=$(wine_template)
export WINEPREFIX="$run/prefix"
cp -a "$template" "$WINEPREFIX"

mkdir -p "$run/drive-d" "$shm/drive-e"
for letter in d e f g h; do rm -f "$WINEPREFIX/dosdevices/$letter:" "$WINEPREFIX/dosdevices/$letter::"; done
ln -s "$run/drive-d" "$WINEPREFIX/dosdevices/d:"
ln -s "$shm/drive-e" "$WINEPREFIX/dosdevices/e:"
export VELLORAN_DRIVE_D="$run/drive-d" VELLORAN_DRIVE_E="$shm/drive-e"
export VELLORAN_RUN_DIR="$run"

# A persistent wineserver makes each test exe start in milliseconds.
wineserver -f -p >/dev/null 2>&1 &

set +e
"$@"
rc=$?
set -e
exit $rc
