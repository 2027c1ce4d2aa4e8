#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, quietly. The prefix is $WINEPREFIX
# when set (scripts/build-windows.sh --test makes a temporary one per run), otherwise one per
# user under the temporary folder, so ctest also works by hand in build-windows/.
set -euo pipefail
wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || [ ! -x /usr/lib/wine/wine64 ] || wine=/usr/lib/wine/wine64
if [ -z "$wine" ]; then
  echo "wine-run.sh: wine64 is not installed (Debian package wine64)" >&2
  exit 127
fi
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/vornix-wine-$(id -u)}
# No desktop: the tests have no window, and the prefix needs no Mono or Gecko.
export DISPLAY=
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec "$wine" "$@"
