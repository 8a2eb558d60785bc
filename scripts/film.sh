#!/usr/bin/env bash
# Films one figure: starts it on the real scene at a faked time (Wine, no display needed) and
# puts the stage around it, tick by tick, into one labelled strip. Each picture is labelled with
# the tick since the start, the script's phase, the frame index and the figure's x,y, so that a
# jump between two pictures can be traced to the phase change or frame that makes it.
# Usage: scripts/film.sh FIGURE [options] [output.png]
#   --start "YYYY-MM-DD HH:MM"   faked local time (default 2026-07-01 10:00: a summer day)
#   --background N               background 1..4 (default 1)
#   --every K                    a picture every K ticks (default 1)
#   --frames N                   at most N pictures (default 240)
#   --skip N                     ticks after the start before the first picture
#   --crop WxH                   size of each picture (default 240x200)
#   --columns N                  pictures per row of the strip (default 12)
#   --scale N                    every pixel shown N x N in the strip (default 1)
#   --alone                      no other person, vehicle or aircraft starts meanwhile
#   --seed N  --rate S  --speed N  --ticks N   as for scene_bench
# The output defaults to film-FIGURE.png in the current folder; the single pictures and the log
# (shot tick phase x y frameWidth frameHeight frameIndex variant cropLeft cropTop) stay in film-FIGURE/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QB_BUILD_DIR:-$top/build}
[ $# -ge 1 ] || { sed -n 2,19p "$0"; exit 2; }
figure=$1; shift
columns=12 scale=1 output="" start="2026-07-01 10:00" args=(--background 1)
while [ $# -gt 0 ]; do
  case $1 in
    --columns) columns=$2; shift 2 ;;
    --scale) scale=$2; shift 2 ;;
    --start) start=$2; shift 2 ;;
    --alone) args+=("$1"); shift ;;
    --*) args+=("$1" "$2"); shift 2 ;;
    *) output=$1; shift ;;
  esac
done
output=${output:-film-$figure.png}
shots=${output%.png}
if [ ! -f "$build/saver/QBR02DLE.SCR" ] || [ ! -f "$build/wine/headless/.ready" ]; then
  "$top/scripts/deps.sh" >/dev/null
  "$top/scripts/build.sh" >/dev/null
fi
cmake --build "$build" --target scene_film wine_prefixes >/dev/null
rm -rf "$shots" && mkdir -p "$shots"
"$build/wine-run.sh" "$build/tests/scene_film.exe" "Z:$build/saver/QBR02DLE.SCR" --figure "$figure" \
  --out "Z:$(realpath "$shots")" --start "$start" "${args[@]}"

labelled=()
while read -r shot tick phase x y _w _h frame _rest; do
  [ "$shot" = "#" ] && continue
  labelled+=(-label "t$tick p$phase f$frame $x,$y" "$shots/$(printf 'shot_%05d.bmp' "$shot")")
done <"$shots/log.txt"
[ ${#labelled[@]} -gt 0 ] || { echo "film.sh: no pictures" >&2; exit 1; }
montage "${labelled[@]}" -filter point -resize "$((scale * 100))%" -tile "${columns}x" -geometry +2+2 -font DejaVu-Sans -pointsize 11 -background '#202020' -fill white "$output"
echo "Wrote $output ($((${#labelled[@]} / 3)) pictures; log in $shots/log.txt)"
