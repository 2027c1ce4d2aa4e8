#!/usr/bin/env bash
# Times the built editor as a user meets it: whole processes on a private Xvfb display,
# driven by editor_bench through X (see editor_bench.cpp for how it waits for the window),
# on a generated image of 255 entries of 63,486 bytes (16 MB), against the baselines of
# each row, in interleaved rounds; prints the medians and ratios. Nothing is built here.
#
# usage: bench/editor/editor-bench.sh [BUILD]   (default: build; needs BUILD/app/vornix,
#        BUILD/cli/vornix-cli and BUILD/bench/editor/editor_bench)
#        RUNS=N sets the rounds (default 10); ONLY=start,save,undo,keys runs only those rows.
#        bench/editor/editor-bench.sh --menus [BUILD] checks Alt+E, D twice in one process.
set -euo pipefail

menus=0
if [ "${1:-}" = --menus ]; then menus=1; shift; fi
build=$(realpath "${1:-build}")
runs=${RUNS:-10}
vornix=$build/app/vornix
cli=$build/cli/vornix-cli
driver=$build/bench/editor/editor_bench
for f in "$vornix" "$cli" "$driver"; do
  [ -x "$f" ] || { echo "editor-bench: $f is missing (build it first)" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "editor-bench: Xvfb is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, without a window manager: nothing else draws or takes the focus.
for n in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
export DISPLAY=$display QT_QPA_PLATFORM=xcb
# Qt's own settings and caches stay in the work folder.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$work/run" && chmod 700 "$work/run"

if ((menus)); then
  # Add is there only with an image open.
  printf '\000\020\000' >"$work/one.prg"
  "$cli" create "$work/one.t64" "$work/one.prg" >/dev/null
  "$driver" --menus "$vornix" "$work" "$work/one.t64"
  exit
fi

echo "Generating the image in $work ..."
prg=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d -p "$work")
# Load address $1000: the entries are shown as hex.
for i in $(seq 1 255); do
  { printf '\000\020'; head -c 63486 /dev/urandom; } >"$prg/P$i.prg"
done
printf '\000\020' >"$prg/one.prg"
"$cli" create "$work/image.t64" "$prg"/P*.prg >/dev/null
"$cli" create "$work/small.t64" "$prg/one.prg" >/dev/null
"$cli" create "$work/empty.t64" >/dev/null
rm -r "$prg"

echo "Timing $runs interleaved rounds ..."
"$driver" "$vornix" "$work" "$work/image.t64" "$work/small.t64" "$work/empty.t64" "$runs"
