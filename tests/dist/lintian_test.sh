#!/usr/bin/env bash
# Builds the Debian package as `cpack -G DEB` does and holds it to Debian's own checker:
# any lintian error fails; warnings and notes are printed for the reader.
# Arguments: BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
if ! command -v lintian >/dev/null; then
  echo "SKIPPED: lintian is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" ||
  { cat "$tmp/cpack.log"; echo "FAIL: cpack" >&2; exit 1; }
deb=$(ls "$tmp"/vornix_"$version"*.deb)

status=0
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || status=$?
grep -v "^running with root privileges" "$tmp/lintian.log" || true
case $status in
  0) echo "lintian: no errors in $(basename "$deb")" ;;
  2) echo "FAIL: lintian reports errors" >&2; exit 1 ;;
  *) echo "FAIL: lintian could not check the package (exit $status)" >&2; exit 1 ;;
esac
