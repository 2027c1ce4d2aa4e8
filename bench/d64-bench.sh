#!/usr/bin/env bash
# Whole-process timing of the disk image commands against cbmconvert doing the same job:
#   export: a tape image whose programs fill a 35-track disk (664 blocks) written as a D64;
#   import: every file of that disk read back out (into a T64 for us, into native files
#           for cbmconvert, which cannot write tape images).
# Prints hyperfine's table and the ratio ours/theirs for each (below 1: we are faster).
# usage: bench/d64-bench.sh [PATH/TO/vornix-cli]   (default: build/cli/vornix-cli)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$root/build/cli/vornix-cli}")
for tool in hyperfine cbmconvert "$cli"; do
  command -v "$tool" >/dev/null || { echo "d64-bench: $tool not found (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Eight programs of 83 blocks each (83 * 254 bytes with the load address): 664 blocks.
mkdir src
for i in 1 2 3 4 5 6 7 8; do
  head -c $((83 * 254 - 2)) /dev/urandom > data.bin
  { printf '\001\010'; cat data.bin; } > "src/prog$i.prg"
done
"$cli" create full.t64 --label "FULL DISK" src/prog?.prg >/dev/null
"$cli" d64-export full.t64 disk.d64 >/dev/null
extracted="prog1.prg prog2.prg prog3.prg prog4.prg prog5.prg prog6.prg prog7.prg prog8.prg"

runs=${D64_BENCH_RUNS:-100}
hyperfine -N --warmup 3 --runs "$runs" --export-csv export.csv \
  --prepare 'rm -f ours.d64' --prepare 'rm -f theirs.d64' \
  -n vornix "$cli d64-export full.t64 ours.d64" \
  -n cbmconvert "cbmconvert -v0 -D4 theirs.d64 -t full.t64"
hyperfine -N --warmup 3 --runs "$runs" --export-csv import.csv \
  --prepare "rm -f back.t64" --prepare "rm -f $extracted" \
  -n vornix "$cli d64-import back.t64 disk.d64" \
  -n cbmconvert "cbmconvert -v0 -N -d disk.d64"

# Both sides must have done the whole job.
cmp -s <("$cli" d64-list ours.d64 | tail -1) <(echo "0 BLOCKS FREE.") ||
  { echo "d64-bench: our export is not a full disk" >&2; exit 1; }
for f in $extracted; do
  cmp -s "$f" "src/$f" || { echo "d64-bench: cbmconvert did not extract $f" >&2; exit 1; }
done
[ "$("$cli" list back.t64 | sed -n 3p)" = "entries:  8" ] || { echo "d64-bench: our import is incomplete" >&2; exit 1; }

# The machine may be shared: the median and the fastest run are given beside the mean.
ratio() { # first row over second row
  awk -F, 'NR == 2 { a = $2; am = $4; an = $7 } NR == 3 { b = $2; bm = $4; bn = $7 }
    END { printf "mean %.2f (%.2f/%.2f ms), median %.2f (%.2f/%.2f ms), fastest %.2f (%.2f/%.2f ms)",
          a / b, a * 1000, b * 1000, am / bm, am * 1000, bm * 1000, an / bn, an * 1000, bn * 1000 }' "$1"
}
echo
echo "export a full disk, vornix/cbmconvert: $(ratio export.csv)"
echo "import every file,  vornix/cbmconvert: $(ratio import.csv)"
