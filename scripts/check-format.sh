#!/usr/bin/env bash
# Fails when a C++ source differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.cc' '*.hpp')
((${#files[@]})) || exit 0
clang-format --dry-run --Werror "${files[@]}"
echo "clang-format: ${#files[@]} files clean"
