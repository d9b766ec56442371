#!/usr/bin/env bash
# Installs what is missing, then builds everything for Linux (build/linux) and
# for 64-bit Windows (build/windows, cross-compiled with MinGW-w64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

bash scripts/setup.sh

echo "== Linux build"
cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/linux -j "$jobs"

echo "== Windows build"
bash scripts/mingw_deps.sh build/mingw-deps
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DSPW_MINGW_PREFIX="$root/build/mingw-deps" >/dev/null
cmake --build build/windows -j "$jobs"
