#!/usr/bin/env bash
# Installs what building and testing Vorn needs on Debian (bookworm).
# Idempotent and quiet: does nothing when everything is already present.
# The 32-bit Wine is optional: a machine that cannot install or run it still builds
# both architectures and tests the 64-bit one.
set -euo pipefail

PACKAGES=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  libz-mingw-w64-dev googletest
  cmake ninja-build dpkg-dev ccache
  wine wine64 xvfb xauth fonts-wine fonts-dejavu-core
  unzip zip
  qpdf poppler-utils libxml2-utils w3c-sgml-lib unrtf perl ghostscript
  lua5.1 lua5.1-doc fp-utils
  cups printer-driver-cups-pdf
)
# The 32-bit Wine finds printers only through the 32-bit CUPS library.
OPTIONAL=(wine32:i386 libcups2:i386)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${PACKAGES[@]}"; do installed "$p" || missing+=("$p"); done
missing_optional=()
for p in "${OPTIONAL[@]}"; do installed "$p" || missing_optional+=("$p"); done

need_arch=0
dpkg --print-foreign-architectures | grep -qx i386 || need_arch=1

# Source entries: derived from the machine's own binary entries, so no host is named here.
add_source_entries() {
  local out=/etc/apt/sources.list.d/vorn-deb-src.sources
  local have=0
  if grep -rqsE '^\s*deb-src\s' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null; then have=1; fi
  if grep -rqsE '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources 2>/dev/null; then have=1; fi
  [ $have -eq 1 ] && return 1
  local tmp; tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN{RS="";ORS="\n\n"} /Types:[^\n]*deb([ \n]|$)/ && !/Enabled: *no/ {sub(/Types:[^\n]*/,"Types: deb-src"); print}' "$f" >>"$tmp"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -nE 's/^\s*deb(\s+\[[^]]*\])?\s+/deb-src\1 /p' "$f" >>"$tmp.list"
  done 2>/dev/null || true
  if [ -s "$tmp" ]; then $SUDO cp "$tmp" "$out"; fi
  if [ -s "$tmp.list" ]; then $SUDO cp "$tmp.list" /etc/apt/sources.list.d/vorn-deb-src.list; fi
  rm -f "$tmp" "$tmp.list"
  return 0
}

# A mirror that serves one index badly (for instance mid-sync) makes apt-get update
# fail as a whole although the other lists are fine: go on and let the installation
# say whether what it needs is there.
update_lists() {
  local log; log=$(mktemp)
  if ! $SUDO apt-get update -qq >"$log" 2>&1; then
    echo "install-packages: apt-get update reported errors; going on with the lists it has:" >&2
    grep -E '^(E|W):' "$log" | head -n 3 >&2 || true
  fi
  rm -f "$log"
}

apt_install() {
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

if [ $need_arch -eq 1 ]; then $SUDO dpkg --add-architecture i386; fi
if add_source_entries || [ $need_arch -eq 1 ] || [ ${#missing[@]} -gt 0 ]; then
  update_lists
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  log=$(mktemp)
  if ! apt_install "${missing[@]}" >"$log" 2>&1; then
    echo "install-packages: installing ${missing[*]} failed:" >&2
    tail -n 15 "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
  if apt_install "${missing_optional[@]}" >/dev/null 2>&1; then
    echo "Installed: ${missing_optional[*]}"
  else
    echo "install-packages: ${missing_optional[*]} cannot be installed here; the 32-bit tests will be skipped"
  fi
fi
exit 0
