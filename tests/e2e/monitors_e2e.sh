#!/usr/bin/env bash
# The real saver on a desk of two monitors: an X server with two outputs, the secondary 800 x 600
# monitor left of the 1024 x 768 primary one (so that Windows gives it negative coordinates).
# The window covers both, the street stands on the primary monitor, the secondary one is black,
# and a mouse move on the secondary monitor ends the run.
# Usage: monitors_e2e.sh <QBR02DLE.SCR> <wine prefix> <output folder> <asset folder>
set -u
here=$(dirname "$0")
. "$here/lib.sh"
scr=$1 prefix=$2 out=$3 assets=$4
mkdir -p "$out"
wine_env "$prefix"

# Xvfb lays its screens over each other, so a server with a dummy video driver stands in for the
# two monitors; its outputs are arranged with xrandr as on a real desk.
conf=$(mktemp -d)
cat >"$conf/xorg.conf" <<'CONF'
Section "Device"
  Identifier "card"
  Driver "dummy"
  VideoRam 32000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1024x768" "800x600"
    Virtual 1824 768
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
CONF
XORG_PID=
for n in $(seq 141 180); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  Xorg :$n -config "$conf/xorg.conf" -noreset -nolisten tcp -logfile "$conf/xorg.log" >/dev/null 2>&1 &
  XORG_PID=$!
  export DISPLAY=:$n
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && break 2
    kill -0 $XORG_PID 2>/dev/null || break
    sleep 0.1
  done
  XORG_PID=
done
cleanup() {
  wineserver -k 2>/dev/null
  [ -n "$XORG_PID" ] && kill $XORG_PID 2>/dev/null && wait $XORG_PID 2>/dev/null
  rm -rf "$conf"
}
trap cleanup EXIT
if [ -z "$XORG_PID" ]; then
  echo "FAIL - no X server with two monitors could be started"
  tail -n 20 "$conf/xorg.log" 2>/dev/null
  exit 1
fi
xrandr --fb 1824x768
xrandr --addmode DUMMY1 800x600 2>/dev/null
xrandr --output DUMMY1 --mode 800x600 --pos 0x0 --output DUMMY0 --mode 1024x768 --pos 800x0 --primary
check "the X server has two monitors" test "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2"

# Wine learns the monitors when its server starts.
wineserver -k 2>/dev/null; wineserver -w

xdotool mousemove --sync 100 100
"$QB_FAKED_TIME" "2026-07-01 12:34:00" wine "$scr" /s >/dev/null 2>&1 &
saver=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n 1)
check "full-screen window appears" test -n "$win"
[ -n "$win" ] || exit 1
check "the window covers both monitors" grep -q "Geometry: 1824x768" <<<"$(xdotool getwindowgeometry "$win")"
sleep 3
shot=$out/two-monitors.png
import -window root "$shot"

# The primary monitor shows the scene as a single 1024 x 768 screen does: the picture 54 rows
# down, its houses band as painted, the clock's digits at (40, 288) showing 12:34.
top=54
check "the street stands on the primary monitor" \
  test "$(differing "$shot" 800 $((top + 120)) 1024 106 "$assets/HG01_01_01.bmp" 0 120)" = 0
n=0
digits=1234
for i in 0 1 2 3; do
  d=${digits:$i:1}
  x=$((800 + 40 + (i == 1 ? 14 : i == 2 ? 33 : i == 3 ? 48 : 0)))
  n=$((n + $(differing "$shot" $x 288 14 26 "$assets/UHR_00.bmp" $((14 * d)) 0)))
done
check "the clock on the primary monitor shows 12:34" test "$n" = 0
lit=$(convert "$shot" -crop 800x768+0+0 +repage -threshold 0 -format '%[fx:int(mean*w*h)]' info:)
check "the secondary monitor is black ($lit pixels lit)" test "$lit" = 0

xdotool mousemove --sync 300 400
timeout 20 tail --pid=$saver -f /dev/null
if kill -0 $saver 2>/dev/null; then
  check "a mouse move on the secondary monitor ends the run" false
  kill $saver 2>/dev/null
else
  wait $saver; rc=$?
  check "a mouse move on the secondary monitor ends the run with 0 (got $rc)" test "$rc" = 0
fi

echo "$PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
