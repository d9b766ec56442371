#!/usr/bin/env bash
# Checks the two archives: their member lists (what a person unpacks, in sorted
# order), and a render from each unpacked tree, the programs finding the bundle
# that came with them (the Windows one under wine).
#   tests/packaging/archives_test.sh DIST_FOLDER VERSION
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/packaging/support.sh"
dist=$(realpath "${1:?usage: archives_test.sh DIST_FOLDER VERSION}")
v=${2:?usage: archives_test.sh DIST_FOLDER VERSION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

linux="stereoPulseWeaver-$v-linux-x86_64"
tar -tzf "$dist/$linux.tar.gz" | sed 's|/$||' >"$work/tar.txt"
expect_lines "the Linux archive holds the bundle, the tools and their files" "$work/tar.txt" "
$linux/README.txt
$linux/bin/spw_render
$linux/bin/spw_play
$linux/bin/spw_snapshot
$linux/bin/spw_info
$linux/lib/vst3/stereoPulseWeaver.vst3/Contents/x86_64-linux/stereoPulseWeaver.so
$linux/share/man/man1/spw_render.1
$linux/share/applications/stereopulseweaver.desktop
$linux/share/stereopulseweaver/sessions/sleep-45min.txt
$linux/share/doc/stereopulseweaver/LICENSE
$linux/share/doc/stereopulseweaver/THIRD_PARTY_NOTICES.txt"
check "  in sorted order" cmp -s "$work/tar.txt" <(LC_ALL=C sort "$work/tar.txt")
check "  every member owned by root" test -z "$(tar -tvzf "$dist/$linux.tar.gz" | awk '$2 != "0/0"')"
tar -xzf "$dist/$linux.tar.gz" -C "$work"
"$work/$linux/bin/spw_render" -v --duration 0.5 -o "$work/linux.wav" 2>"$work/linux.txt"
check "the unpacked spw_render renders" test -s "$work/linux.wav"
check "  through the bundle that came with it" \
  grep -qF "$work/$linux/bin/../lib/vst3/stereoPulseWeaver.vst3 (installed with the program)" "$work/linux.txt"

windows="stereoPulseWeaver-$v-win64"
if [ -f "$dist/$windows.zip" ]; then
  unzip -Z1 "$dist/$windows.zip" | sed 's|/$||' >"$work/zip.txt"
  expect_lines "the Windows archive holds the bundle, the programs and their files" "$work/zip.txt" "
$windows/README.txt
$windows/LICENSE.txt
$windows/THIRD_PARTY_NOTICES.txt
$windows/spw_render.exe
$windows/spw_play.exe
$windows/spw_playw.exe
$windows/spw_snapshot.exe
$windows/spw_info.exe
$windows/stereoPulseWeaver.vst3/Contents/x86_64-win/stereoPulseWeaver.vst3
$windows/stereoPulseWeaver.vst3/Contents/Resources/moduleinfo.json
$windows/sessions/focus-25min.txt"
  check "  in sorted order" cmp -s "$work/zip.txt" <(LC_ALL=C sort "$work/zip.txt")
  unzip -q "$dist/$windows.zip" -d "$work"
  export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wine "$work/$windows/spw_render.exe" -v --duration 0.5 -o "$work/windows.wav" >/dev/null 2>"$work/windows.txt"
  check "the unpacked spw_render.exe renders" test -s "$work/windows.wav"
  check "  through the bundle beside it" grep -q 'stereoPulseWeaver.vst3 (beside the program)' "$work/windows.txt"
  wineserver -k 2>/dev/null
fi
finish "Archives"
