#!/usr/bin/env bash
# The real saver on a real (virtual) X screen at chosen dates: the street for the time of day
# and season, the clock showing the time, a key press that ends the run, and the configuration
# dialog. Usage: xvfb_e2e.sh <QBR02DLE.SCR> <wine prefix> <output folder> <asset folder>
set -u
here=$(dirname "$0")
. "$here/lib.sh"
scr=$1 prefix=$2 out=$3 assets=$4
mkdir -p "$out"
wine_env "$prefix"
start_xvfb 1024x768x24 || exit 1
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT

# On 1024 x 768 the 1024 x 660 picture stands 54 rows down; the clock's first digit is at (40, 288).
top=54

# The hooks Windows looks for are exported by name.
exports=$(x86_64-w64-mingw32-objdump -p "$scr")
check "exports ScreenSaverProc" grep -q '\] ScreenSaverProc$' <<<"$exports"
check "exports ScreenSaverConfigureDialog" grep -q '\] ScreenSaverConfigureDialog$' <<<"$exports"

clock_shows() {  # shot HHMM [row of the digits]
  local digits=$2 row=${3:-288} i d x n=0
  for i in 0 1 2 3; do
    d=${digits:$i:1}
    x=$((40 + (i == 1 ? 14 : i == 2 ? 33 : i == 3 ? 48 : 0)))
    n=$((n + $(differing "$1" $x "$row" 14 26 "$assets/UHR_00.bmp" $((14 * d)) 0)))
  done
  [ "$n" = 0 ]
}

# Starts the saver at a faked local time, takes screenshots once the scene stands (the first
# after 2 s, then one a second), ends it with a key.
run_at() {  # name "YYYY-MM-DD HH:MM:SS" [further screenshots]
  local name=$1 when=$2 more=${3:-0} saver win rc i
  "$QB_FAKED_TIME" "$when" wine "$scr" /s >/dev/null 2>&1 &
  saver=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n 1)
  check "$name: full-screen window appears" test -n "$win"
  [ -n "$win" ] || return
  check "$name: window covers the screen" grep -q "Geometry: $(xdpyinfo | awk '/dimensions:/ {print $2}')" \
    <<<"$(xdotool getwindowgeometry "$win")"
  sleep 2
  import -window root "$out/$name.png"
  for i in $(seq 1 "$more"); do
    sleep 1
    import -window root "$out/$name-$i.png"
  done
  xdotool mousemove --sync 300 300 >/dev/null 2>&1
  xdotool windowfocus --sync "$win" >/dev/null 2>&1
  xdotool key space
  timeout 20 tail --pid=$saver -f /dev/null
  wait $saver; rc=$?
  check "$name: a key press ends the run with exit code 0 (got $rc)" test "$rc" = 0
}

# The clock follows the system's 12/24-hour setting ([intl] iTime of win.ini, kept in the registry).
set_clock_format() {
  wine reg add 'HKCU\Control Panel\International' /v iTime /d "$1" /f >/dev/null 2>&1
}

set_clock_format 1
run_at summer-noon "2026-07-01 12:00:00" 12
shot=$out/summer-noon.png
# The houses band (picture rows 120..225, below the sky where aircraft fly) is the day picture.
check "summer noon shows the day street" test "$(differing "$shot" 0 $((top + 120)) 1024 106 "$assets/HG01_01_01.bmp" 0 120)" = 0
check "summer noon: the clock shows 12:00" clock_shows "$shot" 1200
check "summer noon: above the picture stays black" test "$(pixel "$shot" 512 10)" = "0,0,0"
# At noon the bus is due at once, and cars follow: the road (picture rows 540..659) shows traffic.
busiest=0
for i in $(seq 1 12); do
  n=$(differing "$out/summer-noon-$i.png" 0 $((top + 540)) 1024 120 "$assets/HG01_01_01.bmp" 0 540)
  [ "$n" -gt "$busiest" ] && busiest=$n
done
check "summer noon: traffic drives on the road ($busiest pixels differ)" test "$busiest" -gt 3000

set_clock_format 0
run_at christmas-eve "2026-12-24 21:30:00"
shot=$out/christmas-eve.png
check "Christmas Eve night shows the winter night street" \
  test "$(differing "$shot" 0 $((top + 120)) 1024 106 "$assets/HG01_02_02.bmp" 0 120)" = 0
check "Christmas Eve on a 12-hour clock shows 09:30" clock_shows "$shot" 0930
set_clock_format 1

# An 800 x 600 screen shows the bottom of the 1024 x 660 picture: picture row 60 is screen row 0,
# and the clock's digits stand at row 600 - 426 = 174.
wineserver -k 2>/dev/null; wineserver -w  # Wine learns the screen size when it starts
stop_xvfb
start_xvfb 800x600x24 || exit 1
run_at small-screen "2026-07-01 10:20:00"
shot=$out/small-screen.png
check "800 x 600 shows the lower part of the day street" \
  test "$(differing "$shot" 0 60 800 106 "$assets/HG01_01_01.bmp" 0 120)" = 0
check "800 x 600: the clock shows 10:20" clock_shows "$shot" 1020 174

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
