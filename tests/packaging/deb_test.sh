#!/usr/bin/env bash
# Checks the Debian package as a user gets it: lintian, then unpacked into a
# scratch root, where the installed renderer renders through the installed
# bundle with no option naming it, the player lists its devices, every manual
# page renders, the menu entry validates, and the copyright names every licence
# of THIRD_PARTY_NOTICES.txt.
#   tests/packaging/deb_test.sh build/dist/stereopulseweaver_V_amd64.deb
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/packaging/support.sh"
deb=$(realpath "${1:?usage: deb_test.sh PACKAGE.deb}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# lintian refuses nothing as root but says so on every run; it runs as nobody,
# reading a copy it may open. Errors and warnings fail; informational tags pass.
cp "$deb" "$work/package.deb" && chmod a+rx "$work" && chmod a+r "$work/package.deb"
runuser -u nobody -- env HOME="$work" lintian --no-cfg "$work/package.deb" >"$work/lintian.txt" 2>&1
grep -E '^[EW]: ' "$work/lintian.txt" >"$work/lintian-bad.txt"
if [ -s "$work/lintian-bad.txt" ]; then fail "lintian: $(tr '\n' ';' <"$work/lintian-bad.txt")"; else pass "lintian: no error, no warning"; fi

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -f "$deb" Depends >"$work/depends.txt"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' >"$work/members.txt"
expect_lines "the files are where Debian keeps them" "$work/members.txt" "
/usr/bin/spw_render
/usr/bin/spw_play
/usr/bin/spw_snapshot
/usr/bin/spw_info
/usr/lib/vst3/stereoPulseWeaver.vst3/Contents/x86_64-linux/stereoPulseWeaver.so
/usr/lib/vst3/stereoPulseWeaver.vst3/Contents/Resources/moduleinfo.json
/usr/share/applications/stereopulseweaver.desktop
/usr/share/icons/hicolor/16x16/apps/stereopulseweaver.png
/usr/share/icons/hicolor/48x48/apps/stereopulseweaver.png
/usr/share/icons/hicolor/256x256/apps/stereopulseweaver.png
/usr/share/stereopulseweaver/sessions/relaxation-30min.txt
/usr/share/doc/stereopulseweaver/copyright
/usr/share/doc/stereopulseweaver/changelog.gz
/usr/share/man/man1/spw_render.1.gz
/usr/share/man/man1/spw_play.1.gz
/usr/share/man/man1/spw_snapshot.1.gz
/usr/share/man/man1/spw_info.1.gz"
tr ',' '\n' <"$work/depends.txt" | sed 's/^ *//; s/ .*//' >"$work/depends-names.txt"
expect_lines "Depends names the shared libraries the binaries link" "$work/depends-names.txt" "
libc6
libsndfile1
libxcb1
libfontconfig1
libfreetype6
libpng16-16"

out="$work/render.wav"
"$work/root/usr/bin/spw_render" --verbose --duration 0.5 -o "$out" 2>"$work/render.txt"
check "the installed spw_render renders through the installed bundle" test -s "$out"
check "  and says it loaded the bundle installed with it" \
  grep -qF "$work/root/usr/bin/../lib/vst3/stereoPulseWeaver.vst3 (installed with the program)" "$work/render.txt"
status=0
"$work/root/usr/bin/spw_play" --list-devices >"$work/devices.txt" 2>&1 || status=$?
# Without a sound server the list is empty, which the player says last (after
# what the sound libraries print of their own).
check "spw_play --list-devices runs (status $status)" \
  test "$status" -eq 0 -o "$(tail -n 1 "$work/devices.txt")" = "spw_play: error: no sound output device"

for page in "$work"/root/usr/share/man/man1/*.1.gz; do
  name=$(basename "$page" .1.gz)
  MANWIDTH=80 man -l --warnings "$page" >"$work/man.txt" 2>"$work/man-warnings.txt"
  check "man -l $name.1 renders, without a warning" test -s "$work/man.txt" -a ! -s "$work/man-warnings.txt"
  check "  and shows the tool's options" grep -q -- "--list-programs" "$work/man.txt"
done
check "the player's menu entry is valid" desktop-file-validate "$work/root/usr/share/applications/stereopulseweaver.desktop"

# Each licence THIRD_PARTY_NOTICES.txt names, and the name the copyright file gives it.
copyright="$work/root/usr/share/doc/stereopulseweaver/copyright"
while IFS='|' read -r notice name; do
  grep -q "^  Licence: $notice" "$root/THIRD_PARTY_NOTICES.txt" || fail "THIRD_PARTY_NOTICES.txt no longer names '$notice'"
  check "the copyright names $name ($notice)" grep -qx "License: $name" "$copyright"
done <<'TABLE'
GPL-3.0|GPL-3
libpng license|libpng-2.0
zlib license|Zlib
FreeType License (FTL)|FTL
MIT-style (fontconfig license)|fontconfig
MIT (X11) license|X11
LGPL-2.1-or-later|LGPL-2.1+
GPL-2.0-or-later|GPL-2+
MIT-style (RtAudio license)|other-mit
TABLE
notices=$(grep -c '^  Licence: ' "$root/THIRD_PARTY_NOTICES.txt")
check "  which are all $notices licences THIRD_PARTY_NOTICES.txt names" test "$notices" -eq 9
finish "Debian package"
