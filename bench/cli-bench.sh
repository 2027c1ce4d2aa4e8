#!/usr/bin/env bash
# Times the built vornix-cli as a user meets it, whole processes from the shell, against the
# tools a user would pick instead, and prints the ratios (median times, hyperfine):
#   label (open + rewrite)   vs  cp of the same file                   goal <= 1.2
#   extract (all entries)    vs  cbmconvert -N -t on the same image    goal <= 0.9
#   list --json on the image vs  list --json on an empty image         goal 0.8 .. 1.2
#   list --json              vs  cat of the image                      (for scale)
# and the peak memory of each command (also on a damaged directory) against the file size.
# The image: 255 entries of 63,486 data bytes. Nothing is built here.
#
# usage: bench/cli-bench.sh [path/to/vornix-cli]   (default: build/cli/vornix-cli)
#        RUNS=N sets hyperfine's runs per command (default 30).
set -euo pipefail

cli=$(realpath "${1:-build/cli/vornix-cli}")
runs=${RUNS:-30}
for tool in hyperfine cbmconvert /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "cli-bench: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "cli-bench: no vornix-cli at $cli" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "Generating the image in $work ..."
mkdir prg
for i in $(seq 1 255); do
  { printf '\001\010'; head -c 63486 /dev/urandom; } >"prg/P$i.prg"
done
"$cli" create pristine.t64 prg/P*.prg >/dev/null
"$cli" create empty.t64 >/dev/null
rm -r prg
size=$(stat -c %s pristine.t64)

# A damaged copy: slots 2, 4 and 6 point at the last entry's data, so the distances from
# slots 1, 3 and 5 to them span almost the whole file.
cp pristine.t64 damaged.t64
last=$(od -An -tu4 -j $((64 + 32 * 254 + 8)) -N4 damaged.t64 | tr -d ' ')
for slot in 1 3 5; do
  printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((last & 255)) $((last >> 8 & 255)) $((last >> 16 & 255)) $((last >> 24 & 255)))" |
    dd of=damaged.t64 bs=1 seek=$((64 + 32 * slot + 8)) conv=notrunc status=none
done
cp pristine.t64 big.t64
mkdir -p out-vornix out-cbm

# Median seconds of the commands in a hyperfine CSV export, one per line.
medians() { awk -F, 'NR > 1 { print $4 }' "$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

bench() { # name, csv, command...
  local name=$1 csv=$2
  shift 2
  echo "== $name"
  # No shell in between: these commands take only milliseconds.
  hyperfine -N --style basic --runs "$runs" --warmup 3 --export-csv "$work/$csv" "$@" |
    grep -E '^(Benchmark|  Time)' || true
}

# Every run starts with no dirty pages of earlier runs waiting to be written back.
bench "label vs cp" label.csv --prepare sync \
  "$cli label big.t64 BENCH" \
  "cp pristine.t64 copy.t64"
# cbmconvert writes into the current folder: both run from there.
printf '#!/bin/sh\nrm -rf "%s/out-vornix" "%s/out-cbm"/* && mkdir "%s/out-vornix" && sync\n' "$work" "$work" "$work" >reset.sh
chmod +x reset.sh
cd out-cbm
# Creating files gets slower while the file system still remembers the files removed
# between runs, so a series run later is at a disadvantage: both orders are timed.
bench "extract vs cbmconvert" extract.csv --prepare "$work/reset.sh" \
  "$cli extract ../big.t64 -o ../out-vornix" \
  "cbmconvert -N -t ../big.t64"
bench "cbmconvert vs extract" extract2.csv --prepare "$work/reset.sh" \
  "cbmconvert -N -t ../big.t64" \
  "$cli extract ../big.t64 -o ../out-vornix"
cd "$work"
bench "list --json: image vs empty image vs cat" list.csv \
  "$cli list big.t64 --json" \
  "$cli list empty.t64 --json" \
  "cat big.t64"
rm -f copy.t64

mapfile -t l < <(medians label.csv)
mapfile -t x < <(medians extract.csv)
mapfile -t x2 < <(medians extract2.csv)
x[0]=$(awk -v a="${x[0]}" -v b="${x2[1]}" 'BEGIN { print (a + b) / 2 }')
x[1]=$(awk -v a="${x[1]}" -v b="${x2[0]}" 'BEGIN { print (a + b) / 2 }')
mapfile -t s < <(medians list.csv)

peak() { # peak resident KiB of one command
  /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1
}
rm -rf out-vornix && mkdir out-vornix
cp pristine.t64 big.t64
p_label=$(peak "$cli" label big.t64 PEAK)
p_extract=$(peak "$cli" extract big.t64 -o out-vornix)
p_list=$(peak "$cli" list big.t64 --json)
p_damaged=$(peak "$cli" label damaged.t64 PEAK || true)
p_cp=$(peak cp pristine.t64 copy.t64)

kib=$((size / 1024))
echo
echo "image: $size bytes ($kib KiB), 255 entries of 63,486 bytes; vornix-cli: $cli"
printf '%-40s %8s  %s\n' "job" "ratio" "goal"
printf '%-40s %8s  %s\n' "label vs cp" "$(ratio "${l[0]}" "${l[1]}")x" "<= 1.2x"
printf '%-40s %8s  %s\n' "extract vs cbmconvert -N -t (both orders)" "$(ratio "${x[0]}" "${x[1]}")x" "<= 0.9x"
printf '%-40s %8s  %s\n' "list --json: image vs empty image" "$(ratio "${s[0]}" "${s[1]}")x" "0.8x .. 1.2x"
printf '%-40s %8s\n' "list --json vs cat" "$(ratio "${s[0]}" "${s[2]}")x"
echo
echo "peak memory (KiB; file $kib KiB; goal <= 1.1 x file + a few MiB)"
printf '%-40s %8s  %sx file\n' "label" "$p_label" "$(ratio "$p_label" "$kib")"
printf '%-40s %8s  %sx file\n' "label, damaged directory" "$p_damaged" "$(ratio "$p_damaged" "$kib")"
printf '%-40s %8s  %sx file\n' "extract" "$p_extract" "$(ratio "$p_extract" "$kib")"
printf '%-40s %8s  %sx file\n' "list --json" "$p_list" "$(ratio "$p_list" "$kib")"
printf '%-40s %8s  %sx file\n' "cp (for scale)" "$p_cp" "$(ratio "$p_cp" "$kib")"
