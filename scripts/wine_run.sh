#!/usr/bin/env bash
# Runs a program of the Windows build under wine: the build's own tools and every
# Windows test (the cross build's emulator). Now and then wine fails to start a
# program at all, when several start at once: an error status and not a byte of
# output. Such a start, and only such a start, is tried once more; a program that
# ran and failed keeps its failure.
set -u
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  wine "$@" >"$out" 2>"$err"
  status=$?
  if [ $status -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ $attempt -eq 2 ]; then break; fi
  echo "wine_run.sh: wine started nothing (status $status); starting it again" >&2
done
cat "$out"
cat "$err" >&2
exit $status
