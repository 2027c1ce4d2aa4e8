#!/usr/bin/env bash
# Runs the same vornix-cli commands on the fixtures with the Linux build and with the Windows
# build under Wine, each in its own copy of the inputs, and fails unless both give the same
# exit codes, the same output and the same files, byte for byte.
#   scripts/compare-windows.sh LINUX_CLI WINDOWS_CLI_EXE [FIXTURE_FOLDER...]
# Without folders, tests/data is used. Images (*.t64) are listed, edited and extracted,
# pictures (*.kla) converted, TAP files (*.tap) joined, PRG files (*.prg) put into an image.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
  echo "usage: scripts/compare-windows.sh LINUX_CLI WINDOWS_CLI_EXE [FIXTURE_FOLDER...]" >&2
  exit 2
fi
linux_cli=$(realpath "$1")
windows_cli=$(realpath "$2")
shift 2
[ $# -gt 0 ] || set -- "$root/tests/data"

work=$(mktemp -d "${TMPDIR:-/tmp}/vornix-compare.XXXXXX")
[ -n "${VORNIX_KEEP_COMPARE:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
for folder in "$@"; do
  for f in "$folder"/*.t64 "$folder"/*.kla "$folder"/*.tap "$folder"/*.prg; do
    [ -f "$f" ] && cp "$f" "$work/in/"
  done
done
# A picture in the common FLI layout, the same bytes on both sides.
{ printf '\x00\x3c'; head -c 17407 /dev/zero | tr '\0' '\125'; } >"$work/in/made.fli"
cp -r "$work/in" "$work/linux"
cp -r "$work/in" "$work/windows"

failures=0
commands=0
# run ARGS...: the command on both sides; the exit code, standard output and error must agree.
run() {
  commands=$((commands + 1))
  local lcode=0 wcode=0
  (cd "$work/linux" && "$linux_cli" "$@" >"$work/l.out" 2>"$work/l.err") || lcode=$?
  (cd "$work/windows" && "$root/scripts/wine-run.sh" "$windows_cli" "$@" >"$work/w.out" 2>"$work/w.err") || wcode=$?
  # Paths a command prints use each system's separator. Lines "wine: ..." are notices of Wine's
  # own processes; a fault of vornix-cli itself shows in its exit code.
  grep -v '^wine: ' "$work/w.out" | tr '\\' '/' >"$work/w.norm" || true
  grep -v '^wine: ' "$work/w.err" | tr '\\' '/' >"$work/w.enorm" || true
  if [ "$lcode" != "$wcode" ] || ! cmp -s "$work/l.out" "$work/w.norm" || ! cmp -s "$work/l.err" "$work/w.enorm"; then
    echo "DIFFERENT: vornix-cli $* (exit $lcode on Linux, $wcode on Windows)"
    diff "$work/l.out" "$work/w.norm" | head -5 || true
    diff "$work/l.err" "$work/w.enorm" | head -5 || true
    failures=$((failures + 1))
  fi
}

shopt -s nullglob
cd "$work/in"
images=(*.t64)
pictures=(*.kla)
taps=(*.tap)
programs=(*.prg)
cd - >/dev/null

for image in "${images[@]}"; do
  run list "$image"
  run list "$image" --json
  run extract "$image" -o .
  run create "edit-$image" --label "Both Systems" --capacity 40
  for prg in "${programs[@]}"; do run add "edit-$image" "$prg"; done
done
for picture in "${pictures[@]}"; do
  run koala "$picture" "${picture%.kla}.prg"
done
run fli made.fli made-fli.prg
for tap in "${taps[@]}"; do
  run tap-join "joined-$tap" "$tap" --pause=1 "$tap" --pause=20
done
# An image of everything made so far, edited step by step.
cd "$work/linux"
made=(*.prg *.PRG)
cd - >/dev/null
run create all.t64 --label "fixtures" "${made[@]}"
run rename all.t64 1 "FIRST ONE"
run move all.t64 1 --bottom
run label all.t64 "both systems"
run delete all.t64 2
run capacity all.t64 60
run add all.t64 "${made[0]}"
run list all.t64
mkdir "$work/linux/out" "$work/windows/out"
run extract all.t64 -o out
run list missing.t64

if ! diff -r "$work/linux" "$work/windows" >"$work/tree.diff"; then
  echo "DIFFERENT files:"
  head -20 "$work/tree.diff"
  failures=$((failures + 1))
fi
files=$(find "$work/linux" -type f | wc -l)
if [ "$failures" -ne 0 ]; then
  echo "compare-windows: $failures difference(s) in $commands commands" >&2
  exit 1
fi
echo "compare-windows: $commands commands, $files files: the same on Linux and on Windows (Wine)"
