# Shared steps of the build and test commands: packages, dependencies, configure, build.
# Sourced by scripts/build-and-run.sh and scripts/test.sh.
set -euo pipefail
VORN_TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VORN_BUILD=${VORN_BUILD:-$VORN_TOP/build}

vorn_log() { printf '== %s\n' "$*"; }

vorn_phase() {  # vorn_phase <name> <command...>: runs a step and reports its time
  local name=$1 t0 ms; shift
  t0=$(date +%s%N)
  "$@"
  ms=$(( ($(date +%s%N) - t0) / 1000000 ))
  printf '== %s: %d.%d s\n' "$name" $((ms / 1000)) $((ms % 1000 / 100))
}

vorn_install_packages() { "$VORN_TOP/scripts/install-packages.sh"; }

vorn_build_deps() { VORN_DEPS_PREFIX=$("$VORN_TOP/deps/build-deps.sh" | tail -n 1); export VORN_DEPS_PREFIX; }

vorn_configure_and_build() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$VORN_TOP" -B "$VORN_BUILD" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$VORN_TOP/cmake/toolchain-i686-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE="${VORN_BUILD_TYPE:-RelWithDebInfo}" \
    -DVORN_DEPS_PREFIX="$VORN_DEPS_PREFIX" "${launcher[@]}" >/dev/null
  # Progress lines are dropped; warnings and errors stay.
  cmake --build "$VORN_BUILD" -j "$(nproc)" 2>&1 | sed -E '/^\[[0-9]+\/[0-9]+\] /d' 
}

vorn_wine_prefix() { "$VORN_TOP/scripts/wine-prefix.sh" "$VORN_BUILD"; }

# Whether Wine hands its top-level windows to the X window manager. Headless test
# runs have none, and a managed window then costs about 2 s to destroy; a user's
# desktop has one and wants its windows managed.
vorn_wine_managed() {  # vorn_wine_managed Y|N
  WINEPREFIX="$VORN_BUILD/wineprefix" WINEARCH=win32 WINEDEBUG=-all \
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f </dev/null >/dev/null 2>&1
}

vorn_prepare() {
  vorn_phase "packages" vorn_install_packages
  vorn_phase "dependencies" vorn_build_deps
  vorn_phase "build" vorn_configure_and_build
  vorn_phase "wine prefix" vorn_wine_prefix
}
