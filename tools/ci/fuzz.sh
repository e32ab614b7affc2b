#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer + UBSan in build-fuzz/ and runs
# each for a bounded number of inputs from a fixed seed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build-fuzz"
jobs=${JOBS:-$(nproc)}
runs=${FUZZ_RUNS:-20000}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DVANTOREL_SANITIZE=address,undefined,fuzzer-no-link -DVANTOREL_FUZZ=ON
cmake --build "$build" -j "$jobs" --target clap_state_fuzzer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/tests/hosts/clap/clap_state_fuzzer" -runs="$runs" -seed=1 -max_len=8192 2> "$build/clap_state_fuzzer.log" ||
  { tail -40 "$build/clap_state_fuzzer.log"; exit 1; }
tail -1 "$build/clap_state_fuzzer.log"
