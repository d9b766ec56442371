#!/usr/bin/env bash
# Builds both targets and runs the whole test suite natively, then again under
# AddressSanitizer with UndefinedBehaviorSanitizer and under ThreadSanitizer, runs
# each fuzz target for a minute, and runs the Windows build's suite under wine.
# Exits non-zero when any of them fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$SECONDS

bash scripts/build.sh || { echo "build failed"; exit 1; }
source scripts/sanitizers.sh

echo "== Linux tests"
(cd build/linux && ctest --output-on-failure -j 2 --timeout 300)
linux=$?

echo "== Linux tests under AddressSanitizer and UndefinedBehaviorSanitizer"
sanitizer_build asan && (cd build/asan && ctest --output-on-failure -j 2 --timeout 600)
asan=$?

echo "== Linux tests under ThreadSanitizer"
sanitizer_build tsan && (cd build/tsan && ctest --output-on-failure -j 2 --timeout 600)
tsan=$?

echo "== Fuzzing"
bash scripts/fuzz.sh 60
fuzz=$?

echo "== Windows tests (wine)"
# A private wine prefix, started once, so tests neither pay wine's start-up each
# nor leave ctest waiting on wine's background services.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"; }
trap cleanup EXIT
# Wine starts inside the same X server as the tests: its desktop process must
# have a display, or no test can make a window.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c 'wineserver -p
  wineboot --init </dev/null >/dev/null 2>&1
  cd build/windows && ctest --output-on-failure -j 2 --timeout 600'
windows=$?

verdict() { [ "$1" -eq 0 ] && echo passed || echo FAILED; }
echo "Linux tests: $(verdict $linux); ASan+UBSan: $(verdict $asan); TSan: $(verdict $tsan);" \
     "fuzzing: $(verdict $fuzz); Windows tests: $(verdict $windows) ($(( (SECONDS - start) / 60 )) min)"
[ $linux -eq 0 ] && [ $asan -eq 0 ] && [ $tsan -eq 0 ] && [ $fuzz -eq 0 ] && [ $windows -eq 0 ]
