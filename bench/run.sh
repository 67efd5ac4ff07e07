#!/bin/sh
# Drawing database benchmark: generates list drawings of 100,000 to 1,000,000 entities, tags
# every entity through the host API and saves, against the floor measured in the same run, and
# times python3-ezdxf doing the same work on the 100,000-entity drawing; then the whole host
# (zanthost with the module, the header command over ALL, QSAVE) on each drawing.
# Usage: bench/run.sh [BUILD_DIR]   (default: build-bench; it must be a Release build:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release)
set -eu
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
if [ "$type" != "Release" ]; then
  echo "bench/run.sh: $build is not a Release build (CMAKE_BUILD_TYPE='$type');" >&2
  echo "  configure one: cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target make_list_drawing db_tag_bench zanthost zantzododadadovi \
  zantzododadadovi_prompts zantzododadadovi_register
echo "machine: $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)," \
  "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo) RAM; Release build"
summaries=$work/summaries
: >"$summaries"
: >"$work/host_runs"
for n in 100000 300000 1000000; do
  "$build/make_list_drawing" "$n" "$work/list_$n.dxf"
  for undo in "" --no-undo; do
    "$build/db_tag_bench" "$work/list_$n.dxf" "$work" $undo | tee "$work/out"
    grep '^summary ' "$work/out" >>"$summaries"
  done
  ezdxf_seconds=
  ezdxf_process=
  if [ "$n" = 100000 ]; then
    host=$(awk '$3 == "on" {print $5; exit}' "$summaries")
    rc=0
    # The whole ezdxf process is timed too, from its start as the host's is: its own timer
    # leaves out starting Python and importing ezdxf.
    began=$(date +%s.%N)
    ezdxf=$(/usr/bin/python3 "$here/ezdxf_tag.py" "$work/list_$n.dxf" "$work/ezdxf_out.dxf") || rc=$?
    ended=$(date +%s.%N)
    if [ "$rc" = 0 ]; then
      set -- $ezdxf
      ezdxf_seconds=$1
      ezdxf_process=$(awk -v a="$began" -v b="$ended" 'BEGIN { printf "%.3f", b - a }')
      awk -v e="$1" -v m="$2" -v h="$host" -v f="$(wc -c <"$work/list_$n.dxf")" -v p="$ezdxf_process" 'BEGIN {
        printf "python3-ezdxf, same work (readfile, APPID, set_xdata on each entity, saveas; no fsync):\n"
        printf "  %.3f s by its own timer (%.3f s the whole process), peak memory %.1f MB = %.2f x file size\n",
               e, p, m / 1e6, m / f
        printf "  ezdxf / host database (undo on): %.1f (target >= 50)\n", e / h }'
    elif [ "$rc" = 3 ]; then
      echo "python3-ezdxf is not installed: the ezdxf comparison is skipped (apt-get install python3-ezdxf)"
    else
      echo "python3-ezdxf failed on the drawing (exit $rc): no comparison" >&2
    fi
    rm -f "$work/ezdxf_out.dxf"
  fi
  # The whole host: zanthost with the module, the header command over ALL, QSAVE.
  /usr/bin/python3 "$here/host_run.py" "$build" "$work/list_$n.dxf" "$work" | tee "$work/out"
  sed -n 's/^host /host '"$n"' /p' "$work/out" >>"$work/host_runs"
  if [ -n "$ezdxf_seconds" ]; then
    awk -v e="$ezdxf_seconds" -v p="$ezdxf_process" '$1 == "host" {
      printf "  ezdxf / whole host: %.1f by ezdxf'"'"'s own timer, %.1f process to process (target >= 50)\n",
             e / $2, p / $2 }' "$work/out"
  fi
  rm -f "$work/list_$n.dxf" "$work"/bench_*
done
echo
echo "Growth (each line: one run; time and memory per entity should stay flat from 100k to 1M):"
awk 'BEGIN { printf "%10s %4s %8s %8s %8s %9s %8s %10s %8s\n", "entities", "undo", "file MB",
             "time s", "/floor", "mem/file", "us/ent", "bytes/ent", "beyond" }
     { printf "%10d %4s %8.1f %8.3f %8.2f %9.2f %8.2f %10d %8d\n", $2, $3, $4, $5, $6, $7, $8, $9, $10 }' \
  "$summaries"
echo
echo "The whole host (zanthost + module, ZANTLHEADER over ALL, QSAVE), per run:"
awk '{ printf "%10d entities: %.3f s = %.2f x floor (target <= 3), peak memory %.1f MB\n",
              $2, $3, $3 / $5, $4 / 1e6 }' "$work/host_runs"
