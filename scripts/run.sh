#!/usr/bin/env bash
# Builds everything, then runs the main job: the plug-in's parameter table and programme list.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null
build/linux/tools/spw_info "$@"
