#!/usr/bin/env bash
# Creates the private Wine prefix of a build folder (never the user's ~/.wine):
# quiet, 32-bit, with Wine's own fonts copied in, crash dialogs off and the common
# Windows font names mapped to fonts that exist here. Does nothing when it exists.
# Usage: wine-prefix.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

stamp="$WINEPREFIX/.vorn-prefix-ready"
[ -f "$stamp" ] && exit 0

rm -rf "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/" 2>/dev/null || true

reg=$(mktemp --suffix=.reg)
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="DejaVu Sans Mono"
"Courier"="DejaVu Sans Mono"
"Arial"="DejaVu Sans"
"Times New Roman"="DejaVu Serif"
"Verdana"="DejaVu Sans"
REG
wine regedit /S "$(echo "Z:$reg" | tr / '\\')" </dev/null >/dev/null 2>&1
wineserver -w
rm -f "$reg"
touch "$stamp"
