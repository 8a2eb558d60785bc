#!/usr/bin/env bash
# The mail check on the real saver under Xvfb, with our stand-in mail client (MAPI32.DLL beside a
# copy of the saver, preferred to Wine's own by a DLL override). The stand-in counts its loads in
# the registry and is told there how many messages are unread at the start and how many arrive
# after the first count. Without the win.ini mail key the library is never loaded; with mail that
# was already unread at the start the first plane tows the ordinary banner; when more mail has
# come in, it tows the NEW MAIL banner.
# Usage: mail_check_e2e.sh <QBR02DLE.SCR> <MAPI32.DLL> <wine prefix> <output folder> <asset folder>
set -u
. "$(dirname "$0")/lib.sh"
scr=$1 double=$2 prefix=$3 out=$4 assets=$5
mkdir -p "$out/saver"
cp "$scr" "$out/saver/QBR02DLE.SCR"
cp "$double" "$out/saver/MAPI32.DLL"
wine_env "$prefix"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mapi32=n"
winini=$prefix/drive_c/windows/win.ini
cp "$winini" "$out/win.ini.saved"
start_xvfb 1024x768x24 || exit 1
key='HKCU\Software\QuellbrandTests\MapiDouble'
trap 'wineserver -k 2>/dev/null; wine reg delete "$key" /f >/dev/null 2>&1; wineserver -k 2>/dev/null
      cp "$out/win.ini.saved" "$winini"; stop_xvfb' EXIT
steer() {  # name value
  wine reg add "$key" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}
loads() {
  local v
  v=$(wine reg query "$key" /v Loads 2>/dev/null | tr -d '\r' | awk '$1 == "Loads" {print $3}')
  echo $((${v:-0}))
}

# The [mail] section of win.ini with MAPI=value, or none at all without a value.
mail_key() {  # [value]
  wineserver -w
  awk -v v="${1:-}" '
    /^\[/ { skip = tolower($0) ~ /^\[mail\]/ }
    !skip { print }
    END { if (v != "") printf "[mail]\r\nMAPI=%s\r\n", v }' "$out/win.ini.saved" >"$winini"
}

# On 1024 x 768 the picture stands 54 rows down; whatever flies does so in rows 43..159, above the
# houses. What the sky band shows without a flying object: the picture, black above it.
band_top=40 band_h=124
convert -size 1024x768 xc:black "$assets/HG01_01_01.bmp" -geometry +0+54 -composite "$out/street.png"

# Bounding box "w h x y" of what differs from the street in the sky band of a screenshot.
sky_box() {  # shot
  convert \( "$1" -crop "1024x$band_h+0+$band_top" +repage \) \
    \( "$out/street.png" -crop "1024x$band_h+0+$band_top" +repage \) \
    -compose difference -composite -threshold 0 -format "%@" info: 2>/dev/null | tr 'x+' '  '
}

# Which flying picture the box shows: each picture is laid over the street with its opaque
# bounding box on the box found; the one that leaves (next to) no pixel different wins.
# Prints "FLUGt_kk differing-pixels".
flying_picture() {  # shot bx by
  local best= bestn=999999 p pw ph px py n
  for p in "$assets"/FLUG?_0?.bmp; do
    read -r pw ph px py <<<"$(convert "$p" -transparent '#FF00FF' -format '%@' info: | tr 'x+' '  ')"
    n=$(convert "$out/street.png" \( "$p" -transparent '#FF00FF' \) \
          -geometry "$(printf '%+d%+d' $(($2 - px)) $(($3 + band_top - py)))" -composite \
          -crop "1024x$band_h+0+$band_top" +repage \
          \( "$1" -crop "1024x$band_h+0+$band_top" +repage \) -compose difference -composite \
          -threshold 0 -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
    if [ -n "$n" ] && [ "$n" -lt "$bestn" ]; then best=$(basename "$p" .bmp) bestn=$n; fi
  done
  echo "$best $bestn"
}

# Starts the saver at a frozen local time (a summer morning, the minute of no bus), waits for the
# first flying object to be wholly in view and names its picture; "none" when nothing came.
first_flight() {  # name "HH:MM:SS"
  local name=$1 saver win i shot box w h x y seen=none
  "$QB_FAKED_TIME" "2026-07-01 $2" wine "$out/saver/QBR02DLE.SCR" /s \
    >/dev/null 2>&1 &
  saver=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n 1)
  if [ -n "$win" ]; then
    for i in $(seq 1 60); do
      sleep 0.5
      shot=$out/$name.png
      import -window root "$shot"
      read -r w h x y <<<"$(sky_box "$shot")"
      # in whole: its right edge (and the 10 columns it puts the sky back on) inside the screen
      if [ "${w:-0}" -ge 40 ] 2>/dev/null && [ $((x + w)) -le 1010 ]; then
        seen=$(flying_picture "$shot" "$x" "$y")
        break
      fi
    done
  fi
  kill $saver 2>/dev/null; wineserver -k 2>/dev/null; wait $saver 2>/dev/null
  echo "$seen"
}

# Tries start seconds until the first flying object is a plane (seven starts in twelve).
first_plane() {  # name
  local s seen
  for s in 10 11 12 13 14 15; do
    seen=$(first_flight "$1-$s" "10:31:$s")
    echo "     $1, start 10:31:$s: ${seen}" >&2
    case $seen in FLUG[12]_*) echo "$seen"; return ;; esac
  done
  echo none
}

# 1. Without the mail key, or with it at 0, the saver runs and never loads the mail library.
wine reg delete "$key" /f >/dev/null 2>&1
steer Unread 3
for value in "" 0; do
  what=$([ -z "$value" ] && echo "without the mail key" || echo "with MAPI=$value")
  mail_key $value
  "$QB_FAKED_TIME" "2026-07-01 10:31:10" wine "$out/saver/QBR02DLE.SCR" /s \
    >/dev/null 2>&1 &
  saver=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n 1)
  check "$what the saver runs" test -n "$win"
  sleep 3
  kill $saver 2>/dev/null; wineserver -k 2>/dev/null; wait $saver 2>/dev/null
  check "$what the mail library is never loaded ($(loads) loads)" test "$(loads)" = 0
done

# 2. With the key and three messages unread at the start, and none coming in: the ordinary banner.
mail_key 1
steer Unread 3
steer Arriving 0
seen=$(first_plane baseline)
check "with the mail key the saver loads the mail library ($(loads) loads)" test "$(loads)" -ge 1
check "mail that was unread at the start brings the ordinary banner (saw ${seen% *})" \
  test "$(echo $seen | cut -d_ -f1)" = FLUG1 -a "${seen#* }" -lt 50

# 3. Two more messages come in after the start: the NEW MAIL banner.
steer Arriving 2
seen=$(first_plane new-mail)
check "new mail brings the NEW MAIL banner (saw ${seen% *})" \
  test "$(echo $seen | cut -d_ -f1)" = FLUG2 -a "${seen#* }" -lt 50

echo "mail_check_e2e: $PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
