#!/usr/bin/env bash
# The documents a Debian system reads: the hand-written manual pages of vornix and tape64
# (clean for man's own warnings, of this version, naming every option the program's --help
# names), the copyright file and the changelog.
# Arguments: BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"

# The options --help lists: the words starting with "-" on its lines that start with one.
options() { grep -E '^ +-' | grep -oE '(^|[ ;,])--?[a-z0-9]+:?' | tr -d ' ;,' | sort -u; }

for program in vornix tape64; do
  page=$prefix/share/man/man1/$program.1.gz
  [ -s "$page" ] || fail "$program.1.gz is not installed"
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$program.1: $warnings"
  text=$(LC_ALL=C MANWIDTH=200 man -l "$page" 2>/dev/null)
  grep -q "^ *$program - " <<<"$text" || fail "$program.1 has no NAME line for $program"
  grep -q "vornix $version" <<<"$text" || fail "$program.1 is not of version $version"
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --help)
  listed=$(options <<<"$help")
  [ "$(wc -l <<<"$listed")" -ge 2 ] || fail "no options found in $program --help: $help"
  for option in $listed; do
    grep -qE -- "(^|[^a-z0-9-])$option" <<<"$text" || fail "$program.1 lacks the option $option"
  done
done
zgrep -q "^\.BR vornix\\\\-cli (1)" "$prefix/share/man/man1/vornix.1.gz" || fail "vornix.1 does not point to vornix-cli(1)"

doc=$prefix/share/doc/vornix
head -1 "$doc/copyright" | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
  fail "the copyright file is not in the machine-readable format"
gzip -dc "$doc/changelog.gz" >"$tmp/changelog"
[ "$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)" = "$version" ] ||
  fail "the changelog's latest entry is not of version $version"
echo "manual pages, copyright and changelog checked"
