#!/usr/bin/env bash
# A drop end to end: the real iconpanel.exe in a portable folder whose store holds three
# programs, on an X display (run it through tests/app/with_display.sh). A GTK drag source,
# driven by xdotool as a user's mouse would, drops a program file onto the panel; the panel
# must write its icon and image files, append its entry and show it as the fourth tile. Then a
# press on a tile drags the whole panel, and Esc ends the program and removes its tray icon.
#
# Usage: e2e_drop.sh BIN FIXTURES WORK
#   BIN       the build's bin folder: iconpanel.exe, qdb.exe
#   FIXTURES  the folder of red.exe (the dropped program) and blue.exe
#   WORK      a folder for the portable folder and the screenshots (emptied first)
set -uo pipefail
bin=$1 fixtures=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../support/e2e_lib.sh"
geometry_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
                           /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}
# The colour of one screen pixel, as RRGGBB.
pixel_at() {
  import -window root "$work/probe.png"
  convert "$work/probe.png" -format "%[hex:p{$1,$2}]" info:
}
# Waits until the pixel has the colour; gives the colour last seen.
wait_for_pixel() {
  local x=$1 y=$2 wanted=$3 seen=
  for _ in $(seq 30); do
    seen=$(pixel_at "$x" "$y")
    [ "$seen" = "$wanted" ] && break
    sleep 0.1
  done
  echo "$seen"
}
# Moves the pointer from where it is to (x, y) in small steps, as a hand would.
glide_to() {
  local x=$1 y=$2 from_x from_y
  eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=' | sed 's/^/from_/')"
  for step in $(seq 1 20); do
    xdotool mousemove $((from_X + (x - from_X) * step / 20)) $((from_Y + (y - from_Y) * step / 20))
    sleep 0.02
  done
}

brown=C06000 red=FF0000 blue=0000FF

# The portable folder: three entries showing the blue program's icon.
rm -rf "$work"
folder="$work/iconpanel"
mkdir -p "$folder/tubiao" "$work/programs"
cp "$bin/iconpanel.exe" "$folder/"
cp "$fixtures/red.exe" "$fixtures/blue.exe" "$work/programs/"
store=$(windows_path "$folder/tubiao/wenjia.qdb")
wine "$bin/qdb.exe" create "$store" xuhao:text:16 wenjian:text:260 tubiao:text:260 >/dev/null ||
  { echo "qdb create failed" >&2; exit 1; }
cp "$here/fixtures/blue.ico" "$folder/tubiao/blue.jpg"
for i in 0 1 2; do
  wine "$bin/qdb.exe" append "$store" "$i" "$(windows_path "$work/programs/blue.exe")" \
    "$(windows_path "$folder/tubiao/blue.jpg")" >/dev/null ||
    { echo "qdb append failed" >&2; exit 1; }
done

(cd "$folder" && exec wine "$folder/iconpanel.exe") &
panel_pid=$!
source_pid=
cleanup() {
  [ -n "$source_pid" ] && kill "$source_pid" 2>/dev/null
  kill -0 "$panel_pid" 2>/dev/null && kill "$panel_pid" 2>/dev/null
}
trap cleanup EXIT

wait_for_panel_window "$panel_pid"
[ -n "$window" ] || { echo "FAILED: no window of iconpanel.exe appeared" >&2; exit 1; }
read -r left top width height < <(geometry_of "$window")
[ "$width x $height" = "372 x 60" ] ||
  fail "before the drop the panel is $width x $height, not 372 x 60"
# Tile n shows its icon around (64 (n - 1) + 48, 44) of the panel.
[ "$(wait_for_pixel $((left + 176)) $((top + 44)) $blue)" = $blue ] ||
  fail "the third tile is not blue"
[ "$(pixel_at $((left + 240)) $((top + 44)))" = $brown ] ||
  fail "a fourth tile is there before the drop"
import -window root "$work/before.png"

# The drop, from a GTK window at the top left of the screen onto the middle of the panel.
dropped="$work/programs/red.exe"
NO_AT_BRIDGE=1 /usr/bin/python3 "$here/drag_source.py" 40 40 "file://$dropped" \
  >"$work/source.log" 2>&1 &
source_pid=$!
for _ in $(seq 100); do
  grep -q ready "$work/source.log" && break
  sleep 0.05
done
grep -q ready "$work/source.log" || fail "the drag source did not appear"
sleep 0.3
xdotool mousemove 100 70 mousedown 1
for _ in $(seq 10); do xdotool mousemove_relative 3 2; sleep 0.02; done
glide_to $((left + 186)) $((top + 30))
sleep 0.5
xdotool mouseup 1

for _ in $(seq 100); do
  [ -e "$folder/tubiao/red.jpg" ] && break
  sleep 0.1
done
if [ -e "$folder/tubiao/red.jpg" ] && [ -e "$folder/tubiao/red.ICO" ]; then
  cmp -s "$folder/tubiao/red.ICO" "$folder/tubiao/red.jpg" ||
    fail "red.jpg is not a copy of red.ICO"
else
  fail "the drop wrote no red.ICO and red.jpg"
fi
json() { printf '%s' "$1" | sed 's/\\/\\\\/g'; }
program_json=$(json "$(windows_path "$dropped")")
image_json=$(json "$(windows_path "$folder/tubiao/red.jpg")")
expected_entry="{\"serial\":4,\"xuhao\":\"3\","
expected_entry+="\"wenjian\":\"$program_json\",\"tubiao\":\"$image_json\"}"
entries=$(wine "$bin/qdb.exe" --readonly dump "$store" 2>/dev/null | tr -d '\r')
[ "$(wc -l <<<"$entries")" = 4 ] || fail "the store holds $(wc -l <<<"$entries") entries, not 4"
[ "$(tail -n 1 <<<"$entries")" = "$expected_entry" ] ||
  fail "the last entry is $(tail -n 1 <<<"$entries"), not $expected_entry"

read -r left top width height < <(geometry_of "$window")
[ "$width x $height" = "372 x 80" ] ||
  fail "after the drop the panel is $width x $height, not 372 x 80"
[ "$(wait_for_pixel $((left + 240)) $((top + 44)) $red)" = $red ] || fail "no red fourth tile"
import -window root "$work/after_drop.png"
kill "$source_pid" 2>/dev/null
source_pid=

# A press on the first tile drags the panel along.
xdotool mousemove $((left + 40)) $((top + 30)) mousedown 1
sleep 0.2
glide_to $((left + 40 + 120)) $((top + 30 + 80))
sleep 0.2
xdotool mouseup 1
sleep 0.3
read -r moved_left moved_top _ _ < <(geometry_of "$window")
[ "$((moved_left - left)),$((moved_top - top))" = "120,80" ] ||
  fail "a drag on a tile moved the panel from ($left, $top) to ($moved_left, $moved_top)," \
    "not by (120, 80)"

# Esc on the active panel ends the program, and its tray icon goes with it.
tray_shown() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; }
tray_shown || fail "no notification-area icon was shown"
xdotool key Escape
wait_for_exit "$panel_pid"
[ -n "$status" ] || fail "Esc did not end iconpanel.exe"
for _ in $(seq 20); do tray_shown || break; sleep 0.1; done
tray_shown && fail "the notification-area icon is still shown after the end"

if ((failures)); then
  echo "drop end to end: $failures check(s) failed; screenshots in $work" >&2
  exit 1
fi
echo "drop end to end: entry added, fourth tile red, panel dragged, Esc ended it;" \
  "screenshots in $work"
