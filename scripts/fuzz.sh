#!/usr/bin/env bash
# Builds the DXF fuzz target with clang's libFuzzer and runs it for a while (seconds as $1,
# default 60) from the real drawings. A crash leaves its input in build-fuzz/ and fails the run;
# save it under fuzz/dxf/regressions/ so that the replay test keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target zdxf_fuzz -j"$(nproc)"
corpus=build-fuzz/corpus
mkdir -p "$corpus"
find tests/data fuzz/dxf/regressions -type f \( -iname '*.dxf' -o -path '*regressions*' \) \
  -exec cp -n {} "$corpus"/ \; 2>/dev/null || true
cd build-fuzz
./zdxf_fuzz -max_len=65536 -max_total_time="$seconds" -print_final_stats=1 corpus 2>&1 | tail -15
