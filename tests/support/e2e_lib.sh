# Sourced by the end-to-end scripts that drive the Windows programs under Wine.

# The Windows form of a Linux path, through the drive that Wine maps to the Linux root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A failed check is counted and reported; the script goes on to the next check.
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# Waits up to five seconds for a background program of this shell to end, and sets status
# to its exit status, or to nothing when it is still running.
wait_for_exit() {
  status=
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      status=$?
      return
    fi
    sleep 0.05
  done
}

# Waits up to ten seconds for the visible window of iconpanel.exe started as the background
# program PID, and sets window to its X id, or to nothing when none appeared.
wait_for_panel_window() {
  window=
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --class iconpanel.exe 2>/dev/null | head -n 1)
    [ -n "$window" ] && return
    kill -0 "$1" 2>/dev/null || return
    sleep 0.05
  done
}
