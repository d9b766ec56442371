#!/usr/bin/env bash
# Builds everything, then runs the main job: an offline render of the demo session
# (sessions/demo.txt) through the built VST 3 bundle into build/renders/.
#   scripts/run.sh                    renders the demo session (one minute)
#   scripts/run.sh SPW_RENDER_OPTIONS  runs spw_render with these options instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null

render=build/linux/tools/render/spw_render
if [ $# -gt 0 ]; then
  exec "$render" "$@"
fi

mkdir -p build/renders
out=build/renders/demo-session.wav
plot=build/renders/demo-session.png
"$render" --timeline sessions/demo.txt --output "$out" --plot "$plot"

echo
echo "Plug-in bundles:"
echo "  Linux:   $root/build/linux/stereoPulseWeaver.vst3"
echo "  Windows: $root/build/windows/stereoPulseWeaver.vst3"
echo "Renderer:  $root/$render (Windows: $root/build/windows/tools/render/spw_render.exe)"
echo "Rendered:  $root/$out (listen with headphones)"
echo "Picture:   $root/$plot (each ear's tones, the beats and the level over time)"
