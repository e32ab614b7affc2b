#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format-14 makes of it (.clang-format).
# With --fix, formats those files in place instead.
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format-14 -i "${files[@]}"
else
  clang-format-14 --dry-run --Werror "${files[@]}"
fi
