#!/usr/bin/env bash
# The runner and the compression log timed as whole processes: one run of the compression
# window (program start-up included) against the same chatty tool piped into cat > /dev/null,
# in interleaved rounds (bench/interleave.sh).
# Usage: bench/tools/runner_processes.sh [BUILD_FOLDER] [LINES]   (needs hyperfine)
#        RUNS=N sets the rounds (default 15).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../interleave.sh"
build=${1:-build}
lines=${2:-2000000}
runs=${RUNS:-15}
bench=$(realpath "$build/bench/tools/bench_runner")
child=$(realpath "$build/bench/tools/bench_runner_child")
command -v hyperfine >/dev/null || { echo "hyperfine is not installed (scripts/install-deps.sh)" >&2; exit 1; }
for f in "$bench" "$child"; do
  [ -x "$f" ] || { echo "not built: $f" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen BENCH_LINES="$lines"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The pipe needs a shell: the other command runs through one too, so both pay for it.
printf '#!/bin/sh\nexec "%s" | cat > /dev/null\n' "$child" >"$work/to-cat"
printf '#!/bin/sh\nexec "%s" --one-run %s\n' "$bench" "$lines" >"$work/into-log"
chmod +x "$work/to-cat" "$work/into-log"
interleaved "$runs" "" "$work/log.txt" "$work/into-log" "$work/to-cat"
echo "whole process, $lines lines, medians of $runs interleaved rounds:" \
  "runner into the log $(ms "$(median_time "$work/log.txt" 1)")," \
  "child | cat > /dev/null $(ms "$(median_time "$work/log.txt" 2)"):" \
  "$(median_ratio "$work/log.txt" 1 2)x (goal <= 1.5x)"
