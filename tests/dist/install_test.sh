#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop gets from it: the
# programs, the desktop entry, MIME types, icon, AppStream data and manual page (with the
# validators a distribution runs), then builds the Debian package and lists it.
# Arguments: BUILD_DIR VERSION MIME_PROBE TEST_DATA_DIR
set -euo pipefail
build=$1 version=$2 probe=$3 data=$4
id=org.vornix.Vornix
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"

for f in bin/vornix bin/vornix-cli bin/tape64; do
  [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for f in share/applications/$id.desktop share/mime/packages/$id.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml \
         share/man/man1/vornix-cli.1.gz; do
  [ -s "$prefix/$f" ] || fail "$f is missing or empty"
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.log" ||
  { cat "$tmp/appstream.log"; fail "AppStream data does not validate"; }
grep -q "version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo lacks release $version"

# The programs answer without a display, with their version and the project's licence.
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "metainfo lacks the project's licence"
for program in vornix vornix-cli tape64; do
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --version)
  [ "$(head -n 1 <<<"$said")" = "$program $version" ] || fail "$program --version: $said"
  grep -q "^Licence GPL-3.0-or-later: " <<<"$said" || fail "$program --version names no licence: $said"
done
grep -q "MimeType=.*application/x-c64-tap;" "$prefix/share/applications/$id.desktop" || fail "the desktop entry does not offer TAP files"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vornix" --help)
grep -q "IMAGE.t64" <<<"$help" || fail "vornix --help: $help"
# The manual page is well-formed roff and describes every command the program has.
man=$(gzip -dc "$prefix/share/man/man1/vornix-cli.1.gz")
[ -z "$(groff -man -ww -z <<<"$man" 2>&1)" ] || fail "manual page: $(groff -man -ww -z <<<"$man" 2>&1)"
commands=$("$prefix/bin/vornix-cli" --help | awk '/^commands:/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
[ "$(wc -l <<<"$commands")" -ge 15 ] || fail "too few commands in --help: $commands"
spaced=$(sed 's/$/ /' <<<"$man")
for c in $commands; do
  grep -qF ".B vornix\\-cli ${c//-/\\-} " <<<"$spaced" || fail "manual page lacks $c"
done

# Recognised by content as well as by name (either case).
update-mime-database "$prefix/share/mime"
cp "$data/t64fix_c64sfreeze-2.52.t64" "$tmp/tape-without-extension"
cp "$data/c64-sigrok-tap_print_h.tap" "$tmp/pulses.bin"
printf 'C64 is a computer\n' >"$tmp/notes.txt"
: >"$tmp/EMPTY.T64"
types=$(XDG_DATA_HOME=$tmp/nowhere XDG_DATA_DIRS=$prefix/share:/usr/share "$probe" \
        "$tmp/tape-without-extension" "$tmp/pulses.bin" "$tmp/EMPTY.T64" "$tmp/notes.txt" | tr '\n' ' ')
[ "$types" = "application/x-c64-t64 application/x-c64-tap application/x-c64-t64 text/plain " ] ||
  fail "MIME types: $types"

# The Debian package carries the same files and the libraries' packages as dependencies.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" ||
  { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/package/vornix_"$version"*.deb)
listing=$(dpkg-deb -c "$deb")
for f in usr/bin/vornix usr/bin/vornix-cli usr/bin/tape64 usr/share/applications/$id.desktop \
         usr/share/mime/packages/$id.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/metainfo/$id.metainfo.xml usr/share/man/man1/vornix-cli.1.gz \
         usr/share/man/man1/vornix.1.gz usr/share/man/man1/tape64.1.gz \
         usr/share/doc/vornix/copyright usr/share/doc/vornix/changelog.gz; do
  grep -q " \./$f\$" <<<"$listing" || fail "package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for p in libc6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
  grep -q "\b$p\b" <<<"$depends" || fail "package does not depend on $p: $depends"
done
echo "installed tree and package checked: $deb"
