#!/usr/bin/env bash
# The enlargement on big screens. Under an Xvfb screen of 3840 x 2160: the seeded scene enlarged
# against the plain one (zoom_compare_tests), then the real full-screen run at 3x; the compare once
# more on a 16-bit screen; under 2560 x 1440 the run at 2x, and with the option off at its own size
# in the middle of the screen. The shots are checked against the saver's own pictures enlarged by
# pixel repetition.
# Usage: zoom_e2e.sh <QBR02DLE.SCR> <wine prefix> <output folder> <zoom_compare_tests.exe> <asset folder>
set -u
here=$(dirname "$0")
. "$here/lib.sh"
scr=$1 prefix=$2 out=$3 compare=$4 assets=$5
mkdir -p "$out"
wine_env "$prefix"
key='HKCU\Software\Kestrova\ScreenSaver\Quellbrand 2 LE'
cleanup() {
  wine reg delete "$key" /v Zoom /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  stop_xvfb
}
trap cleanup EXIT

# Pixels that differ between a crop of the shot and a crop of a picture enlarged n times.
differing_enlarged() {  # shot x y w h picture px py pw ph n
  local a b
  a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
  convert "$1" -crop "$4x$5+$2+$3" +repage "$a"
  convert "$6" -crop "$9x${10}+$7+$8" +repage -sample "$((100 * ${11}))%" "$b"
  compare -metric AE "$a" "$b" null: 2>&1
  rm -f "$a" "$b"
}
# Pixels of the shot that differ from the shot shrunk n times and enlarged again: 0 when every
# n x n block is of one colour.
unblocked() {  # shot width height n
  local a
  a=$(mktemp --suffix=.png)
  convert "$1" -sample "$(($2 / $4))x$(($3 / $4))!" -sample "$2x$3!" "$a"
  compare -metric AE "$1" "$a" null: 2>&1
  rm -f "$a"
}

# The full-screen run at 12:34 on 1 July; the scene screen is 1280 x 720 at 2x and 3x, so the
# picture stands 128 columns in and 30 rows down (in picture pixels), the clock at (168, 264).
run_saver() {  # run_saver name
  xdotool mousemove --sync 5 5
  "$QB_FAKED_TIME" "2026-07-01 12:34:00" wine "$scr" /s >/dev/null 2>&1 &
  saver=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n 1)
  check "$1: the full-screen window appears" test -n "$win"
  sleep 4
  shot=$out/$1.png
  import -window root "$shot"
}
end_saver() {  # end_saver name x y: a mouse move there ends the run
  xdotool mousemove --sync "$2" "$3"
  timeout 20 tail --pid=$saver -f /dev/null
  if kill -0 $saver 2>/dev/null; then
    check "$1: a mouse move at ($2, $3) ends the run" false
    kill $saver 2>/dev/null
  else
    wait $saver
    check "$1: a mouse move at ($2, $3) ends the run" true
  fi
  wineserver -k 2>/dev/null; wineserver -w
}
check_enlarged() {  # check_enlarged name n width height
  local n=$2 left=$((128 * $2)) top=$((30 * $2)) d i x
  check "$1: every ${n} x ${n} block is of one colour" test "$(unblocked "$shot" "$3" "$4" "$n")" = 0
  check "$1: the houses stand enlarged ${n} times" \
    test "$(differing_enlarged "$shot" $left $((top + 120 * n)) $((1024 * n)) $((106 * n)) \
      "$assets/HG01_01_01.bmp" 0 120 1024 106 "$n")" = 0
  d=0
  for i in 0 1 2 3; do
    x=$((168 + (i == 1 ? 14 : i == 2 ? 33 : i == 3 ? 48 : 0)))
    d=$((d + $(differing_enlarged "$shot" $((x * n)) $((264 * n)) $((14 * n)) $((26 * n)) \
      "$assets/UHR_00.bmp" $((14 * ${digits:$i:1})) 0 14 26 "$n")))
  done
  check "$1: the clock shows 12:34 enlarged ${n} times" test "$d" = 0
}
digits=1234

start_xvfb 3840x2160x24
wineserver -k 2>/dev/null; wineserver -w
wine "$compare" "Z:$scr" >"$out/compare.txt" 2>&1
rc=$?
tr -d '\r' <"$out/compare.txt" | grep -E '^\[ *(OK|FAILED|PASSED) *\]|Failure|Expected|Which is|actual' | head -n 30
check "the seeded scene enlarged equals the plain one, block for block" test "$rc" = 0

run_saver 3840x2160
check_enlarged 3840x2160 3 3840 2160
end_saver 3840x2160 3700 2000
stop_xvfb

# On a display of 16 bits per pixel the enlargement takes the other way (StretchBlt).
start_xvfb 3840x2160x16
wineserver -k 2>/dev/null; wineserver -w
wine "$compare" "Z:$scr" >"$out/compare-16bit.txt" 2>&1
rc=$?
check "at 16 bits per pixel too, block for block" test "$rc" = 0
stop_xvfb

start_xvfb 2560x1440x24
wineserver -k 2>/dev/null; wineserver -w
run_saver 2560x1440
check_enlarged 2560x1440 2 2560 1440
end_saver 2560x1440 2500 1400

wine reg add "$key" /v Zoom /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
run_saver 2560x1440-off
# At its own size the picture stands in the middle: 768 columns in, 390 rows down.
check "option off: the houses stand at their own size in the middle" \
  test "$(differing "$shot" 768 $((390 + 120)) 1024 106 "$assets/HG01_01_01.bmp" 0 120)" = 0
lit=$(convert "$shot" -crop 700x300+0+0 +repage -threshold 0 -format '%[fx:int(mean*w*h)]' info:)
check "option off: the corner beside the picture is black ($lit pixels lit)" test "$lit" = 0
end_saver 2560x1440-off 100 100

echo "$PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
