#!/usr/bin/env bash
# Builds both targets and runs the whole test suite natively and, for the
# Windows build, under wine. Exits non-zero when any test fails on either.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh || { echo "build failed"; exit 1; }

echo "== Linux tests"
(cd build/linux && ctest --output-on-failure -j 2 --timeout 300)
linux=$?

echo "== Windows tests (wine)"
# A private wine prefix, started once, so tests neither pay wine's start-up each
# nor leave ctest waiting on wine's background services.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() { wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"; }
trap cleanup EXIT
wineserver -p
wineboot --init </dev/null >/dev/null 2>&1
(cd build/windows && xvfb-run -a ctest --output-on-failure -j 2 --timeout 600)
windows=$?

echo "Linux tests: $([ $linux -eq 0 ] && echo passed || echo FAILED); Windows tests: $([ $windows -eq 0 ] && echo passed || echo FAILED)"
[ $linux -eq 0 ] && [ $windows -eq 0 ]
