#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless under Wine on a
# private Xvfb display. Extra arguments go to ctest (e.g. -R mfc).
source "$(dirname "$0")/common.sh"
vorn_prepare

xvfb_pid=""
cleanup() {
  WINEPREFIX="$VORN_BUILD/wineprefix" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "${display_file:-}"
}
trap cleanup EXIT

# A private display: Xvfb picks a free number and tells it through the fd.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$display_file")"

# Wine's services start here, not inside a test (they would hold CTest's pipes),
# and the wineserver stays up for the whole run so each test starts fast.
export WINEPREFIX="$VORN_BUILD/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1 || true
vorn_wine_managed N

vorn_log "tests (display $DISPLAY)"
t0=$(date +%s)
status=0
ctest --test-dir "$VORN_BUILD" --output-on-failure -j "$(nproc)" "$@" || status=$?
echo "== tests: $(( $(date +%s) - t0 )) s"
exit $status
