#!/usr/bin/env bash
# Times the built vornix-cli as a user meets it, whole processes from the shell, against the
# tools a user would pick instead, and prints the ratios (medians over interleaved rounds,
# hyperfine; see bench/interleave.sh):
#   label (open + rewrite)   vs  cp of the same file                   goal <= 1.2
#   extract (all entries)    vs  cbmconvert -N -t on the same image    goal <= 0.9
#       into a new folder each run, and into a folder emptied just before (see below)
#   list --json on the image vs  list --json on an empty image         goal 0.8 .. 1.2
#   list --json              vs  cat of the image                      (for scale)
# and the peak memory of each command (also on a damaged directory) against the file size.
# The image: 255 entries of 63,486 data bytes. Nothing is built here.
#
# usage: bench/cli-bench.sh [path/to/vornix-cli]   (default: build/cli/vornix-cli)
#        RUNS=N sets the rounds (default 30); SETTLE=S the wait before timing (default 361).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/interleave.sh"
cli=$(realpath "${1:-build/cli/vornix-cli}")
runs=${RUNS:-30}
for tool in hyperfine cbmconvert /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "cli-bench: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "cli-bench: no vornix-cli at $cli" >&2; exit 1; }

work=$(mktemp -d)
# The thousands of files removed at the end are written out at once, so that they stay out
# of use for one minute rather than six while nothing is created near them (see below).
trap 'rm -rf "$work"; sync' EXIT
cd "$work"

echo "Generating the image in $work ..."
# The programs are made in memory where there is a place for it: removing them from the disk
# would slow down the files created next (see the wait below).
prg=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d -p "$work")
for i in $(seq 1 255); do
  { printf '\001\010'; head -c 63486 /dev/urandom; } >"$prg/P$i.prg"
done
"$cli" create pristine.t64 "$prg"/P*.prg >/dev/null
"$cli" create empty.t64 >/dev/null
rm -r "$prg"
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

# Both extractions run in the folder "cur" points to (cbmconvert writes into the current
# folder), through the same small script, so both pay the same for it.
printf '#!/bin/sh\ncd "%s/cur" && exec "$@"\n' "$work" >in-cur
# A new folder for each run: what a user extracting into a folder meets.
printf '#!/bin/sh\nn=$(ls "%s/new" | wc -l)\nmkdir "%s/new/$n" && ln -sfn "new/$n" "%s/cur" && sync\n' \
  "$work" "$work" "$work" >new-folder
# The same folder, emptied before each run: every create steps past the inodes freed in the
# last minute (see the wait below), which pile up over the series: a worst case that grows
# with the rounds.
printf '#!/bin/sh\nrm -rf "%s/emptied" && mkdir "%s/emptied" && ln -sfn emptied "%s/cur" && sync\n' \
  "$work" "$work" "$work" >emptied-folder
chmod +x in-cur new-folder emptied-folder
mkdir new

# On ext4 without a journal an inode freed in the last minute is not handed out again (in
# the last six minutes while its table block is unwritten, and creating files makes it so),
# and every create steps past all of them. The files a run of this script (or anything else)
# removed before would slow down the series: wait for them to age (SETTLE seconds, default
# 361; 0 on a machine that removed no files in the last minutes).
sync
sleep "${SETTLE:-361}"
echo "Timing $runs interleaved rounds of each comparison ..."
# Every run starts with no dirty pages of earlier runs waiting to be written back.
interleaved "$runs" sync label.txt "$cli label big.t64 BENCH" "cp pristine.t64 copy.t64"
rm -f copy.t64
extract_vornix="$work/in-cur $cli extract $work/big.t64 -o ."
extract_cbm="$work/in-cur cbmconvert -N -t $work/big.t64"
interleaved "$runs" "$work/new-folder" extract-new.txt "$extract_vornix" "$extract_cbm"
interleaved "$runs" "$work/emptied-folder" extract-emptied.txt "$extract_vornix" "$extract_cbm"
interleaved "$runs" "" list.txt "$cli list big.t64 --json" "$cli list empty.t64 --json" "cat big.t64"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
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
row() { printf '%-44s %8s  %-12s %s\n' "$@"; }
echo
echo "image: $size bytes ($kib KiB), 255 entries of 63,486 bytes; vornix-cli: $cli"
echo "medians of $runs interleaved rounds; ratio: the median of the rounds' ratios"
row "job" "ratio" "goal" "times (ours, theirs)"
row "label vs cp" "$(median_ratio label.txt 1 2)x" "<= 1.2x" \
  "$(ms "$(median_time label.txt 1)"), $(ms "$(median_time label.txt 2)")"
row "extract vs cbmconvert -N -t, new folder" "$(median_ratio extract-new.txt 1 2)x" "<= 0.9x" \
  "$(ms "$(median_time extract-new.txt 1)"), $(ms "$(median_time extract-new.txt 2)")"
row "extract vs cbmconvert -N -t, emptied folder" "$(median_ratio extract-emptied.txt 1 2)x" "<= 0.9x" \
  "$(ms "$(median_time extract-emptied.txt 1)"), $(ms "$(median_time extract-emptied.txt 2)")"
row "list --json: image vs empty image" "$(median_ratio list.txt 1 2)x" "0.8x .. 1.2x" \
  "$(ms "$(median_time list.txt 1)"), $(ms "$(median_time list.txt 2)")"
row "list --json vs cat" "$(median_ratio list.txt 1 3)x" "" \
  "$(ms "$(median_time list.txt 1)"), $(ms "$(median_time list.txt 3)")"
echo
echo "peak memory (KiB; file $kib KiB; goal <= 1.1 x file + a few MiB)"
printf '%-40s %8s  %sx file\n' "label" "$p_label" "$(ratio "$p_label" "$kib")"
printf '%-40s %8s  %sx file\n' "label, damaged directory" "$p_damaged" "$(ratio "$p_damaged" "$kib")"
printf '%-40s %8s  %sx file\n' "extract" "$p_extract" "$(ratio "$p_extract" "$kib")"
printf '%-40s %8s  %sx file\n' "list --json" "$p_list" "$(ratio "$p_list" "$kib")"
printf '%-40s %8s  %sx file\n' "cp (for scale)" "$p_cp" "$(ratio "$p_cp" "$kib")"
