#!/usr/bin/env bash
# Makes the README's moving picture again (docs/street.gif): the saver under Xvfb, a few seconds
# by day with the bus at the stop and a few at night, recorded frame by frame and put together
# into a looping GIF. Run it after the pictures or the scripts changed.
# Usage: scripts/make-animation.sh [output.gif]   (default docs/street.gif; builds what is missing)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" >/dev/null
build=${QB_BUILD_DIR:-$top/build}
scr=$build/saver/QBR02DLE.SCR
output=${1:-$top/docs/street.gif}
. "$top/tests/e2e/lib.sh"
wine_env "$build/wine/x11"
frames=$(mktemp -d)
start_xvfb 1024x768x24
trap 'wineserver -k 2>/dev/null; stop_xvfb; rm -rf "$frames"' EXIT

# Records `count` frames of the street at a faked time, `gap` seconds apart, after `settle`
# seconds. The clip is the picture from the clock down: the shelter, the pavement and the road.
record() {  # name "YYYY-MM-DD HH:MM:SS" settle count gap
  local name=$1 when=$2 settle=$3 count=$4 gap=$5 saver i
  "$QB_FAKED_TIME" "$when" wine "$scr" /s >/dev/null 2>&1 &
  saver=$!
  timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' >/dev/null
  sleep "$settle"
  for i in $(seq -w 1 "$count"); do
    import -window root -crop 1024x440+0+274 +repage "$frames/$name-$i.png"
    sleep "$gap"
  done
  kill $saver 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# Day: the bus is due at 12:00 and pulls in within the first seconds; at night every quarter hour.
record day "2026-07-01 11:59:58" 4 40 0.12
record night "2026-12-18 21:44:58" 4 30 0.12

# 8/100 s a frame; a shared colour table keeps the file small and the pixels exact.
convert -delay 8 -loop 0 "$frames"/day-*.png "$frames"/night-*.png -layers OptimizePlus "$output"
echo "Wrote $output ($(du -k "$output" | cut -f1) KB, $(ls "$frames" | wc -l) frames)"
