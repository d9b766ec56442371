#!/usr/bin/env bash
# Installs what is missing, then builds for Linux (build/linux), for 64-bit
# Windows (build/windows, cross-compiled with MinGW-w64) and for the web
# (build/web, WebAssembly with emscripten), one line per stage;
# full logs in build/logs/. The configurations are the presets of CMakePresets.json;
# SPW_WARNINGS_AS_ERRORS=ON in the environment makes any compiler warning fail the build.
#   scripts/build.sh          everything, every platform
#   scripts/build.sh linux    only the Linux bundle and the renderer (what run.sh needs)
#   scripts/build.sh linux-all the whole Linux build, tests included (what test.sh --quick needs)
#   scripts/build.sh web      only the web build (its tests also need the Linux renderer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/stages.sh
jobs=$(nproc)
scope=${1:-all}
case "$scope" in
  all | linux | linux-all | web) ;;
  *) echo "usage: scripts/build.sh [linux | linux-all | web]" >&2; exit 2 ;;
esac

linux_build() {
  cmake --preset linux || return
  if [ "$scope" = linux ]; then
    cmake --build build/linux -j "$jobs" --target stereoPulseWeaver spw_render spw_bundle_resources
  else
    cmake --build build/linux -j "$jobs"
  fi
}

windows_build() {
  # The bundle's snapshots and moduleinfo.json are written by the Windows tools
  # under wine: a prefix of the build's own, made once.
  export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cmake --preset windows || return
  cmake --build build/windows -j "$jobs"
}

web_build() {
  # Debian's emscripten runs its JavaScript tools with the system's Node, which
  # finds their modules only there.
  export NODE_PATH=/usr/share/nodejs
  cmake --preset web || return
  cmake --build build/web -j "$jobs"
}

stage setup "Installing packages" bash scripts/setup.sh
if [ "$scope" = web ]; then
  stage web-libraries "Building the web libraries" bash scripts/web_deps.sh build/web-deps
  stage web-build "Building for the web" web_build
  exit
fi
stage linux-build "Building for Linux" linux_build
[ "$scope" = all ] || exit 0
stage windows-libraries "Building the Windows libraries" bash scripts/mingw_deps.sh build/mingw-deps
stage windows-build "Building for Windows" windows_build
stage web-libraries "Building the web libraries" bash scripts/web_deps.sh build/web-deps
stage web-build "Building for the web" web_build
