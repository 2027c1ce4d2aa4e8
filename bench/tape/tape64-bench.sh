#!/usr/bin/env bash
# Times tape64 as the tape window runs it, whole processes, against cat reading the same file
# to /dev/null (medians over interleaved rounds, hyperfine; see bench/interleave.sh):
#   a 30-minute 44.1 kHz 16-bit mono WAV decoded to a T64   goal <= 2 x cat
#   a 10 MB version 1 TAP decoded to a T64                  goal <= 3 x cat
#   a 10 MB TAP of turbo-loader tapes analysed              goal <= 3 x cat
#     (its thousands of blocks are more than a T64 image holds, so nothing is written)
# and the peak memory of each (goal <= 64 MiB whatever the length). The ROM-loader tapes are
# made with vornix-cli: random programs put on a TAP, that TAP played into a WAV; the turbo
# tapes by bench_turbo_tap from the loaders' test encoders (bench/tape/TurboTapeMaker.cpp).
#
# usage: bench/tape/tape64-bench.sh [BUILD_DIR]   (default: build)
#        RUNS=N sets the rounds (default 15).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../interleave.sh"
build=$(realpath "${1:-build}")
cli=$build/cli/vornix-cli
tool=$build/app/tape64
turbo=$build/bench/tape/bench_turbo_tap
runs=${RUNS:-15}
for t in hyperfine /usr/bin/time "$cli" "$tool" "$turbo"; do
  command -v "$t" >/dev/null || { echo "tape64-bench: $t is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# PROGRAMS random programs of SIZE bytes on a ROM-loader TAP named OUT.
make_tap() {
  local out=$1 programs=$2 size=$3 list=()
  for i in $(seq 1 "$programs"); do
    { printf '\001\010'; head -c "$size" /dev/urandom; } >"P$i.prg"
    list+=("P$i.prg")
  done
  "$cli" create "$out.t64" "${list[@]}" >/dev/null
  "$cli" t64-to-tap "$out.t64" "$out" >/dev/null
  rm -f "${list[@]}" "$out.t64"
}

echo "Generating the tapes in $work ..."
# About 30 minutes of tape: the ROM loader carries some 50 bytes a second, each twice.
make_tap wav.tap 11 7800
"$cli" tap-to-wav wav.tap long.wav --rate 44100 --bits 16 >/dev/null
# About 10 MB of pulses.
make_tap big.tap 16 15000
"$turbo" turbo.tap 10
turbos=$("$tool" -i:turbo.tap | grep -c ': good' || true)
[ "$turbos" -gt 0 ] || { echo "tape64-bench: nothing found on the turbo-loader TAP" >&2; exit 1; }
seconds=$("$cli" tap-list --json long.wav | sed -n 's/.*"seconds": \([0-9.]*\).*/\1/p' | head -1)
echo "WAV: $(stat -c %s long.wav) bytes, $seconds s of tape; TAP: $(stat -c %s big.tap) bytes"
found=$("$tool" -i:long.wav -y -ot:check.t64 | grep -c ': good' || true)
[ "$found" = 11 ] || { echo "tape64-bench: the WAV decoded to $found good programs, not 11" >&2; exit 1; }
found=$("$tool" -i:big.tap -y -ot:check.t64 | grep -c ': good' || true)
[ "$found" = 16 ] || { echo "tape64-bench: the TAP decoded to $found good programs, not 16" >&2; exit 1; }

peak() { # the most memory the command held, in MiB
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ { printf "%.1f MiB", $2 / 1024 }'
}

interleaved "$runs" "" wav.times "$tool -i:long.wav -y -ot:out.t64" "cat long.wav"
interleaved "$runs" "" tap.times "$tool -i:big.tap -y -ot:out.t64" "cat big.tap"
interleaved "$runs" "" turbo.times "$tool -i:turbo.tap" "cat turbo.tap"
echo
echo "WAV to T64: $(ms "$(median_time wav.times 1)"), cat $(ms "$(median_time wav.times 2)"):" \
     "ratio $(median_ratio wav.times 1 2) (goal <= 2), peak memory $(peak "$tool" -i:long.wav -y -ot:out.t64)"
echo "TAP to T64: $(ms "$(median_time tap.times 1)"), cat $(ms "$(median_time tap.times 2)"):" \
     "ratio $(median_ratio tap.times 1 2) (goal <= 3), peak memory $(peak "$tool" -i:big.tap -y -ot:out.t64)"
echo "Turbo TAP analysed: $(ms "$(median_time turbo.times 1)"), cat $(ms "$(median_time turbo.times 2)"):" \
     "ratio $(median_ratio turbo.times 1 2) (goal <= 3), $turbos programs," \
     "peak memory $(peak "$tool" -i:turbo.tap)"
