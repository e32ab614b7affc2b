#!/usr/bin/env bash
# Installs what the build needs, builds the plug-in and the render tool into build/, renders
# 8 bars of the default groove at 120 bpm to groove.wav and prints where it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}

"$root/tools/ci/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$jobs" --target vantorel-render vantorel_clap > /dev/null
output="$PWD/groove.wav"
"$build/tools/render/vantorel-render" --bars 8 --bpm 120 -o "$output" > /dev/null
echo "$output"
