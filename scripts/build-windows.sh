#!/usr/bin/env bash
# Cross-builds the plain core, a statically linked vornix-cli.exe and the tape tool tape64.exe
# for 64-bit Windows into build-windows/ (no editor: that needs a Qt for Windows). With
# --test, also runs the plain tests (tape64's among them) under Wine in a temporary Wine
# prefix and, when the Linux build has a vornix-cli (build/cli/vornix-cli), compares what
# both do to the fixtures (scripts/compare-windows.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
jobs=$(nproc)
run_tests=0
case "${1:-}" in
  --test) run_tests=1 ;;
  "") ;;
  *) echo "usage: scripts/build-windows.sh [--test]" >&2; exit 2 ;;
esac
"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DVORNIX_GUI=OFF -DVORNIX_BUILD_BENCH=OFF \
      -DVORNIX_BUILD_TESTS=$([ $run_tests = 1 ] && echo ON || echo OFF) >/dev/null
cmake --build "$build" -j "$jobs"
echo "built $build/cli/vornix-cli.exe and $build/app/tape64.exe"
[ $run_tests = 1 ] || exit 0

# One fresh prefix for the whole run; its wineserver is stopped and the prefix removed at the end.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vornix-wine.XXXXXX")
export WINEPREFIX
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
cleanup() {
  WINEPREFIX="$WINEPREFIX" "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# One wineserver for the whole run: Wine's own services start once, not again for every test.
"$wineserver" -p
"$root/scripts/wine-run.sh" wineboot --init >/dev/null 2>&1 || true
# A test program that Wine itself fails to start (seen once in many runs: exit -1 before the
# program ran) gets one more try; a test that fails on its own fails both times.
(cd "$build" && ctest --output-on-failure -j "$jobs" -L plain --repeat until-pass:2)
if [ -x "$root/build/cli/vornix-cli" ]; then
  "$root/scripts/compare-windows.sh" "$root/build/cli/vornix-cli" "$build/cli/vornix-cli.exe"
else
  echo "no Linux build of vornix-cli: the comparison with it is skipped"
fi
