#!/usr/bin/env bash
# Builds every target and runs the whole test suite natively, then again under
# AddressSanitizer with UndefinedBehaviorSanitizer and under ThreadSanitizer, runs
# each fuzz target for a minute, runs the Windows build's suite under wine and
# the web build's tests (Node and headless Chromium), and makes the packages and
# tests them by installing them (tests/packaging/).
# One line per stage with the time it took; full logs in build/logs/. Exits
# non-zero when any of them fails.
#   scripts/test.sh           all of it
#   scripts/test.sh --quick   the Linux build and its fast tests only: every label but
#                             window, windows and slow (tests/CMakeLists.txt)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/stages.sh
start=$SECONDS

if [ "${1:-}" = --quick ]; then
  bash scripts/build.sh linux-all || { echo "build failed"; exit 1; }
  stage quick-tests "Linux tests, quick (no window, Windows or long tests)" ctest --preset quick
  status=$?
  echo "Quick Linux tests: $([ $status -eq 0 ] && echo passed || echo FAILED) ($(( SECONDS - start )) s)"
  exit $status
elif [ $# -gt 0 ]; then
  echo "usage: scripts/test.sh [--quick]" >&2
  exit 2
fi

bash scripts/build.sh || { echo "build failed"; exit 1; }
source scripts/sanitizers.sh

# A JACK server that was killed rather than stopped stays in JACK's registry in
# /dev/shm, and a few of them refuse every new server ("too many servers"). With
# no server running, every entry there is stale.
clear_stale_jack() { grep -qsx jackd /proc/[0-9]*/comm || rm -f /dev/shm/jack-* /dev/shm/jack_*; }
linux_tests() { clear_stale_jack; ctest --preset linux; }
sanitizer_tests() { sanitizer_build "$1" && ctest --preset "$1"; }

# A private wine prefix, started once, so tests neither pay wine's start-up each
# nor leave ctest waiting on wine's background services.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"; }
trap cleanup EXIT
windows_tests() {
  # Wine starts inside the same X server as the tests: its desktop process must
  # have a display, or no test can make a window.
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c 'wineserver -p
    wineboot --init </dev/null >/dev/null 2>&1
    ctest --preset windows'
}

stage linux-tests "Linux tests" linux_tests
linux=$?
stage asan-tests "Linux tests under AddressSanitizer and UndefinedBehaviorSanitizer" sanitizer_tests asan
asan=$?
stage tsan-tests "Linux tests under ThreadSanitizer" sanitizer_tests tsan
tsan=$?
stage fuzzing "Fuzzing, a minute per target" bash scripts/fuzz.sh 60
fuzz=$?
stage windows-tests "Windows tests (wine)" windows_tests
windows=$?
# What a person downloads, made and installed: the .deb unpacked and checked by
# lintian, the archives unpacked, the installer run under wine in a prefix of its
# own; then the Linux packages built again in another folder must be the same bytes
# (the whole check, Windows too: scripts/check_reproducible.sh).
packages_tests() {
  bash scripts/package.sh || return
  local v
  v=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt)
  local status=0
  bash tests/packaging/deb_test.sh "build/dist/stereopulseweaver_${v}_amd64.deb" || status=1
  bash tests/packaging/archives_test.sh build/dist "$v" || status=1
  xvfb-run -a bash tests/packaging/installer_test.sh "build/dist/stereoPulseWeaver-$v-win64-setup.exe" "$v" || status=1
  if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "reproducibility: not checked, the working tree has uncommitted changes"
  else
    bash scripts/check_reproducible.sh linux || status=1
  fi
  return $status
}
stage web-tests "Web tests (Node and Chromium)" ctest --preset web
web=$?
stage packages "Packages: made, installed and made again" packages_tests
packages=$?

verdict() { [ "$1" -eq 0 ] && echo passed || echo FAILED; }
echo "Linux tests: $(verdict $linux); ASan+UBSan: $(verdict $asan); TSan: $(verdict $tsan);" \
     "fuzzing: $(verdict $fuzz); Windows tests: $(verdict $windows); web tests: $(verdict $web); packages: $(verdict $packages)" \
     "($(( (SECONDS - start) / 60 )) min)"
[ $linux -eq 0 ] && [ $asan -eq 0 ] && [ $tsan -eq 0 ] && [ $fuzz -eq 0 ] && [ $windows -eq 0 ] && [ $web -eq 0 ] && [ $packages -eq 0 ]
