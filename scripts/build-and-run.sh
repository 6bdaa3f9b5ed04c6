#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vorn under Wine on the user's display.
source "$(dirname "$0")/common.sh"
vorn_prepare

vorn=$VORN_BUILD/bin/Vorn.exe
if [ ! -f "$vorn" ]; then
  echo "The IDE is not built yet: this build made the libraries, tools and tests only."
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: set DISPLAY to run Vorn." >&2
  exit 1
fi
vorn_wine_managed Y
VORN_WINE_TIMEOUT=0 exec "$VORN_BUILD/wine-run.sh" "$vorn" "$@"
