#!/usr/bin/env bash
# CPU share of one core taken by spw_play playing twelve sounding slots into a JACK
# server on the dummy driver (no sound card needed), with --no-window and with the
# editor's window open on an X server of its own (Xvfb). Counts the player's own
# process (user + system time over a stretch of steady playing), not the server's.
#   bench/play_cpu_share.sh [BUILD_DIR]   (default build/linux)
set -euo pipefail
build=$(realpath "${1:-build/linux}")
player="$build/tools/play/spw_play"
seconds=10
server="spwbench$$"
work=$(mktemp -d)
cleanup() { [ -n "${jack_pid:-}" ] && kill "$jack_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

jackd --no-realtime -n "$server" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
jack_pid=$!
export JACK_DEFAULT_SERVER="$server" JACK_NO_START_SERVER=1 XDG_CONFIG_HOME="$work/config"
for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done

twelve=(--program "C Major style")
for slot in 8 9 10 11 12; do twelve+=(--set "Slot $slot=$((21 + slot))"); done

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# share WINDOW_ARGS...: starts the player, waits 2 s, measures $seconds s, stops it.
share() {
  "$player" "$@" "${twelve[@]}" -q 2>>"$work/player.log" &
  local pid=$! hz
  hz=$(getconf CLK_TCK)
  sleep 2
  local before after
  before=$(ticks "$pid")
  sleep "$seconds"
  after=$(ticks "$pid")
  kill -INT "$pid"
  wait "$pid" || true
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f %% of one core\n", 100 * t / hz / s }'
}

echo "spw_play, twelve slots, 48 kHz, blocks of 256 frames:"
printf '  --no-window:   '; share --no-window
export player seconds work
printf '  window (Xvfb): '
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "twelve=(${twelve[*]@Q}); $(declare -f share ticks); share"
