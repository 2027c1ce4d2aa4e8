# Interleaved whole-process timing with hyperfine, sourced by the benchmark scripts (bash).
# Each round runs every command once, one after the other, the order reversed every other
# round, so that a machine that speeds up or slows down during the series weighs on every
# command alike, and the commands of one round meet the same machine.
#
#   interleaved ROUNDS PREPARE OUT COMMAND...
#
# PREPARE runs before each run (hyperfine's --prepare; "" for none). One warm-up round is not
# counted. Writes OUT: one line per round with the seconds of each command in the order given.
interleaved() {
  local rounds=$1 prepare=$2 out=$3
  shift 3
  local -a commands=("$@") order args times
  local n=$# r i
  : >"$out"
  for ((r = 0; r <= rounds; r++)); do
    order=()
    for ((i = 0; i < n; i++)); do
      if ((r % 2)); then order+=($((n - 1 - i))); else order+=("$i"); fi
    done
    args=()
    [ -z "$prepare" ] || args+=(--prepare "$prepare")
    for i in "${order[@]}"; do args+=("${commands[$i]}"); done
    # No shell in between: these commands take only milliseconds.
    hyperfine -N --runs 1 --style none --export-csv "$out.csv" "${args[@]}" >/dev/null
    ((r > 0)) || continue
    mapfile -t times < <(awk -F, 'NR > 1 { print $2 }' "$out.csv")
    local row=()
    for ((i = 0; i < n; i++)); do
      for ((k = 0; k < n; k++)); do
        if ((order[k] == i)); then row+=("${times[$k]}"); fi
      done
    done
    echo "${row[*]}" >>"$out"
  done
  rm -f "$out.csv"
}

# The median of column COLUMN (from 1) of a file written by interleaved.
median_time() {
  awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The median over the rounds of column A / column B: each round's commands met the same machine.
median_ratio() {
  awk -v a="$2" -v b="$3" '{ printf "%.6f\n", $a / $b }' "$1" | sort -g |
    awk '{ v[NR] = $1 } END { printf "%.2f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Milliseconds, for printing.
ms() { awk -v s="$1" 'BEGIN { printf "%.1f ms", s * 1000 }'; }
