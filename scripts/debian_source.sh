# Sourced by the scripts that cross-build libraries from Debian's own source
# packages. Needs $work, a scratch folder of the caller's, $prefix, where the
# libraries go, and $toolchain, CMake's toolchain file for the target. Defines
# fetch_source and configure_build_install.

# A private apt set-up that reads source packages of the machine's main suite,
# leaving the machine's own apt configuration untouched.
apt_private() {
  apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/sources" \
          -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" \
          -o APT::Sandbox::User=root "$@"
}

prepare_sources() {
  [ -f "$work/lists.done" ] && return
  mkdir -p "$work/sources" "$work/lists/partial" "$work/cache/archives/partial"
  local src=/etc/apt/sources.list.d/debian.sources
  [ -f "$src" ] || { echo "$(basename "$0"): $src not found" >&2; exit 1; }
  # The first stanza is the main suite; the security suite's sources are not served.
  awk 'BEGIN{RS=""; ORS="\n\n"} NR==1' "$src" | sed 's/^Types:.*/Types: deb-src/' > "$work/sources/main.sources"
  apt_private update -qq
  touch "$work/lists.done"
}

# fetch_source PACKAGE DIR: unpacks Debian's source package with its patches applied.
fetch_source() {
  local pkg=$1 dir=$2
  [ -d "$dir" ] && return
  prepare_sources
  mkdir -p "$work/dl" && (cd "$work/dl" && apt_private source --download-only -qq "$pkg" >/dev/null)
  # apt has checked the files against the signed archive index already.
  dpkg-source --no-check -x "$(ls "$work"/dl/"${pkg}"_*.dsc | head -n 1)" "$dir" >/dev/null
}

# configure_build_install NAME SOURCE CMAKE-OPTIONS...: a static release build of
# the CMake project in SOURCE, installed into $prefix; quiet unless it fails.
configure_build_install() {
  local name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$work/$name-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -Wno-dev "$@" >/dev/null
  cmake --build "$work/$name-build" >/dev/null
  cmake --install "$work/$name-build" >/dev/null
}
