#!/usr/bin/env bash
# Renders a PNG screenshot of the editor under a private Xvfb (Mesa's software renderer).
# Usage: tools/editor-screenshot.sh [output.png] [scale]; BUILD_DIR names the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${1:-$root/assets/editor-screenshot.png}
scale=${2:-1}
cmake --build "$build" --target editor-preview >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  "$build/tools/editor-preview/editor-preview" --scale "$scale" --screenshot "$out"
echo "$out"
