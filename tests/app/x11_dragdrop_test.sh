#!/usr/bin/env bash
# Drag and drop between the editor and another program through the real X11 protocol, with
# the real mouse: under Xvfb with a window manager, xdotool moves the pointer and presses
# the button (XTest), so that the toolkit's drag code runs in both programs. The other
# program (dnd_peer) drops a PRG file onto the editor, then takes an entry dragged out of
# it; again; then nearly all entries, the two dropped in among them. It reads the offered
# file list at every enter, move and drop, through Qt and as a GTK file manager reads it.
# Arguments: VORNIX VORNIX_CLI DND_PEER. Exit 77: skipped (no Xvfb, window manager or xdotool).
set -uo pipefail

vornix=$1 cli=$2 peer=$3
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh)"; exit 77; }
done
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
log=$tmp/peer.log
: >"$log"
fail() {
  echo "FAIL: $*" >&2
  echo "--- what the other program saw:" >&2
  grep -v '^zones' "$log" >&2
  exit 1
}
# Waits up to 15 s for a command to succeed.
waitFor() {
  local i
  for i in $(seq 150); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Xvfb picks a free display itself and names it once it takes connections. A display whose
# server goes away under openbox (one left behind by another program, say) is given up for a
# new one, once.
export QT_QPA_PLATFORM=xcb HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/config XDG_CACHE_HOME=$tmp/home/cache
unset XDG_RUNTIME_DIR QT_LOGGING_RULES
mkdir -p "$tmp/home" "$tmp/prog"
startDisplay() {
  : >"$tmp/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  pids+=($!)
  if ! waitFor test -s "$tmp/display" || ! DISPLAY=:$(head -n 1 "$tmp/display") xprop -root >/dev/null 2>&1; then
    echo "SKIP: Xvfb cannot start here: $(tail -n 3 "$tmp/xvfb.log")"
    exit 77
  fi
  DISPLAY=:$(head -n 1 "$tmp/display")
  export DISPLAY
  openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
  pids+=($!)
  waitFor sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
}
if ! startDisplay; then
  echo "openbox did not start on $DISPLAY ($(cat "$tmp/openbox.log")); trying a new display" >&2
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  pids=()
  startDisplay || fail "openbox did not start on $DISPLAY: $(cat "$tmp/openbox.log" "$tmp/xvfb.log")"
fi

# A copy of the editor in a folder of its own: its working folder is prog/temp.
cp "$vornix" "$tmp/prog/vornix"
printf '\001\010ABCDEFGHIJ' >"$tmp/GAME.PRG"
printf '\001\010KLMNOP' >"$tmp/ADDED.PRG"
games=()
for i in $(seq 40); do games+=("$tmp/GAME.PRG"); done
"$cli" create "$tmp/tape.t64" --label DND --capacity 60 "${games[@]}" >/dev/null || fail "cannot create the image"

"$tmp/prog/vornix" "$tmp/tape.t64" >"$tmp/vornix.log" 2>&1 &
pids+=($!)
"$peer" "$log" "$tmp/ADDED.PRG" >"$tmp/peer.out" 2>&1 &
pids+=($!)
findWindow() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
hasWindow() { [ -n "$(findWindow "$1")" ]; }
waitFor hasWindow '^tape.t64 - VORN' || fail "the editor's window did not appear"
waitFor hasWindow '^vornix-dnd-peer$' || fail "the other program's window did not appear"
editor=$(findWindow '^tape.t64 - VORN')
other=$(findWindow '^vornix-dnd-peer$')
xdotool windowsize "$editor" 640 600 windowmove "$editor" 0 0
xdotool windowmove "$other" 720 60
waitFor sh -c "tail -n 1 '$log' | awk '\$1 == \"zones\" && \$2 >= 720 { ok = 1 } END { exit !ok }'" ||
  fail "the other program's window did not move"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$editor")"
# A row of the list (all rows are the same entry): the middle of the window, left of centre.
rowX=$((X + WIDTH / 3)) rowY=$((Y + HEIGHT / 2))
read -r _ dropX dropY dropW dropH dragX dragY dragW dragH < <(grep '^zones' "$log" | tail -n 1)
targetX=$((dropX + dropW / 2)) targetY=$((dropY + dropH / 2))
sourceX=$((dragX + dragW / 2)) sourceY=$((dragY + dragH / 2))

# Press (with a key held when one is named), hold past the drag test's delay, move in
# steps, rest over the target, release.
drag() {
  local i
  xdotool mousemove "$1" "$2"
  sleep 0.3
  [ -z "${5:-}" ] || xdotool keydown "$5"
  xdotool mousedown 1
  [ -z "${5:-}" ] || xdotool keyup "$5"
  sleep 0.4
  for i in $(seq 1 20); do
    xdotool mousemove $(($1 + ($3 - $1) * i / 20)) $(($2 + ($4 - $2) * i / 20))
    sleep 0.05
  done
  for i in 1 2 3; do
    xdotool mousemove $(($3 + i)) $(($4 + i))
    sleep 0.2
  done
  xdotool mouseup 1
}
count() { grep -c "$1" "$log"; }
moreThan() { [ "$(count "$1")" -gt "$2" ]; }

dropIn() {
  local before
  before=$(count '^dragged ')
  drag "$sourceX" "$sourceY" "$rowX" "$rowY"
  waitFor moreThan '^dragged ' "$before" || fail "the drop onto the editor did not end"
  [ "$(grep '^dragged ' "$log" | tail -n 1)" = "dragged 1" ] || fail "the editor did not take the dropped file"
}

# Drags the selection out onto the other program. Every reading of the offered list, by
# either reader at any event, must be one and the same list: it is left in $offered, the
# lines of this drag in $section.
dragOut() {
  local n=$1 before event reader
  echo "# drag out $n" >>"$log"
  before=$(count '^drop x')
  drag "$rowX" "$rowY" "$targetX" "$targetY" "${2:-}"
  waitFor moreThan '^drop x' "$before" || fail "drag out $n: no drop arrived"
  section=$(awk -v mark="# drag out $n" '$0 == mark { on = 1; next } /^# / { on = 0 } on' "$log")
  for event in enter move drop; do
    for reader in qt x; do
      grep -q "^$event $reader " <<<"$section" || fail "drag out $n: no $event read through $reader"
    done
  done
  offered=$(grep -E '^(enter|move|drop) (qt|x) ' <<<"$section" | cut -d' ' -f3- | sort -u)
  if [ -z "$offered" ] || [ "$(wc -l <<<"$offered")" != 1 ]; then
    fail "drag out $n: the offered list was empty or changed during the drag"
  fi
}

work="file://$tmp/prog/temp"
echo "# drop in 1" >>"$log"
dropIn
dragOut 1
[ "$offered" = "$work/GAME.PRG" ] || fail "drag out 1 offered $offered"
grep -qx "file $tmp/prog/temp/GAME.PRG 12" <<<"$section" || fail "drag out 1: the file was not there at the drop"
echo "# drop in 2" >>"$log"
dropIn
dragOut 2
[ "$offered" = "$work/GAME.PRG" ] || fail "drag out 2 offered $offered"
grep -qx "file $tmp/prog/temp/GAME.PRG 12" <<<"$section" || fail "drag out 2: the file was not there at the drop"

# All entries but the one under the pointer (Ctrl+A, then Ctrl+press on it): the two files
# dropped in are among them, each under its own name.
xdotool mousemove "$rowX" "$rowY" click 1
sleep 0.3
xdotool key ctrl+a
sleep 0.3
dragOut 3 ctrl
[ "$(wc -w <<<"$offered")" = 41 ] || fail "drag out 3 offered $(wc -w <<<"$offered") files, not 41"
for f in ADDED.PRG ADDED_1.PRG GAME_38.PRG; do
  grep -qw "$work/$f" <<<"$offered" || fail "drag out 3 did not offer $f"
done
echo "x11 drag and drop: 2 drops in, 3 drags out, every reading named the files"
