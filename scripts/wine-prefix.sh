#!/usr/bin/env bash
# Creates the private Wine prefix of a build folder (never the user's ~/.wine), of the
# build's architecture: quiet, with Wine's own fonts copied in, crash dialogs off and
# the common Windows font names mapped to fonts that exist here, and no menu builder
# (it would copy the file associations the tests write into this machine's desktop
# files). Does nothing when it exists. Usage: wine-prefix.sh <configured build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
run="$build/wine-run.sh"
prefix="$build/wineprefix"

stamp="$prefix/.vorn-prefix-ready-2"
[ -f "$stamp" ] && exit 0

fail() { echo "wine-prefix: $*" >&2; exit 1; }
[ -x "$run" ] || fail "$build is not configured (no wine-run.sh)"

rm -rf "$prefix"
log="$build/wineprefix.log"
"$run" wineboot -i </dev/null >"$log" 2>&1 || fail "wineboot failed in $prefix (see $log): $(tail -n 3 "$log")"
"$run" --server -w

fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/" 2>/dev/null || true

reg=$(mktemp --suffix=.reg)
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"="d"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="DejaVu Sans Mono"
"Courier"="DejaVu Sans Mono"
"Arial"="DejaVu Sans"
"Times New Roman"="DejaVu Serif"
"Verdana"="DejaVu Sans"
REG
"$run" regedit /S "$(echo "Z:$reg" | tr / '\\')" </dev/null >>"$log" 2>&1 || fail "regedit failed in $prefix (see $log)"
"$run" --server -w
rm -f "$reg"
touch "$stamp"
