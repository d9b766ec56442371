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

# Each package the second build made, and the modules inside, against this tree's.
same() {
  compared=$((compared + 1))
  if cmp -s "$1" "$2"; then echo "same:    $3"; else echo "DIFFERS: $3"; differ=$((differ + 1)); fi
}
modules() {
  local package=$1 out=$2
  mkdir -p "$out"
  case "$package" in
    *.deb) dpkg-deb --fsys-tarfile "$package" | tar -x -C "$out" --wildcards '*.so' ;;
    *.zip) unzip -q -o "$package" '*/Contents/x86_64-win/*' -d "$out" ;;
  esac
}
differ=0
compared=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for file in "$second"/build/dist/*.deb "$second"/build/dist/*.tar.gz "$second"/build/dist/*.zip \
            "$second"/build/dist/*.exe; do
  [ -f "$file" ] || continue
  name=$(basename "$file")
  same "$first/$name" "$file" "$name"
  modules "$first/$name" "$work/a"
  modules "$file" "$work/b"
done
while read -r module; do
  same "$module" "$work/b/${module#"$work/a/"}" "${module#"$work/a/"}"
done < <(find "$work/a" -type f | LC_ALL=C sort)
if [ "$differ" -eq 0 ]; then
  echo "Reproducible: $compared files the same in both builds"
else
  echo "NOT reproducible: $differ of $compared files differ (second build in $second)"
fi
[ "$differ" -eq 0 ]
