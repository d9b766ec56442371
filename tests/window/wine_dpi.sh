#!/usr/bin/env bash
# Runs a Windows test program in a wine prefix of its own whose screen is set to
# DPI dots per inch (LogPixels), so the editor's own DPI path runs at other than
# the 96 of every other test. The program learns the DPI from SPW_EXPECT_DPI.
#   wine_dpi.sh DPI PROGRAM.exe [ARGUMENTS...]
set -u
dpi=$1
shift
prefix=$(mktemp -d)
export WINEPREFIX=$prefix SPW_EXPECT_DPI=$dpi
trap 'wineserver -k 2>/dev/null; rm -rf "$prefix"' EXIT
wineboot --init </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
wineserver -w  # the registry written out before the program reads it
bash "$(dirname "$0")/../../scripts/wine_run.sh" "$@"
