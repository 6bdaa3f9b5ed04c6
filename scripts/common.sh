# Shared steps of the build and test commands: packages, dependencies, configure, build.
# Sourced by scripts/build-and-run.sh and scripts/test.sh.
#
# Two architectures are built from the same sources, each in a folder of its own:
#   i686 (the deliverable)  $VORN_BUILD      (default build/)
#   x64                     $VORN_BUILD_X64  (default build-x64/)
set -euo pipefail
VORN_TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VORN_BUILD=${VORN_BUILD:-$VORN_TOP/build}
VORN_BUILD_X64=${VORN_BUILD_X64:-$VORN_TOP/build-x64}
# Both by default; VORN_ARCHS=x64 narrows a quick local iteration to one (never for CI
# or before landing: both must always build).
read -r -a VORN_ARCHS <<<"${VORN_ARCHS:-i686 x64}"

vorn_log() { printf '== %s\n' "$*"; }
vorn_fail() { printf '== FAILED: %s\n' "$*" >&2; exit 1; }

# A step that fails says which it was and how it ended; nothing exits silently.
trap 'rc=$?; [ $rc -ne 0 ] && printf "== stopped: \"%s\" ended with exit code %d (line %d of %s)\n" "$BASH_COMMAND" $rc $LINENO "$(basename "$0")" >&2' ERR

vorn_phase() {  # vorn_phase <name> <command...>: runs a step and reports its time
  local name=$1 t0 ms rc=0; shift
  t0=$(date +%s%N)
  "$@" || rc=$?
  ms=$(( ($(date +%s%N) - t0) / 1000000 ))
  [ $rc -eq 0 ] || vorn_fail "$name (exit code $rc after $((ms / 1000)) s)"
  printf '== %s: %d.%d s\n' "$name" $((ms / 1000)) $((ms % 1000 / 100))
}

vorn_build_dir() {  # vorn_build_dir <arch>
  if [ "$1" = x64 ]; then echo "$VORN_BUILD_X64"; else echo "$VORN_BUILD"; fi
}

vorn_toolchain() {  # vorn_toolchain <arch>
  if [ "$1" = x64 ]; then echo "$VORN_TOP/cmake/toolchain-x86_64-mingw32.cmake"
  else echo "$VORN_TOP/cmake/toolchain-i686-mingw32.cmake"; fi
}

# Whether this machine runs 32-bit Windows programs. Asks the 32-bit Wine loader
# itself: it is a 32-bit program, so a kernel without 32-bit support refuses it.
# Prints the reason when it cannot.
vorn_can_run_i686() {
  local loader=/usr/lib/wine/wine out
  if [ ! -x "$loader" ]; then
    echo "32-bit Wine (wine32:i386) is not installed"
    return 1
  fi
  if ! out=$("$loader" --version 2>&1); then
    echo "the 32-bit Wine loader cannot run here (${out:-no output})"
    return 1
  fi
}

vorn_install_packages() { "$VORN_TOP/scripts/install-packages.sh"; }

vorn_build_deps() {  # vorn_build_deps <arch>: sets VORN_DEPS_PREFIX
  local out
  out=$("$VORN_TOP/deps/build-deps.sh" "$1") || return 1
  VORN_DEPS_PREFIX=$(tail -n 1 <<<"$out")
}

# Compiler cache keys relative to the checkout, so that checkouts of the same tree in
# other folders share their objects.
export CCACHE_BASEDIR="$VORN_TOP" CCACHE_NOHASHDIR=1
# CI compiles every object itself (and stores it for the next build): a shared cache
# can hold an object that another checkout compiled from a file that changed while it
# was being compiled, filed under the file's earlier text.
if [ "${CI:-}" = true ]; then export CCACHE_RECACHE=1; fi

vorn_configure_and_build() {  # vorn_configure_and_build <arch>
  local arch=$1 build launcher=() log status
  build=$(vorn_build_dir "$arch")
  vorn_build_deps "$arch" || return 1
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$VORN_TOP" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$(vorn_toolchain "$arch")" \
    -DCMAKE_BUILD_TYPE="${VORN_BUILD_TYPE:-RelWithDebInfo}" \
    -DVORN_DEPS_PREFIX="$VORN_DEPS_PREFIX" "${launcher[@]}" >/dev/null || return 1
  # Progress lines are dropped; warnings and errors stay.
  log=$(mktemp)
  status=0
  cmake --build "$build" -j "$(nproc)" >"$log" 2>&1 || status=$?
  sed -E '/^\[[0-9]+\/[0-9]+\] /d' "$log"
  rm -f "$log"
  return $status
}

vorn_wine_prefix() { "$VORN_TOP/scripts/wine-prefix.sh" "$(vorn_build_dir "$1")"; }

# Whether Wine hands its top-level windows to the X window manager. Headless test
# runs have none, and a managed window then costs about 2 s to destroy; a user's
# desktop has one and wants its windows managed.
vorn_wine_managed() {  # vorn_wine_managed <arch> Y|N
  "$(vorn_build_dir "$1")/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /d "$2" /f </dev/null >/dev/null 2>&1
}

# Packages, then for each architecture its dependencies and build; the Wine prefix
# only where the architecture's programs can run. Sets VORN_RUNNABLE to those.
vorn_prepare() {
  local arch why
  vorn_phase "packages" vorn_install_packages
  VORN_RUNNABLE=()
  for arch in "${VORN_ARCHS[@]}"; do
    vorn_phase "build $arch" vorn_configure_and_build "$arch"
  done
  for arch in "${VORN_ARCHS[@]}"; do
    if [ "$arch" = i686 ] && ! why=$(vorn_can_run_i686); then
      vorn_log "i686: this machine cannot run 32-bit programs: $why"
      continue
    fi
    vorn_phase "wine prefix $arch" vorn_wine_prefix "$arch"
    VORN_RUNNABLE+=("$arch")
  done
}
