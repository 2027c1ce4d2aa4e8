#!/usr/bin/env bash
# Builds the editor and starts it; arguments are passed on (e.g. a T64 image to open).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target vornix -j "$(nproc)"
exec "$root/build/app/vornix" "$@"
