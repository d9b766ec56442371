#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
# Safe to run again: apt-get update runs at most once, and only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ dpkg-dev pkg-config
  libpng-dev libgtest-dev libbenchmark-dev libsndfile1-dev libfftw3-dev
  libxcb1-dev libxcb-xtest0-dev libxcb-res0-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core nlohmann-json3-dev
  juce-modules-source-data
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 xvfb xauth fonts-liberation
  clang libclang-rt-14-dev
  librtaudio-dev libasound2-dev jackd2 libjack-jackd2-dev pulseaudio pulseaudio-utils
  gstreamer1.0-plugins-base
  # Packaging (scripts/package.sh) and the tests that install the packages:
  nsis                # makensis, the Windows installer
  lintian             # checks the .deb against Debian's policy
  desktop-file-utils  # desktop-file-validate for the player's menu entry
  man-db              # man -l renders the manual pages in the package tests
  help2man            # the tools' manual pages, from their --help
  zip unzip           # the Windows archive, and its member list in the tests
  fakeroot            # builds the .deb with files owned by root without being root
  # The web build (emscripten) and its browser tests:
  emscripten node-acorn nodejs chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "setup: all packages present"
fi

# Debian's nodejs comes without npm (a Node from elsewhere may bring its own).
if ! command -v npm >/dev/null; then
  echo "setup: installing npm"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends npm >/dev/null
fi

# The browser tests' npm packages, exactly as package-lock.json pins them; again
# only when the lock file changed since they were installed.
web_tests=$(cd "$(dirname "$0")/../tests/web" && pwd)
if ! cmp -s "$web_tests/package-lock.json" "$web_tests/node_modules/.installed-lock.json"; then
  echo "setup: installing the browser tests' npm packages"
  (cd "$web_tests" && npm ci --no-audit --no-fund >/dev/null && cp package-lock.json node_modules/.installed-lock.json)
fi
