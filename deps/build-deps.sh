#!/usr/bin/env bash
# Fetches the Debian source packages of Vorn's dependencies and builds them with the
# MinGW toolchain into a cache outside the source tree. The cache folder is keyed by the
# package versions and by this build's own files, so a second run only prints the path.
# Prints the installed prefix on its last line.
# Usage: build-deps.sh [i686|x64]   (default i686, the deliverable's architecture)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cache_root=${VORN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vorn-deps}
mkdir -p "$cache_root"

arch=${1:-i686}
case "$arch" in
  i686) triple=i686-w64-mingw32;   toolchain="$top/cmake/toolchain-i686-mingw32.cmake" ;;
  x64)  triple=x86_64-w64-mingw32; toolchain="$top/cmake/toolchain-x86_64-mingw32.cmake" ;;
  *) echo "build-deps: unknown architecture '$arch' (i686 or x64)" >&2; exit 1 ;;
esac

SOURCE_PACKAGES=(lua5.1 scite tinyxml minizip)

# The newest version apt offers, one line per package: "name version".
source_versions() {
  local p v
  for p in "${SOURCE_PACKAGES[@]}"; do
    v=$(apt-cache showsrc "$p" 2>/dev/null | awk '/^Version:/{print $2}' | sort -V | tail -n 1)
    if [ -z "$v" ]; then
      echo "build-deps: no source package '$p' (are deb-src entries configured?)" >&2
      exit 1
    fi
    echo "$p $v"
  done
  echo "googletest $(dpkg-query -W -f='${Version}' googletest)"
  echo "zlib-mingw $(dpkg-query -W -f='${Version}' libz-mingw-w64-dev)"
  echo "compiler $triple $("$triple-g++-posix" -dumpfullversion)"
}

# Lua 5.0 is not packaged: its released sources come from VORN_LUA50_SRC, else from
# shared/deps/lua-5.0 beside the repository's folder. Without them everything else
# is built.
lua50_src=${VORN_LUA50_SRC:-$(dirname "$top")/shared/deps/lua-5.0}
if [ -f "$lua50_src/lapi.c" ] && [ -f "$lua50_src/lua.h" ]; then
  lua50_src=$(cd "$lua50_src" && pwd)
  lua50_key="lua50 $(cat "$lua50_src"/*.c "$lua50_src"/*.h | sha256sum | cut -c1-16)"
else
  echo "build-deps: no Lua 5.0 sources at $lua50_src (set VORN_LUA50_SRC): building without lua50.dll, lua.exe, luac.exe and the Lua 5.0 debug libraries" >&2
  lua50_src=""
  lua50_key="lua50 none"
fi

versions=$(source_versions)
versions="$versions
$lua50_key"
key=$( { echo "$arch"; echo "$versions"; cat "$here/CMakeLists.txt" "$here/build-deps.sh" \
         "$toolchain" "$top/cmake/toolchain-mingw-common.cmake"; } | sha256sum | cut -c1-16)
dest="$cache_root/$arch-$key"
prefix="$dest/prefix"

exec 9>"$cache_root/.lock"
flock 9

if [ -f "$dest/.complete" ]; then
  echo "$prefix"
  exit 0
fi

echo "build-deps: building the $arch dependencies into $dest" >&2
rm -rf "$dest"
mkdir -p "$dest/src"

# Fetch one source package into a folder of its own; when the newest version's
# files are not served, fall back to the other versions apt knows.
fetch_source() {
  local p=$1 v
  local sandbox=()
  [ "$(id -u)" -eq 0 ] && sandbox=(-o APT::Sandbox::User=root)
  mkdir -p "$dest/src/$p"
  cd "$dest/src/$p"
  apt-get source -qq "${sandbox[@]}" "$p" >/dev/null 2>&1 && return 0
  for v in $(apt-cache showsrc "$p" | awk '/^Version:/{print $2}' | sort -rV); do
    find . -mindepth 1 -delete
    apt-get source -qq "${sandbox[@]}" "$p=$v" >/dev/null 2>&1 && return 0
  done
  echo "build-deps: cannot fetch source package $p" >&2
  return 1
}

for p in "${SOURCE_PACKAGES[@]}"; do
  ( fetch_source "$p" )
done

srcdir() { find "$dest/src/$1" -mindepth 1 -maxdepth 1 -type d | head -n 1; }

jobs=$(nproc 2>/dev/null || echo 4)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S "$here" -B "$dest/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "${launcher[@]}" \
  -DLUA51_SRC="$(srcdir lua5.1)" -DSCITE_SRC="$(srcdir scite)" \
  -DTINYXML_SRC="$(srcdir tinyxml)" -DMINIZIP_SRC="$(srcdir minizip)" \
  -DLUA50_SRC="$lua50_src" \
  -DGTEST_SRC=/usr/src/googletest >"$dest/configure.log" 2>&1 \
  || { cat "$dest/configure.log" >&2; exit 1; }
cmake --build "$dest/build" -j "$jobs" >"$dest/build.log" 2>&1 \
  || { tail -n 60 "$dest/build.log" >&2; exit 1; }
cmake --install "$dest/build" >"$dest/install.log" 2>&1 \
  || { cat "$dest/install.log" >&2; exit 1; }

echo "$versions" >"$dest/versions.txt"
rm -rf "$dest/build" "$dest/src"
touch "$dest/.complete"
echo "$prefix"
