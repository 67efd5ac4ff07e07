#!/bin/sh
# Drawing database benchmark: generates list drawings of 100,000 to 1,000,000 entities, tags
# every entity through the host API and saves, against the floor measured in the same run.
# Usage: bench/run.sh [BUILD_DIR]   (default: build; configure it with -DCMAKE_BUILD_TYPE=Release)
set -eu
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target make_list_drawing db_tag_bench
for n in 100000 300000 1000000; do
  "$build/make_list_drawing" "$n" "$work/list_$n.dxf"
  "$build/db_tag_bench" "$work/list_$n.dxf" "$work"
  "$build/db_tag_bench" "$work/list_$n.dxf" "$work" --no-undo
  rm -f "$work/list_$n.dxf" "$work"/bench_*
done
