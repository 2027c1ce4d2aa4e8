#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, and runs each for its fixed number of runs from
# the committed seed corpus (counts in tests/fuzz/CMakeLists.txt). A crash or broken promise
# fails the run and leaves the input in build-fuzz/tests/fuzz/work/NAME/.
# For a longer search by hand:
#   build-fuzz/tests/fuzz/fuzz_NAME -max_total_time=600 /tmp/NAME tests/fuzz/corpus/NAME
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORNIX_FUZZ=ON -DVORNIX_GUI=OFF -DVORNIX_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$root/build-fuzz" -j "${VORNIX_JOBS:-$(nproc)}" --target fuzz_targets
rm -rf "$root/build-fuzz/tests/fuzz/work"
(cd "$root/build-fuzz" && ctest -L fuzz --output-on-failure)
