#!/usr/bin/env bash
# Installs what building and testing Vorn needs on Debian (bookworm).
# Idempotent and quiet: does nothing when everything is already present.
set -euo pipefail

PACKAGES=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  libz-mingw-w64-dev googletest
  cmake ninja-build dpkg-dev ccache
  wine wine32 xvfb xauth fonts-wine fonts-dejavu-core
  unzip zip
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

need_arch=0
dpkg --print-foreign-architectures | grep -qx i386 || need_arch=1

missing=()
for p in "${PACKAGES[@]}"; do
  arch_p="$p"
  [ "$p" = wine32 ] && arch_p="wine32:i386"
  dpkg-query -W -f='${Status}' "$arch_p" 2>/dev/null | grep -q "install ok installed" || missing+=("$arch_p")
done

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

updated=0
if [ $need_arch -eq 1 ]; then $SUDO dpkg --add-architecture i386; fi
if add_source_entries || [ $need_arch -eq 1 ] || [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  updated=1
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
exit 0
