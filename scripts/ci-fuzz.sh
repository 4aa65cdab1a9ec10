#!/usr/bin/env bash
# Runs each libFuzzer program of a build made with QEL_FUZZ for a fixed time, starting from
# the committed inputs (fuzz/corpus/<target>, fuzz/regressions/<target>); what it learns on
# the way is thrown away. A crash, a failed check, an input slower than the timeout or a
# process above the memory limit fails the run, and the input is written to
# fuzz/regressions/<target>/, where the replay tests find it: commit it with the fix.
#
#   scripts/ci-fuzz.sh [BUILD_DIR]     QEL_FUZZ_SECONDS per target (default 45)
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="${1:-${QEL_CLANG_BUILD:-$QEL_ROOT/build-clang}}"
seconds="${QEL_FUZZ_SECONDS:-45}"
# Per input: 10 s, and no single allocation above 256 MiB (what a stated run count could ask
# for); per process: the memory limit the replay tests use too (tests/fuzz/CMakeLists.txt).
limits=(-timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=256 -max_len=8192)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
summary=""
for target in history settings table graphs journal; do
  kept="$QEL_ROOT/fuzz/regressions/$target"
  mkdir -p "$work/$target" "$kept"
  log="$work/$target.log"
  result=passed
  if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_$target" "${limits[@]}" \
      -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$kept/" \
      "$work/$target" "$QEL_ROOT/fuzz/corpus/$target" "$kept" >"$log" 2>&1; then
    result=FAILED
    status=1
    tail -n 80 "$log" >&2
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  edges="$(sed -n 's/.*DONE *cov: \([0-9]*\).*/\1/p' "$log" | tail -n 1)"
  summary+="$(printf '  %-9s %10s executions in %ss, %5s edges covered, %s' \
    "$target" "${runs:-?}" "$seconds" "${edges:-?}" "$result")"$'\n'
done
printf 'fuzzing:\n%s' "$summary"
exit "$status"
