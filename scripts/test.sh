#!/usr/bin/env bash
# Checks the formatting, the includes against the layers and the translations, builds
# everything and runs the whole test suite, then the plain tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the fuzz targets for a fixed number of runs each from
# their seed corpus (clang), then the Windows build of the plain core and vornix-cli with its
# tests under Wine (VORNIX_SKIP_SANITIZERS=1, VORNIX_SKIP_FUZZ=1 and VORNIX_SKIP_WINDOWS=1
# leave those out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/install-deps.sh"
"$root/scripts/check-format.sh"
"$root/scripts/check-layers.sh"
"$root/scripts/update-translations.sh" --check

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$jobs"
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

if [ "${VORNIX_SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVORNIX_SANITIZE=ON \
        -DVORNIX_GUI=OFF -DVORNIX_BUILD_BENCH=OFF >/dev/null
  cmake --build "$root/build-asan" -j "$jobs"
  (cd "$root/build-asan" && ctest --output-on-failure -j "$jobs" -L plain)
fi

if [ "${VORNIX_SKIP_FUZZ:-0}" != "1" ]; then
  "$root/scripts/fuzz.sh"
fi

if [ "${VORNIX_SKIP_WINDOWS:-0}" != "1" ]; then
  "$root/scripts/build-windows.sh" --test
fi
