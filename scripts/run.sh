#!/usr/bin/env bash
# Builds everything, then runs the main job: an offline render of a factory programme
# through the built VST 3 bundle into build/renders/.
#   scripts/run.sh                    renders the demo (10 s of a Schumann resonance beat)
#   scripts/run.sh SPW_RENDER_OPTIONS  runs spw_render with these options instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null

render=build/linux/tools/render/spw_render
if [ $# -gt 0 ]; then
  exec "$render" "$@"
fi

demo="Binaural - 7.83 (Schumann Resonance)"
mkdir -p build/renders
out=build/renders/schumann-7.83.wav
"$render" --program "$demo" --duration 10 --output "$out"

# What the programme does: its status messages and each sounding slot's ear frequencies.
echo
build/linux/tools/spw_info --program "$demo"

echo
echo "Plug-in bundles:"
echo "  Linux:   $root/build/linux/stereoPulseWeaver.vst3"
echo "  Windows: $root/build/windows/stereoPulseWeaver.vst3"
echo "Renderer:  $root/$render (Windows: $root/build/windows/tools/render/spw_render.exe)"
echo "Rendered:  $root/$out (listen with headphones)"
