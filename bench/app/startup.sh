#!/usr/bin/env bash
# Times the panel's start beside a minimal Windows program, under Wine on an X display, in the
# same run: from the start of the process until its window is mapped, with 100 entries in the
# panel's store. Also reports each program's peak memory (the Wine process's VmHWM) and the
# in-process time of one rebuildTiles of 100 entries (rebuild_timing.exe).
#
# Usage: tests/app/with_display.sh bash bench/app/startup.sh BIN WORK [ROUNDS]
#   BIN    the Windows build's bin folder (iconpanel.exe, minimal_window.exe, rebuild_timing.exe,
#          close_window.exe), built with -DICONPANEL_BENCHMARKS=ON
#   WORK   a folder for the portable folder (emptied first)
set -uo pipefail
bin=$1 work=$2 rounds=${3:-7}

source "$(cd "$(dirname "$0")" && pwd)/../../tests/support/e2e_lib.sh"

rm -rf "$work"
mkdir -p "$work/iconpanel" "$work/minimal"
cp "$bin/iconpanel.exe" "$work/iconpanel/"
cp "$bin/minimal_window.exe" "$work/minimal/"
# Makes the store of 100 entries and times the rebuild in process.
wine "$bin/rebuild_timing.exe" "$(windows_path "$work/iconpanel")" || exit 1

# start PROGRAM WINDOW_CLASS: milliseconds until a window of the program is mapped, then the
# program's peak memory in kB; closes the program again.
start() {
  local program=$1 window_class=$2 name
  name=$(basename "$program")
  local begin end pid peak
  begin=$(date +%s%N)
  (cd "$(dirname "$program")" && exec wine "$program") &
  pid=$!
  until xdotool search --onlyvisible --classname "$name" >/dev/null 2>&1; do sleep 0.002; done
  end=$(date +%s%N)
  sleep 0.5
  peak=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  wine "$bin/close_window.exe" "$window_class" || echo "could not close $name" >&2
  wait "$pid"
  echo "$(((end - begin) / 1000000)) $peak"
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

panel_times=() minimal_times=() panel_peak= minimal_peak=
for _ in $(seq "$rounds"); do
  read -r ms panel_peak < <(start "$work/iconpanel/iconpanel.exe" IconpanelWindow)
  panel_times+=("$ms")
  read -r ms minimal_peak < <(start "$work/minimal/minimal_window.exe" MinimalWindow)
  minimal_times+=("$ms")
done
echo "start until the window is mapped, median of $rounds (Wine already running):"
echo "  iconpanel.exe, 100 entries: $(printf '%s\n' "${panel_times[@]}" | median) ms  (${panel_times[*]})"
echo "  minimal_window.exe:         $(printf '%s\n' "${minimal_times[@]}" | median) ms  (${minimal_times[*]})"
echo "peak memory (VmHWM of the Wine process):"
echo "  iconpanel.exe: $panel_peak kB, minimal_window.exe: $minimal_peak kB"
