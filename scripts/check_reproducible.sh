#!/usr/bin/env bash
# Checks that the packages are reproducible: builds them from the checked-out
# commit in a second folder (a fresh clone in build/repro, compiled without the
# compiler cache, so that nothing is taken from the first build) and compares
# them, and the plug-in modules inside, byte for byte with those of this tree's
# build/dist (made again first by scripts/package.sh, which reuses the build
# trees). Lists what differs.
#   scripts/check_reproducible.sh          every package, both platforms
#   scripts/check_reproducible.sh linux    the .deb, the Linux archive and the Linux module
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scope=${1:-all}
case "$scope" in
  all | linux) ;;
  *) echo "usage: scripts/check_reproducible.sh [linux]" >&2; exit 2 ;;
esac
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "check_reproducible: the working tree has uncommitted changes; commit them first" >&2
  exit 2
fi
package_args=()
[ "$scope" = linux ] && package_args=(linux)
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)

first=build/dist
bash scripts/package.sh "${package_args[@]}" || exit 1
second=build/repro
rm -rf "$second"
git clone -q --no-hardlinks "$root" "$second" || exit 1
git -C "$second" checkout -q "$(git rev-parse HEAD)"
# The Windows libraries are inputs, not outputs: the second build links the same ones.
[ ! -d build/mingw-deps ] || { mkdir -p "$second/build" && cp -a build/mingw-deps "$second/build/"; }
echo "Building the packages again in $second (no compiler cache):"
(cd "$second" && env -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1 \
   bash scripts/package.sh "${package_args[@]}") || exit 1

# The files to compare: each package, and the modules as the packages hold them.
modules() {
  local dist=$1 out=$2 f
  mkdir -p "$out"
  for f in "$dist"/*.deb; do dpkg-deb --fsys-tarfile "$f" | tar -x -C "$out" --wildcards '*.so'; done
  for f in "$dist"/*.zip; do [ -f "$f" ] && unzip -q -o "$f" '*/Contents/x86_64-win/*' -d "$out"; done
  find "$out" -type f | LC_ALL=C sort
}
differ=0
compared=0
for file in "$first"/*.deb "$first"/*.tar.gz "$first"/*.zip "$first"/*.exe; do
  [ -f "$file" ] || continue
  name=$(basename "$file")
  compared=$((compared + 1))
  if cmp -s "$file" "$second/build/dist/$name"; then echo "same:    $name"; else echo "DIFFERS: $name"; differ=$((differ + 1)); fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
modules "$first" "$work/a" >"$work/a.txt"
modules "$second/build/dist" "$work/b" >/dev/null
while read -r module; do
  rel=${module#"$work/a/"}
  compared=$((compared + 1))
  if cmp -s "$module" "$work/b/$rel"; then echo "same:    $rel"; else echo "DIFFERS: $rel"; differ=$((differ + 1)); fi
done <"$work/a.txt"
if [ "$differ" -eq 0 ]; then
  echo "Reproducible: $compared files the same in both builds"
else
  echo "NOT reproducible: $differ of $compared files differ (second build in $second)"
fi
[ "$differ" -eq 0 ]
