# Sourced by test.sh and fuzz.sh: the sanitizer builds of the Linux target.
#   sanitizer_build asan|tsan [TARGET...]   configures build/asan or build/tsan (clang) and builds
#                                           the targets (default: all)
# build/asan has AddressSanitizer and UndefinedBehaviorSanitizer and the fuzz targets;
# build/tsan has ThreadSanitizer (the presets of the same names in CMakePresets.json).
# Every report ends the program that made it.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

sanitizer_build() {
  local kind=$1
  shift
  case "$kind" in
    asan | tsan) ;;
    *) echo "sanitizer_build: asan or tsan, not '$kind'" >&2; return 2 ;;
  esac
  cmake --preset "$kind" >/dev/null || return 1
  if [ $# -gt 0 ]; then
    cmake --build "build/$kind" -j "$(nproc)" --target "$@"
  else
    cmake --build "build/$kind" -j "$(nproc)"
  fi
}
