#!/usr/bin/env bash
# Builds the fuzz targets (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer,
# in build/asan) and runs each for SECONDS (default 60), from the seed corpus and with
# the dictionary of tests/fuzz. What a run learns is kept in build/fuzz-corpus/ for
# the next run; an input that breaks the plug-in is written to build/fuzz-findings/
# and the script fails.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   targets: state parameter editor timeline (default: all)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(state parameter editor timeline)
bash scripts/setup.sh || exit 1
source scripts/sanitizers.sh

sanitizer_build asan "${targets[@]/%/_fuzzer}" || { echo "fuzz: build failed"; exit 1; }

failed=0
for name in "${targets[@]}"; do
  corpus=build/fuzz-corpus/$name findings=build/fuzz-findings/$name
  mkdir -p "$corpus" "$findings"
  echo "== Fuzzing ${name}_fuzzer for $seconds s"
  if ! "build/asan/tests/fuzz/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -dict="tests/fuzz/$name.dict" -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$name" \
      >"build/fuzz-$name.log" 2>&1; then
    failed=1
    tail -n 40 "build/fuzz-$name.log"
    echo "fuzz: ${name}_fuzzer found a problem; the input is in $findings/"
  fi
  grep -E "^Done" "build/fuzz-$name.log"
done
exit $failed
