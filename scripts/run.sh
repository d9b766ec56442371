#!/usr/bin/env bash
# Builds what the main job needs (the Linux bundle and the renderer), then runs
# it: an offline render of the demo session (sessions/demo.txt) through the built
# VST 3 bundle into build/renders/. One line per stage; full logs in build/logs/.
# The Windows build is scripts/build.sh's (and scripts/test.sh's).
#   scripts/run.sh                    renders the demo session (one minute)
#   scripts/run.sh SPW_RENDER_OPTIONS  runs spw_render with these options instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/stages.sh
bash scripts/build.sh linux

render=build/linux/tools/render/spw_render
if [ $# -gt 0 ]; then
  exec "$render" "$@"
fi

mkdir -p build/renders
out=build/renders/demo-session.wav
plot=build/renders/demo-session.png
stage render "Rendering the demo session" "$render" --timeline sessions/demo.txt --output "$out" --plot "$plot"
tail -n 1 build/logs/render.log

echo
echo "Plug-in bundle (Linux): $root/build/linux/stereoPulseWeaver.vst3"
echo "  (the Windows bundle: bash scripts/build.sh, into $root/build/windows/stereoPulseWeaver.vst3)"
echo "Renderer:  $root/$render"
echo "Rendered:  $root/$out (listen with headphones)"
echo "Picture:   $root/$plot (each ear's tones, the beats and the level over time)"
