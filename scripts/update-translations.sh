#!/usr/bin/env bash
# Gathers every tr() text of the windows into the catalogues (gui/translations/*.ts), keeping
# the translations already made; new texts come in marked unfinished until translated. The
# code's texts are English, so the English catalogue holds only the plural forms.
# --check fails when a catalogue is behind the sources or lacks a translation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
sources=(gui app tools/ui tape/ui)
cd "$root"

update() { # folder holding the catalogues
  for ts in "$1"/vornix_*.ts; do
    only=()
    [ "$(basename "$ts")" = vornix_en.ts ] && only=(-pluralonly)
    "$lupdate" -silent -I "$root" -locations none -no-obsolete "${only[@]}" "${sources[@]}" -ts "$ts"
  done
}

if [ "${1:-}" != "--check" ]; then
  update gui/translations
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp gui/translations/vornix_*.ts "$work/"
update "$work"
status=0
for ts in gui/translations/vornix_*.ts; do
  if ! cmp -s "$ts" "$work/$(basename "$ts")"; then
    echo "$ts is behind the sources: run scripts/update-translations.sh" >&2
    status=1
  fi
  if grep -q 'type="unfinished"' "$ts"; then
    echo "$ts lacks translations of:" >&2
    grep -B3 'type="unfinished"' "$ts" | grep '<source>' >&2 || true
    status=1
  fi
done
exit $status
