#!/usr/bin/env bash
# Runs a command that starts Windows programs with windows under Wine, on a display and in a
# Wine prefix of its own: Xvfb at 1920 x 1080 with 24 bits, and $HOME/.cache/iconpanel/
# wine-display (made on first use). Wine fixes the display driver of a prefix's desktop when
# the first program of a wineserver session starts, so programs with windows cannot share a
# session with programs started without a display (the other tests, the build's own use of
# Wine). Its users take turns (a lock file; in ctest also RESOURCE_LOCK wine_display), and
# the session is ended after each, so that the next run starts afresh on its own display.
#
# Usage: with_display.sh COMMAND [ARGUMENT...]
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/scripts/wine-env"

export WINEPREFIX="$HOME/.cache/iconpanel/wine-display"
# One user at a time, also across separate test runs on the machine.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  echo "with_display: preparing the Wine prefix $WINEPREFIX" >&2
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.05
done
if [ ! -s "$display_file" ]; then
  echo "with_display: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$display_file")"

# Without a window manager, Wine waits two seconds for one each time a window that it lets the
# window manager handle is hidden or destroyed; windows it handles itself need no such wait.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi

"$@"
