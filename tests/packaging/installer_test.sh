#!/usr/bin/env bash
# Installs the Windows installer under wine, in a fresh prefix of its own, as an
# administrator deploying it would: silently (/S) into a folder of their choice
# (/D=), then checks every file, the Start-menu shortcut and the Uninstall key;
# renders with the installed spw_render.exe through the bundle in Common
# Files\VST3; installs again over it (an old bundle's stray file goes); then
# uninstalls silently and compares the prefix's files and registry with those
# before: nothing of the installer's is left, the user's settings are.
#   tests/packaging/installer_test.sh SETUP.exe VERSION
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/packaging/support.sh"
setup=$(realpath "${1:?usage: installer_test.sh SETUP.exe VERSION}")
v=${2:?usage: installer_test.sh SETUP.exe VERSION}
work=$(mktemp -d)
# winemenubuilder off: wine would copy the Start menu into this machine's own menus.
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1
wineserver -w

c="$WINEPREFIX/drive_c"
bundle="$c/Program Files/Common Files/VST3/stereoPulseWeaver.vst3"
folder="$c/spw tools"
shortcut="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/stereoPulseWeaver Player.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\stereoPulseWeaver'
settings="$(ls -d "$c"/users/*/AppData/Roaming | head -n 1)/stereoPulseWeaver/settings.ini"
mkdir -p "$(dirname "$settings")" && echo "zoom=150" >"$settings"

# Files of the prefix (wine's own folder and temporary files aside) and the registry's keys and values.
files() { (cd "$c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | LC_ALL=C sort); }
registry() { cat "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg | grep -ci stereopulseweaver; }
files >"$work/files-before.txt"
check "the fresh prefix has no trace of the plug-in" test "$(registry)" -eq 0

# /D= takes the rest of the command line, spaces and all, unquoted: through cmd,
# which passes it on as written (wine would quote an argument with a space).
cp "$setup" "$c/setup.exe"
wine cmd /c 'C:\setup.exe /S /D=C:\spw tools' && wineserver -w
rm "$c/setup.exe"
while read -r file; do
  check "installed: $file" test -f "$file"
done <<LIST
$bundle/Contents/x86_64-win/stereoPulseWeaver.vst3
$bundle/Contents/Resources/moduleinfo.json
$folder/spw_play.exe
$folder/spw_playw.exe
$folder/spw_render.exe
$folder/spw_snapshot.exe
$folder/spw_info.exe
$folder/sessions/relaxation-30min.txt
$folder/LICENSE.txt
$folder/uninstall.exe
$shortcut
LIST
check "the shortcut opens the windowed player" grep -qa 'spw_playw.exe' "$shortcut"
wine reg query "$key" /reg:64 >"$work/key.txt" 2>/dev/null
tr -d '\r' <"$work/key.txt" | sed 's/^ *//; s/    */|/g' >"$work/values.txt"
expect_lines "the Uninstall key names the program for Apps & features" "$work/values.txt" "
DisplayName|REG_SZ|stereoPulseWeaver
DisplayVersion|REG_SZ|$v
Publisher|REG_SZ|Orvanti
DisplayIcon|REG_SZ|C:\\spw tools\\stereoPulseWeaver.ico
UninstallString|REG_SZ|\"C:\\spw tools\\uninstall.exe\"
QuietUninstallString|REG_SZ|\"C:\\spw tools\\uninstall.exe\" /S"
check "  with its size" grep -q '^EstimatedSize|REG_DWORD|0x[0-9a-f]*[1-9a-f]' "$work/values.txt"

(cd "$work" && wine "$folder/spw_render.exe" --verbose --duration 0.5 -o installed.wav >/dev/null 2>render.txt)
check "the installed spw_render.exe renders" test -s "$work/installed.wav"
check "  through the bundle in Common Files\\VST3" grep -q 'VST3\\stereoPulseWeaver.vst3 (in the common VST3 folder)' "$work/render.txt"

# Over itself, as over an older version: a file the old bundle had and this one has not goes.
echo stale >"$bundle/Contents/x86_64-win/older-version.txt"
wine "$setup" /S && wineserver -w
check "installed again over itself: the bundle is whole" test -f "$bundle/Contents/x86_64-win/stereoPulseWeaver.vst3"
check "  and nothing of the older one stays" test ! -e "$bundle/Contents/x86_64-win/older-version.txt"
check "  in the folder the first install chose" test -f "$folder/spw_render.exe" -a ! -e "$c/Program Files/stereoPulseWeaver"

wine "$folder/uninstall.exe" /S && wineserver -w
sleep 1 && wineserver -w  # the uninstaller runs on from a copy of itself
files >"$work/files-after.txt"
check "uninstalled: the prefix holds the files it held before, no more, no fewer" \
  cmp -s "$work/files-before.txt" "$work/files-after.txt"
diff "$work/files-before.txt" "$work/files-after.txt" | head -n 10
check "  the registry holds nothing of the plug-in" test "$(registry)" -eq 0
cat "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg | grep -i -B3 stereopulseweaver | head -n 20
check "  the user's settings stay" grep -qx "zoom=150" "$settings"
finish "Windows installer"
