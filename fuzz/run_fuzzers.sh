#!/usr/bin/env bash
# Runs fuzz targets for a bounded time each and reports their executions.
#   fuzz/run_fuzzers.sh BUILD_DIR SECONDS TARGET...
# Each target works on its own corpus in BUILD_DIR/fuzz-work/TARGET/corpus:
# the seeds of fuzz/corpus/TARGET are copied in, and what a run finds stays
# there for the next run (the seeds in the tree are never written to). A
# crash, sanitizer report, leak, timeout or memory blow-up leaves its input
# in BUILD_DIR/fuzz-work/TARGET/artifacts and makes the script fail, after
# every target has had its turn.
set -uo pipefail

build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
seeds=$here/corpus

# The targets write small files for every input (and the settings target
# syncs them to disk): on a memory file system that costs next to nothing.
scratch_base=$build/fuzz-work
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch_base=/dev/shm; fi
scratch=$(mktemp -d "$scratch_base/kwl-fuzz.XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT

failed=()
report=$(printf '%-10s %12s %10s %8s  %s' target executions exec/s cov result)
for target in "$@"; do
  work=$build/fuzz-work/$target
  mkdir -p "$work/corpus" "$work/artifacts" "$scratch/$target"
  cp "$seeds/$target"/* "$work/corpus/"
  echo "== fuzz_$target: ${seconds} s"
  # A target's dictionary, fuzz/TARGET.dict, gives the mutations the tokens
  # of its format.
  dict=()
  if [ -f "$here/$target.dict" ]; then dict=(-dict="$here/$target.dict"); fi
  # TMPDIR holds the targets' scratch files and the DOCX reader's temporary folders.
  TMPDIR=$scratch/$target "$build/bin/fuzz_$target" "$work/corpus" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$work/log" 2>&1
  status=$?
  execs=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/log")
  rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$work/log")
  cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -1 | cut -d' ' -f2)
  if [ "$status" -eq 0 ]; then
    result=ok
  else
    result="FAILED (exit $status)"
    failed+=("$target")
    tail -n 60 "$work/log"
    echo "The input is kept in $work/artifacts/; the whole log is $work/log."
  fi
  report+=$'\n'$(printf '%-10s %12s %10s %8s  %s' "$target" "${execs:--}" "${rate:--}" "${cov:--}" "$result")
done

echo
echo "$report"
if [ "${#failed[@]}" -ne 0 ]; then
  echo "Fuzz targets that failed: ${failed[*]}"
  exit 1
fi
