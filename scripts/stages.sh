# Sourced by build.sh, run.sh and test.sh: each stage of a command prints one
# line as it starts and ends it with the time it took; everything the stage
# prints goes to build/logs/NAME.log, which a failure points to (with its last
# lines).
#   stage NAME "what it does" COMMAND [ARG...]   returns the command's status
stage() {
  local name=$1 what=$2
  shift 2
  local log="build/logs/$name.log"
  mkdir -p build/logs
  printf '%s ... ' "$what"
  local start=$SECONDS status=0
  "$@" >"$log" 2>&1 || status=$?
  local took=$((SECONDS - start))
  if [ "$status" -eq 0 ]; then
    printf 'done (%s)\n' "$(stage_time "$took")"
  else
    printf 'FAILED after %s; full log: %s\n' "$(stage_time "$took")" "$log"
    tail -n 15 "$log" | sed 's/^/    /'
  fi
  return "$status"
}

# 75 -> "1 min 15 s"
stage_time() {
  if [ "$1" -ge 60 ]; then
    printf '%d min %d s' $(($1 / 60)) $(($1 % 60))
  else
    printf '%d s' "$1"
  fi
}
