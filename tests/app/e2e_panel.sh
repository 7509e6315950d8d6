#!/usr/bin/env bash
# The panel end to end: the real iconpanel.exe in a portable folder whose store holds seven
# programs, on an X display (run it through with_display.sh). Finds the panel's window, checks
# its size and place, photographs the screen and checks the photograph (an icon in each of the
# seven tile places, none in the eighth, the orange brown elsewhere), then asks the panel to
# close and checks that the program ends cleanly.
#
# Usage: e2e_panel.sh BIN SAMPLES WORK
#   BIN      the build's bin folder: iconpanel.exe, qdb.exe, exeicon.exe, close_window.exe
#   SAMPLES  the folder of sample_1.exe ... sample_7.exe
#   WORK     a folder for the portable folder and the screenshot (emptied first)
set -uo pipefail
bin=$1 samples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../support/e2e_lib.sh"

# The sample colours, in entry order, as make_sample_icons.py draws them.
colours=(DC1E1E 1EB43C 2846DC 14C8C8 C828C8 F0DC14 FAFAFA)
brown=C06000

rm -rf "$work"
folder="$work/iconpanel"
mkdir -p "$folder/tubiao"
cp "$bin/iconpanel.exe" "$folder/"
wine "$bin/qdb.exe" create "$(windows_path "$folder/tubiao/wenjia.qdb")" \
  xuhao:text:16 wenjian:text:260 tubiao:text:260 >/dev/null || { echo "qdb create failed" >&2; exit 1; }
for i in $(seq 7); do
  "$here/add_program.sh" "$folder" "$(windows_path "$samples/sample_$i.exe")" $((i - 1)) "$bin" ||
    { echo "could not add sample $i" >&2; exit 1; }
done

(cd "$folder" && exec wine "$folder/iconpanel.exe") &
panel_pid=$!
wait_for_panel_window "$panel_pid"
if [ -z "$window" ]; then
  echo "FAILED: no window of iconpanel.exe appeared" >&2
  kill "$panel_pid" 2>/dev/null
  exit 1
fi

# Size and place: 372 wide, 7 entries high (140), at the corner centred for the height 250.
read -r screen_width screen_height < <(xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}')
geometry=$(xwininfo -id "$window")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
width=$(awk '/^  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^  Height:/ {print $2}' <<<"$geometry")
expected_left=$(((screen_width - 372) / 2))
expected_top=$(((screen_height - 250) / 2))
[ "$width x $height" = "372 x 140" ] || fail "panel is $width x $height, not 372 x 140"
[ "$left,$top" = "$expected_left,$expected_top" ] ||
  fail "panel is at ($left, $top), not ($expected_left, $expected_top)"
if [ "$screen_width x $screen_height" = "1920 x 1080" ] && [ "$left,$top" != "774,415" ]; then
  fail "on a 1920 x 1080 screen the panel is at ($left, $top), not (774, 415)"
fi
xwininfo -root -tree | grep -q '"Wine System Tray"' || fail "no notification-area icon was shown"

# The photograph: the centre of each tile's icon (a 32 x 32 icon at (24, 20) in its 80 x 72
# tile) and a few places without tiles. Painting may follow the mapping by a moment.
screenshot="$work/panel.png"
points=()
expected=()
for i in $(seq 8); do
  column=$(((i - 1) % 5)) row=$(((i - 1) / 5))
  points+=("$((left + column * 64 + 8 + 40)),$((top + row * 64 + 8 + 36))")
  expected+=("${colours[i - 1]:-$brown}")
done
points+=("$((left + 2)),$((top + 2))" "$((left + 370)),$((top + 138))" "$((left + 340)),$((top + 100))")
expected+=("$brown" "$brown" "$brown")
format=
for point in "${points[@]}"; do format+="%[hex:p{$point}] "; done
for attempt in $(seq 20); do
  import -window root "$screenshot"
  read -r -a seen < <(convert "$screenshot" -format "$format" info:)
  [ "${seen[*]}" = "${expected[*]}" ] && break
  sleep 0.1
done
for k in "${!points[@]}"; do
  [ "${seen[k]:-none}" = "${expected[k]}" ] ||
    fail "pixel (${points[k]}) is ${seen[k]:-none}, not ${expected[k]}"
done

# A user's close request ends the program, with status 0.
wine "$bin/close_window.exe" IconpanelWindow || fail "the panel did not close (close_window: $?)"
wait_for_exit "$panel_pid"
if [ -z "$status" ]; then
  fail "iconpanel.exe did not end after its window closed"
  kill "$panel_pid" 2>/dev/null
elif [ "$status" != 0 ]; then
  fail "iconpanel.exe ended with status $status"
fi

if ((failures)); then
  echo "end to end: $failures check(s) failed; screenshot $screenshot" >&2
  exit 1
fi
echo "end to end: panel at ($left, $top), 372 x 140, seven icons, clean end; screenshot $screenshot"
