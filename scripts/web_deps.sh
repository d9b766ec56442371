#!/usr/bin/env bash
# Builds the libraries the editor draws with (zlib, libpng, FreeType) for
# WebAssembly with Debian's emscripten, from Debian's own source packages (the
# same sources as the desktop's libraries, so glyphs come out the same), into a
# prefix inside the build tree. Reuses the prefix when present.
#   scripts/web_deps.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "${1:?usage: web_deps.sh PREFIX}")
root=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix.work"
toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
# Debian's emscripten runs its JavaScript tools with the system's Node, which
# finds their modules only there.
export NODE_PATH=/usr/share/nodejs

. "$root/scripts/debian_source.sh"

# The libraries built here find each other in the prefix.
in_prefix=(-DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix")

build_zlib() {
  [ -f "$prefix/lib/libz.a" ] && return
  echo "web_deps: building zlib for WebAssembly"
  fetch_source zlib "$work/zlib"
  # zlib's own configure script: its CMake build wants Windows files Debian's source leaves out.
  # emscripten's wrappers echo each command: their output is shown only when it fails.
  (cd "$work/zlib" && CFLAGS=-O2 emconfigure ./configure --static --prefix="$prefix" &&
   emmake make -s install) >"$work/zlib.log" 2>&1 || { cat "$work/zlib.log" >&2; exit 1; }
}

build_libpng() {
  [ -f "$prefix/lib/libpng16.a" ] && return
  echo "web_deps: building libpng for WebAssembly"
  fetch_source libpng1.6 "$work/libpng"
  configure_build_install libpng "$work/libpng" "${in_prefix[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
}

# FreeType without colour fonts or shaping; its gzip module on the zlib above
# (without one it compiles in a copy of its own, which clashes with it).
build_freetype() {
  [ -f "$prefix/lib/libfreetype.a" ] && return
  echo "web_deps: building FreeType for WebAssembly"
  fetch_source freetype "$work/freetype"
  configure_build_install freetype "$work/freetype" "${in_prefix[@]}" -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
    -DFT_DISABLE_BROTLI=ON
}

mkdir -p "$prefix"
build_zlib
build_libpng
build_freetype
