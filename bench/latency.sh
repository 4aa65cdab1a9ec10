#!/usr/bin/env bash
# The viewer on a simulated school file server: every open, read, stat and directory read in
# the record folder waits QEL_SLOW_US microseconds (1 ms by default), as a round trip on a
# wired network does (bench/latency/slowfs.c, loaded with LD_PRELOAD).
#   - qelviewer-cli table of 2,000 and 10,000 files, and of 10,000 with other numbers of
#     file calls at once (QEL_FILES_IN_FLIGHT);
#   - the window: start-up, one changed file shown, the periodic look (bench_live);
#   - a server that stops answering, for one file and for all (bench_stall).
# Usage: bench/latency.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

cc -shared -fPIC -O2 -o "$work/slowfs.so" "$root/bench/latency/slowfs.c" -ldl
slow() { env LD_PRELOAD="$work/slowfs.so" QEL_SLOW_DIR="$work/slow" "$@"; }
seconds() { # the wall time of a command, in seconds
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1 || true
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

mkdir -p "$work/slow"
for n in 2000 10000; do
  "$build/bench/bench_tablebuild" "$n" 300 "$work/slow/f$n" > /dev/null
done

echo "== qelviewer-cli table, ${QEL_SLOW_US:-1000} µs a call"
for n in 2000 10000; do
  for run in 1 2 3; do
    echo "$n files, run $run: $(seconds slow "$build/tools/qelviewer-cli" table "$work/slow/f$n") s"
  done
done
echo "== 10,000 files by file calls at once"
for k in 1 8 16 32 64 128; do
  echo "$k at once: $(seconds slow env QEL_FILES_IN_FLIGHT=$k "$build/tools/qelviewer-cli" table "$work/slow/f10000") s"
done

echo "== the window on 10,000 files"
slow "$build/bench/bench_live" 10000 5 "$work/slow/live" 2>/dev/null | grep -v '^wrote'

echo "== a server that stops answering (2,000 files; reads stall for 60 s once the window is up)"
for stalled in learner01000_Qele _Qel; do
  echo "-- stalled: $stalled"
  start=$(date +%s.%N)
  rm -f "$work/stall-flag"
  slow env QEL_STALL="$stalled" QEL_STALL_FLAG="$work/stall-flag" "$build/bench/bench_stall" "$work/slow/f2000" \
    "$stalled" 5 2>/dev/null
  end=$(date +%s.%N)
  echo "the whole program, from start to its end: $(echo "$end - $start" | bc) s"
done
