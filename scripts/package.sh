#!/usr/bin/env bash
# Makes what a person downloads, into build/dist/: the Windows installer and
# archive, the Debian package, the Linux archive, and SHA256SUMS over them. Builds
# what they hold first (reusing build/linux and build/windows where current). The
# version is the CMake project's. Two runs from the same commit, in any folders,
# give the same bytes (scripts/check_reproducible.sh checks it): every date is the
# commit's (SOURCE_DATE_EPOCH), archive members are sorted, owned by root and
# stamped with that date.
#   scripts/package.sh           all four
#   scripts/package.sh linux     only the .deb and the Linux archive (the Windows files
#                                of the last full run stay)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/stages.sh
scope=${1:-all}
case "$scope" in
  all | linux) ;;
  *) echo "usage: scripts/package.sh [linux]" >&2; exit 2 ;;
esac

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$SOURCE_DATE_EPOCH" ]; then
  echo "package.sh: no git commit to date the packages by; set SOURCE_DATE_EPOCH" >&2
  exit 2
fi
export TZ=UTC LC_ALL=C.UTF-8
umask 022
jobs=$(nproc)
dist=build/dist
stage_root=build/package-stage
maintainer=${SPW_MAINTAINER:-"Orvanti <packages@orvanti.invalid>"}
tools=(spw_render spw_play spw_snapshot spw_info)

linux_build() {
  cmake --preset linux || return
  rm -rf build/linux/man  # the pages carry a date: made again under this SOURCE_DATE_EPOCH
  cmake --build build/linux -j "$jobs" --target stereoPulseWeaver spw_bundle_resources "${tools[@]}" spw_man_pages
}

windows_build() {
  export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cmake --preset windows || return
  cmake --build build/windows -j "$jobs" --target stereoPulseWeaver spw_bundle_resources "${tools[@]}" spw_playw
}

version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt; }

# Every file and folder under $1 stamped with the commit's date.
stamp() { find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +; }

# A tree as a .tar.gz: members sorted, owned by root, with the commit's date.
tar_gz() {
  local folder=$1 out=$2
  stamp "$folder"
  tar -C "$(dirname "$folder")" --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
      --format=gnu -cf - "$(basename "$folder")" | gzip -9n >"$out"
}

# A tree as a .zip: members sorted, no extra attributes, the commit's date (UTC).
zip_tree() {
  local folder=$1 out=$2
  stamp "$folder"
  rm -f "$out"
  (cd "$(dirname "$folder")" && find "$(basename "$folder")" -print | sort | zip -q -X -D -9 "$out" -@)
}

# Debian's stripping: no symbols, no .comment or .note sections.
strip_linux() {
  local file
  for file in "$@"; do strip --remove-section=.comment --remove-section=.note --strip-unneeded "$file"; done
}

# cmake --install of build/linux into DESTDIR=$1 under prefix $2, binaries stripped.
# The record of a person's own install from build/linux (what its uninstall
# removes) is kept as it was.
install_linux() {
  local destdir=$1 prefix=$2 record kept="$stage_root/kept-records"
  rm -rf "$kept" && mkdir -p "$kept"
  for record in install_manifest.txt install_folders.txt; do
    [ ! -e "build/linux/$record" ] || mv "build/linux/$record" "$kept/"
  done
  DESTDIR="$destdir" cmake --install build/linux --prefix "$prefix" >/dev/null
  rm -f build/linux/install_manifest.txt build/linux/install_folders.txt
  [ -z "$(ls -A "$kept")" ] || mv "$kept"/* build/linux/
  strip_linux "$destdir$prefix"/bin/* "$destdir$prefix"/lib/vst3/stereoPulseWeaver.vst3/Contents/x86_64-linux/*.so
  chmod 0644 "$destdir$prefix"/lib/vst3/stereoPulseWeaver.vst3/Contents/x86_64-linux/*.so
}

linux_archive() {
  local name="stereoPulseWeaver-$v-linux-x86_64" folder="$stage_root/linux/stereoPulseWeaver-$v-linux-x86_64"
  rm -rf "$stage_root/linux"
  mkdir -p "$folder"
  install_linux "" "$root/$folder"
  local doc="$folder/share/doc/stereopulseweaver"
  mkdir -p "$doc"
  cp LICENSE THIRD_PARTY_NOTICES.txt "$doc/"
  sed "s/@VERSION@/$v/g" packaging/linux/README.txt >"$folder/README.txt"
  tar_gz "$folder" "$dist/$name.tar.gz"
}

debian_package() {
  local pkg="$stage_root/deb" doc
  rm -rf "$pkg"
  install_linux "$root/$pkg" /usr
  doc="$pkg/usr/share/doc/stereopulseweaver"
  mkdir -p "$doc" "$pkg/DEBIAN"
  cp packaging/debian/copyright "$doc/copyright"
  gzip -9n <THIRD_PARTY_NOTICES.txt >"$doc/THIRD_PARTY_NOTICES.txt.gz"
  sed -e "s/@VERSION@/$v/g" -e "s/@MAINTAINER@/$maintainer/" -e "s/@DATE@/$(date -R -d "@$SOURCE_DATE_EPOCH")/" \
      packaging/debian/changelog.in | gzip -9n >"$doc/changelog.gz"
  gzip -9n "$pkg"/usr/share/man/man1/*.1
  # dpkg-shlibdeps reads the package's name from a control file of a source package.
  local shlib="$stage_root/shlibdeps"
  rm -rf "$shlib"
  mkdir -p "$shlib/debian"
  printf 'Source: stereopulseweaver\n\nPackage: stereopulseweaver\nArchitecture: amd64\n' >"$shlib/debian/control"
  local depends
  depends=$(cd "$shlib" && dpkg-shlibdeps -O "$root/$pkg"/usr/bin/* \
            "$root/$pkg"/usr/lib/vst3/stereoPulseWeaver.vst3/Contents/x86_64-linux/*.so 2>/dev/null |
            sed -n 's/^shlibs:Depends=//p')
  [ -n "$depends" ] || { echo "dpkg-shlibdeps found no dependencies" >&2; return 1; }
  local size
  size=$(du -sk --exclude=DEBIAN "$pkg" | cut -f1)
  sed -e "s/@VERSION@/$v/" -e "s/@MAINTAINER@/$maintainer/" -e "s/@INSTALLED_SIZE@/$size/" \
      -e "s/@DEPENDS@/$depends/" packaging/debian/control.in >"$pkg/DEBIAN/control"
  (cd "$pkg" && find usr -type f | sort | xargs md5sum >DEBIAN/md5sums)
  chmod 0644 "$pkg/DEBIAN/control" "$pkg/DEBIAN/md5sums"
  stamp "$pkg"
  dpkg-deb --root-owner-group -Zxz --build "$pkg" "$dist/stereopulseweaver_${v}_amd64.deb" >/dev/null
}

# The Windows files as the zip and the installer hold them.
windows_stage() {
  local folder=$1 tool
  rm -rf "$folder"
  mkdir -p "$folder/sessions"
  cp -r build/windows/stereoPulseWeaver.vst3 "$folder/"
  for tool in "${tools[@]}" spw_playw; do
    cp "$(find build/windows/tools -name "$tool.exe" -type f | head -n 1)" "$folder/"
  done
  # Not stripped: MinGW's strip writes the time of day into the PE header.
  cp sessions/*.txt "$folder/sessions/"
  # Windows' own line ends, so Notepad shows the texts as written.
  sed 's/$/\r/' LICENSE >"$folder/LICENSE.txt"
  sed 's/$/\r/' THIRD_PARTY_NOTICES.txt >"$folder/THIRD_PARTY_NOTICES.txt"
  sed -e "s/@VERSION@/$v/g" -e 's/$/\r/' packaging/windows/README.txt >"$folder/README.txt"
}

windows_archive() {
  local name="stereoPulseWeaver-$v-win64"
  windows_stage "$stage_root/win/$name"
  zip_tree "$stage_root/win/$name" "$root/$dist/$name.zip"
}

windows_installer() {
  local folder="$stage_root/setup" session
  windows_stage "$folder"
  cp packaging/icon/stereoPulseWeaver.ico "$folder/"
  for session in sessions/*.txt; do
    printf 'Delete "$INSTDIR\\sessions\\%s"\n' "$(basename "$session")"
  done >"$folder/uninstall_sessions.nsh"
  stamp "$folder"  # the installer keeps each file's time
  makensis -V2 -DVERSION="$v" -DSTAGE="$root/$folder" -DOUTFILE="$root/$dist/stereoPulseWeaver-$v-win64-setup.exe" \
      packaging/windows/installer.nsi
}

checksums() { (cd "$dist" && shopt -s nullglob && sha256sum -- *.exe *.zip *.deb *.tar.gz >SHA256SUMS); }

stage setup "Installing packages" bash scripts/setup.sh
stage linux-build "Building for Linux" linux_build
v=$(version)
# A run for Linux only keeps the Windows packages of the last full run.
if [ "$scope" = all ]; then rm -rf "$dist"; else rm -f "$dist"/*.deb "$dist"/*.tar.gz; fi
mkdir -p "$dist"
stage linux-archive "Packing the Linux archive" linux_archive
stage debian-package "Making the Debian package" debian_package
if [ "$scope" = all ]; then
  stage windows-libraries "Building the Windows libraries" bash scripts/mingw_deps.sh build/mingw-deps
  stage windows-build "Building for Windows" windows_build
  stage windows-archive "Packing the Windows archive" windows_archive
  stage windows-installer "Making the Windows installer" windows_installer
fi
checksums
echo "Packages of stereoPulseWeaver $v in $root/$dist:"
(cd "$dist" && shopt -s nullglob && ls -1 -- *.exe *.zip *.deb *.tar.gz SHA256SUMS | sed 's/^/  /')
