#!/usr/bin/env bash
# Cross-builds the libraries Debian ships no MinGW build of (libpng, libsndfile, RtAudio) from
# Debian's own source packages, into a prefix inside the build tree. Reuses the prefix
# when present.
#   scripts/mingw_deps.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "${1:?usage: mingw_deps.sh PREFIX}")
root=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix.work"
toolchain="$root/cmake/toolchain-mingw64.cmake"

. "$root/scripts/debian_source.sh"

build_libpng() {
  [ -f "$prefix/lib/libpng.a" ] || [ -f "$prefix/lib/libpng16.a" ] && return
  echo "mingw_deps: building libpng for Windows"
  fetch_source libpng1.6 "$work/libpng"
  configure_build_install libpng "$work/libpng" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
}

# libsndfile without its external codec libraries (FLAC, Ogg, Opus, MPEG): WAV and the
# other built-in formats only.
build_libsndfile() {
  [ -f "$prefix/lib/libsndfile.a" ] && return
  echo "mingw_deps: building libsndfile for Windows"
  fetch_source libsndfile "$work/libsndfile"
  configure_build_install libsndfile "$work/libsndfile" \
    -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_TESTING=OFF -DBUILD_REGTEST=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF \
    -DENABLE_STATIC_RUNTIME=ON -Wno-deprecated
}

# RtAudio for the player's sound output: WASAPI, with DirectSound as the fallback.
build_rtaudio() {
  [ -f "$prefix/lib/librtaudio.a" ] && return
  echo "mingw_deps: building RtAudio for Windows"
  fetch_source rtaudio "$work/rtaudio"
  configure_build_install rtaudio "$work/rtaudio" \
    -DRTAUDIO_BUILD_STATIC_LIBS=ON -DRTAUDIO_API_WASAPI=ON -DRTAUDIO_API_DS=ON -DRTAUDIO_API_ASIO=OFF \
    -DRTAUDIO_API_PULSE=OFF -DRTAUDIO_API_JACK=OFF -DRTAUDIO_API_ALSA=OFF \
    -DRTAUDIO_BUILD_TESTING=OFF -DCMAKE_EXPORT_NO_PACKAGE_REGISTRY=ON
}

mkdir -p "$prefix"
build_libpng
build_libsndfile
build_rtaudio
