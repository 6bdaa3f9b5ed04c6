#!/usr/bin/env bash
# Installs what is missing, builds both architectures, and runs every test headless
# under Wine on a private Xvfb display: the i686 suite under the 32-bit Wine where this
# machine can run 32-bit programs, and the x64 suite under the 64-bit Wine everywhere.
# The suites run one after the other, so their debug-port tests never overlap.
# Extra arguments go to ctest (e.g. -R mfc).
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/private-cups.sh"
vorn_prepare

xvfb_pid=""
server_run=""
holder_pid=""
cleanup() {
  stop_private_cups
  stop_desktop_holder
  [ -n "$server_run" ] && "$server_run" --server -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "${display_file:-}"
}
trap cleanup EXIT

# A private display: Xvfb picks a free number and tells it through the fd.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
[ -s "$display_file" ] || vorn_fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$display_file")"
vorn_log "display $DISPLAY"

# Wine closes a desktop nobody has used for a moment, and the next test that opens a
# window starts the desktop process again, which then holds that test's output pipe:
# CTest waits for it long after the test has ended. A holder keeps the desktop, and
# the desktop process started here, in use for the whole suite.
start_desktop_holder() {
  local build=$1 ready
  ready=$(mktemp)
  VORN_WINE_TIMEOUT=86400 "$build/wine-run.sh" "$build/tests/vorn_desktop_holder.exe" \
    </dev/null >"$ready" 2>/dev/null &
  holder_pid=$!
  for _ in $(seq 200); do grep -q ready "$ready" && break; sleep 0.05; done
  grep -q ready "$ready" || vorn_log "the desktop holder did not start"
  rm -f "$ready"
}
stop_desktop_holder() {
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null || true
  [ -n "$holder_pid" ] && wait "$holder_pid" 2>/dev/null || true
  holder_pid=""
}

# One architecture's suite. Wine's services start here, not inside a test (they would
# hold CTest's pipes), and the wineserver stays up for the whole suite so each test
# starts fast. Sets suite_summary, suite_counts ("<passed> <skipped> <failed>" test
# cases) and suite_skips (the skipped cases, one a line).
run_suite() {
  local arch=$1 build t0 log status=0 summary totals; shift
  build=$(vorn_build_dir "$arch")
  server_run="$build/wine-run.sh"
  "$server_run" --server -p </dev/null >/dev/null 2>&1 || vorn_fail "$arch: wineserver did not start"
  "$server_run" wineboot </dev/null >/dev/null 2>&1 || true
  vorn_wine_managed "$arch" N
  start_private_cups "$build/cups"
  start_desktop_holder "$build"
  vorn_log "tests $arch"
  t0=$(date +%s)
  log=$(mktemp)
  # Each GoogleTest program writes its report of passed, skipped and failed cases here.
  rm -rf "$build/test-reports"
  set +e
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --repeat after-timeout:2 "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  [ -n "$summary" ] || summary="no tests ran"
  grep -q 'No tests were found' "$log" && summary="no tests ran" && status=1
  totals=$(awk -v reports="$build/test-reports" -f "$VORN_TOP/scripts/test-totals.awk" "$log")
  suite_counts=$(head -n 1 <<<"$totals")
  suite_skips=$(tail -n +2 <<<"$totals")
  rm -f "$log"
  stop_private_cups
  stop_desktop_holder
  "$server_run" --server -k >/dev/null 2>&1 || true
  server_run=""
  echo "== tests $arch: $(( $(date +%s) - t0 )) s"
  suite_summary="$arch: $summary"
  return $status
}

# "<passed> <skipped> <failed>" as the summary says it.
counts_text() {
  local passed skipped failed
  read -r passed skipped failed <<<"$1"
  echo "$passed passed, $skipped skipped, $failed failed"
}

overall=0
summaries=()
total="0 0 0"
for arch in "${VORN_ARCHS[@]}"; do
  if [[ " ${VORN_RUNNABLE[*]} " != *" $arch "* ]]; then
    summaries+=("$arch: skipped (this machine cannot run 32-bit programs)")
    continue
  fi
  suite_summary=""
  suite_counts="0 0 0"
  suite_skips=""
  run_suite "$arch" "$@" || overall=1
  summaries+=("$suite_summary" "$arch: $(counts_text "$suite_counts")")
  while IFS= read -r skip; do
    [ -n "$skip" ] && summaries+=("   $arch skipped $skip")
  done <<<"$suite_skips"
  total=$(awk -v a="$total" -v b="$suite_counts" \
    'BEGIN { split(a, x, " "); split(b, y, " "); print x[1] + y[1], x[2] + y[2], x[3] + y[3] }')
done

vorn_log "summary (test cases; a program without GoogleTest cases counts as one)"
for s in "${summaries[@]}"; do echo "   $s"; done
[ ${#VORN_RUNNABLE[@]} -gt 0 ] || vorn_fail "no architecture's programs can run on this machine"
[ $overall -eq 0 ] || printf '== FAILED: some tests failed (see above)\n' >&2
# The closing line, read by CI beside CTest's own.
counts_text "$total"
exit $overall
