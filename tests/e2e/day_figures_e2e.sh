#!/usr/bin/env bash
# The day passers-by on the real saver under Xvfb. The hooded figure comes in about one scene
# start in seven; the random generator is seeded from the clock, so each faked start second is
# its own scene. Starts are tried until one brings the figure, which must then stand at an
# edge of the stage with its feet on its ground row. A later screenshot shows the street with
# whoever has come by then. Usage: day_figures_e2e.sh <QBR02DLE.SCR> <wine prefix> <output folder> <asset folder>
set -u
. "$(dirname "$0")/lib.sh"
scr=$1 prefix=$2 out=$3 assets=$4
mkdir -p "$out"
wine_env "$prefix"
start_xvfb 1024x768x24 || exit 1
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT

# The 1024 x 660 picture stands 54 rows down the screen; the stage is its lowest 358 rows.
# Standing, the figure's frames are 75 rows high and drawn 76 + 198 rows above the stage's
# bottom, so its feet are on screen row 54 + 660 - 76 - 198 + 74.
top=54 feet=$((54 + 660 - 76 - 198 + 74))
band_top=$((feet - 80)) band_h=84

# Bounding box "w h x y" of the pixels in which a screenshot band differs from the picture.
changed_box() {  # shot x w
  convert \( "$1" -crop "$3x$band_h+$2+$band_top" +repage \) \
    \( "$assets/HG01_01_01.bmp" -crop "$3x$band_h+$2+$((band_top - top))" +repage \) \
    -compose difference -composite -threshold 0 -format "%@" info: 2>/dev/null | tr 'x+' '  '
}

# Starts the saver at a faked time and takes a screenshot a second after its window appears.
shot_at() {  # file "YYYY-MM-DD HH:MM:SS" [seconds to wait]
  "$QB_FAKED_TIME" "$2" wine "$scr" /s >/dev/null 2>&1 &
  local saver=$!
  timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' >/dev/null 2>&1
  sleep "${3:-1}"
  import -window root "$1"
  kill $saver 2>/dev/null; wineserver -k 2>/dev/null; wait $saver 2>/dev/null
}

# On a 1024-pixel stage it stands at x = 5..20 or x = 1024 - 85 - 0..35, 48 wide.
found=
for s in $(seq 0 39); do
  shot=$out/day-start-$s.png
  shot_at "$shot" "2026-07-01 10:30:$(printf %02d $((s % 60)))"
  read -r lw lh lx ly <<<"$(changed_box "$shot" 0 80)"
  read -r rw rh rx ry <<<"$(changed_box "$shot" 890 110)"
  # a figure elsewhere on the band (at start only a few others come) leaves the edges alone
  if [ "${lw:-0}" -ge 20 ] 2>/dev/null; then found=left box="$lw $lh $lx $ly"; fi
  if [ "${rw:-0}" -ge 20 ] 2>/dev/null; then found=right box="$rw $rh $((rx + 890)) $ry"; fi
  [ -n "$found" ] && break
  rm -f "$shot"
done
check "within 40 day starts the hooded figure stands at an edge" test -n "$found"
if [ -n "$found" ]; then
  read -r w h x y <<<"$box"
  echo "     at the $found edge: ${w}x$h at column $x, band row $y (start $s)"
  check "it stands right at the edge (columns $x..$((x + w - 1)))" \
    test "$([ $found = left ] && echo $((x >= 5 && x + w <= 68)) || echo $((x >= 904 && x + w <= 988)))" = 1
  check "its feet are on its ground row $feet (lowest changed row $((band_top + y + h - 1)))" \
    test $((band_top + y + h - 1)) = $feet
  check "it is a whole figure, not a speck (${w}x$h)" test "$h" -ge 50 -a "$w" -le 56
  cp "$shot" "$out/day-start-figure20.png"
fi

# The street some time into a summer morning and a winter one.
shot_at "$out/day-summer.png" "2026-07-01 11:20:00" 45
shot_at "$out/day-winter.png" "2026-01-14 11:20:00" 45
# Above the stage the street is the season's picture, untouched by the figures.
for season in summer:01 winter:02; do
  a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
  convert "$out/day-${season%:*}.png" -crop "1024x106+0+$((top + 120))" +repage "$a"
  convert "$assets/HG01_01_${season#*:}.bmp" -crop 1024x106+0+120 +repage "$b"
  check "the ${season%:*} morning shows the ${season%:*} street" test "$(compare -metric AE "$a" "$b" null: 2>&1)" = 0
  rm -f "$a" "$b"
done

echo "day_figures_e2e: $PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
