#!/usr/bin/env bash
# The real saver on a real (virtual) X screen: the full-screen window, a key press that ends it,
# and the configuration dialog. Usage: xvfb_e2e.sh <QBR02DLE.SCR> <wine prefix> <output folder>
set -u
here=$(dirname "$0")
. "$here/lib.sh"
scr=$1 prefix=$2 out=$3
mkdir -p "$out"
wine_env "$prefix"
start_xvfb 1024x768x24 || exit 1
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT

# The hooks Windows looks for are exported by name.
exports=$(x86_64-w64-mingw32-objdump -p "$scr")
check "exports ScreenSaverProc" grep -q '\] ScreenSaverProc$' <<<"$exports"
check "exports ScreenSaverConfigureDialog" grep -q '\] ScreenSaverConfigureDialog$' <<<"$exports"

# Full-screen run: a window titled "Screen Saver" covering the screen, gone after a key press.
wine "$scr" /s >/dev/null 2>&1 &
saver=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n 1)
check "full-screen window appears" test -n "$win"
if [ -n "$win" ]; then
  geometry=$(xdotool getwindowgeometry "$win")
  check "window covers the screen" grep -q 'Geometry: 1024x768' <<<"$geometry"
  sleep 1
  import -window root "$out/run.png"
  check "screen is painted black before the scene exists" test "$(pixel "$out/run.png" 512 384)" = "0,0,0"
  xdotool mousemove --sync 300 300 >/dev/null 2>&1
  xdotool windowfocus --sync "$win" >/dev/null 2>&1
  xdotool key space
fi
timeout 20 tail --pid=$saver -f /dev/null
wait $saver; rc=$?
check "a key press ends the run with exit code 0 (got $rc)" test "$rc" = 0

# Configuration mode: dialog 2003, Escape cancels it.
wine "$scr" /c >/dev/null 2>&1 &
config=$!
dlg=$(timeout 20 xdotool search --sync --onlyvisible --name '^  Kestrova Quellbrand 2 LE$' | head -n 1)
check "configuration dialog appears" test -n "$dlg"
if [ -n "$dlg" ]; then
  sleep 0.5
  import -window root "$out/config.png"
  xdotool windowfocus --sync "$dlg" >/dev/null 2>&1
  xdotool key Escape
fi
timeout 20 tail --pid=$config -f /dev/null
wait $config; rc=$?
check "cancelled dialog ends with 0 (got $rc)" test "$rc" = 0

# An unknown switch ends at once with -1.
wine "$scr" /x >/dev/null 2>&1; rc=$?
check "/x ends with -1 (got $rc)" test "$rc" = 255

echo "$PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
