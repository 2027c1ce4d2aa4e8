#!/bin/sh
# The runner and the compression log timed as whole processes: one run of the compression
# window (program start-up included) against the same chatty tool piped into cat > /dev/null.
# Usage: bench/tools/runner_processes.sh [BUILD_FOLDER] [LINES]   (needs hyperfine)
set -eu
build=${1:-build}
lines=${2:-2000000}
bench="$build/bench/tools/bench_runner"
child="$build/bench/tools/bench_runner_child"
if ! command -v hyperfine >/dev/null 2>&1; then
    echo "hyperfine is not installed (Debian package hyperfine)" >&2
    exit 1
fi
for f in "$bench" "$child"; do
    [ -x "$f" ] || { echo "not built: $f" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen BENCH_LINES="$lines"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
hyperfine --style basic --warmup 1 --runs 10 --export-json "$out" \
    -n "child | cat > /dev/null" "$child | cat > /dev/null" \
    -n "runner into the log" "$bench --one-run $lines"
command -v python3 >/dev/null 2>&1 || exit 0 # hyperfine's summary above has the mean ratio
python3 - "$out" <<'PY'
import json, statistics, sys
results = json.load(open(sys.argv[1]))["results"]
base, log = (statistics.median(r["times"]) for r in results)
print(f"whole process, median: runner into the log {log:.3f} s vs cat {base:.3f} s: {log / base:.2f}x")
PY
