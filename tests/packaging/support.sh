# Sourced by the package tests: checks that say what they expected, and a
# failure count that decides the exit status.
#   check "what" COMMAND...        passes when the command succeeds
#   expect_lines "what" FILE WANTED  passes when FILE holds every line of WANTED
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}
expect_lines() {
  local what=$1 file=$2 wanted=$3 missing
  missing=$(printf '%s\n' "$wanted" | grep -v '^$' | grep -vxF -f "$file" || true)
  if [ -z "$missing" ]; then pass "$what"; else fail "$what: missing $(echo "$missing" | tr '\n' ' ')"; fi
}
finish() {
  if [ "$failures" -eq 0 ]; then echo "$1: all checks passed"; else echo "$1: $failures checks FAILED"; fi
  [ "$failures" -eq 0 ]
}
