#!/usr/bin/env bash
# Builds and runs the suites labelled "asan" under AddressSanitizer + UBSan
# and those labelled "tsan" under ThreadSanitizer, each in a build folder of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
jobs=${JOBS:-$(nproc)}

run_sanitized() {
  local label=$1 sanitizers=$2 build="$root/build-$1"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_SANITIZE="$sanitizers"
  cmake --build "$build" -j "$jobs" --target "check_$label"
  ctest --test-dir "$build" --output-on-failure -j "$jobs" -L "^$label\$"
}

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
run_sanitized asan address,undefined
run_sanitized tsan thread
# The libFuzzer targets (clang), for a bounded number of runs.
JOBS=$jobs "$root/tools/ci/fuzz.sh"
