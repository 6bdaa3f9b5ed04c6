#!/usr/bin/env bash
# Installs what is missing, builds both architectures, and starts Vorn under Wine on
# the user's display: the 32-bit deliverable where this machine runs 32-bit programs,
# the 64-bit build otherwise.
source "$(dirname "$0")/common.sh"
vorn_prepare

arch=${VORN_RUNNABLE[0]:-}
[ -n "$arch" ] || vorn_fail "no architecture's programs can run on this machine"
build=$(vorn_build_dir "$arch")
vorn=$build/bin/Vorn.exe
if [ ! -f "$vorn" ]; then
  echo "The IDE is not built yet: this build made the libraries, tools and tests only."
  exit 0
fi
[ -n "${DISPLAY:-}" ] || vorn_fail "no X display: set DISPLAY to run Vorn"
vorn_log "starting the $arch Vorn ($vorn)"
vorn_wine_managed "$arch" Y
VORN_WINE_TIMEOUT=0 exec "$build/wine-run.sh" "$vorn" "$@"
