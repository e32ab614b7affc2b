#!/usr/bin/env bash
# The test command: install dependencies, configure, build everything, run every test.
# VANTOREL_WERROR=ON (as CI sets it) turns compiler warnings into errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}

"$root/tools/ci/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_WERROR="${VANTOREL_WERROR:-OFF}"
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
