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

# A private apt set-up that reads source packages of the machine's main suite,
# leaving the machine's own apt configuration untouched.
apt_private() {
  apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/sources" \
          -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" \
          -o APT::Sandbox::User=root "$@"
}

prepare_sources() {
  [ -f "$work/lists.done" ] && return
  mkdir -p "$work/sources" "$work/lists/partial" "$work/cache/archives/partial"
  local src=/etc/apt/sources.list.d/debian.sources
  [ -f "$src" ] || { echo "mingw_deps: $src not found" >&2; exit 1; }
  # The first stanza is the main suite; the security suite's sources are not served.
  awk 'BEGIN{RS=""; ORS="\n\n"} NR==1' "$src" | sed 's/^Types:.*/Types: deb-src/' > "$work/sources/main.sources"
  apt_private update -qq
  touch "$work/lists.done"
}

# fetch_source PACKAGE DIR: unpacks Debian's source package with its patches applied.
fetch_source() {
  local pkg=$1 dir=$2
  [ -d "$dir" ] && return
  prepare_sources
  mkdir -p "$work/dl" && (cd "$work/dl" && apt_private source --download-only -qq "$pkg" >/dev/null)
  # apt has checked the files against the signed archive index already.
  dpkg-source --no-check -x "$(ls "$work"/dl/"${pkg}"_*.dsc | head -n 1)" "$dir" >/dev/null
}

build_libpng() {
  [ -f "$prefix/lib/libpng.a" ] || [ -f "$prefix/lib/libpng16.a" ] && return
  echo "mingw_deps: building libpng for Windows"
  fetch_source libpng1.6 "$work/libpng"
  cmake -S "$work/libpng" -B "$work/libpng-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    >/dev/null
  cmake --build "$work/libpng-build" >/dev/null
  cmake --install "$work/libpng-build" >/dev/null
}

# libsndfile without its external codec libraries (FLAC, Ogg, Opus, MPEG): WAV and the
# other built-in formats only.
build_libsndfile() {
  [ -f "$prefix/lib/libsndfile.a" ] && return
  echo "mingw_deps: building libsndfile for Windows"
  fetch_source libsndfile "$work/libsndfile"
  cmake -S "$work/libsndfile" -B "$work/libsndfile-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_TESTING=OFF -DBUILD_REGTEST=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF \
    -DENABLE_STATIC_RUNTIME=ON -Wno-deprecated >/dev/null
  cmake --build "$work/libsndfile-build" >/dev/null
  cmake --install "$work/libsndfile-build" >/dev/null
}

# RtAudio for the player's sound output: WASAPI, with DirectSound as the fallback.
build_rtaudio() {
  [ -f "$prefix/lib/librtaudio.a" ] && return
  echo "mingw_deps: building RtAudio for Windows"
  fetch_source rtaudio "$work/rtaudio"
  cmake -S "$work/rtaudio" -B "$work/rtaudio-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DRTAUDIO_BUILD_STATIC_LIBS=ON -DRTAUDIO_API_WASAPI=ON -DRTAUDIO_API_DS=ON -DRTAUDIO_API_ASIO=OFF \
    -DRTAUDIO_API_PULSE=OFF -DRTAUDIO_API_JACK=OFF -DRTAUDIO_API_ALSA=OFF \
    -DRTAUDIO_BUILD_TESTING=OFF -DCMAKE_EXPORT_NO_PACKAGE_REGISTRY=ON >/dev/null
  cmake --build "$work/rtaudio-build" >/dev/null
  cmake --install "$work/rtaudio-build" >/dev/null
}

mkdir -p "$prefix"
build_libpng
build_libsndfile
build_rtaudio
