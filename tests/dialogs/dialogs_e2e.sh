#!/usr/bin/env bash
# The configuration process as a user meets it: `QBR02DLE.SCR /c` on a virtual X screen, driven
# with real key presses, then the values it stored read back with `wine reg query`.
# Usage: dialogs_e2e.sh <QBR02DLE.SCR> <wine prefix> <output folder>
set -u
here=$(dirname "$0")
. "$here/../e2e/lib.sh"
scr=$1 prefix=$2 out=$3
mkdir -p "$out"
wine_env "$prefix"
settings='HKCU\Software\Kestrova\ScreenSaver\Quellbrand 2 LE'
intl='HKCU\Control Panel\International'

start_xvfb 1024x768x24 || exit 1

# A German clock (24 hours, no designators) for the time of the run; the prefix's own comes back after.
wine reg export "$intl" "$out/intl-saved.reg" /y >/dev/null 2>&1
restore() {
  wineserver -k 2>/dev/null
  wine reg delete "$settings" /f >/dev/null 2>&1
  [ -s "$out/intl-saved.reg" ] && wine reg import "$out/intl-saved.reg" >/dev/null 2>&1
  wineserver -w 2>/dev/null
  stop_xvfb
}
trap restore EXIT
wine reg add "$intl" /v iTime /d 1 /f >/dev/null 2>&1
wine reg add "$intl" /v s1159 /d "" /f >/dev/null 2>&1
wine reg add "$intl" /v s2359 /d "" /f >/dev/null 2>&1
wine reg delete "$settings" /f >/dev/null 2>&1

# Prints a stored DWORD in decimal, or nothing when it is not there.
stored() {
  local hex
  hex=$(wine reg query "$settings" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name && $2 == "REG_DWORD" { print $3 }')
  [ -n "$hex" ] && printf '%d' "$hex"
}

find_dialog() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# Run 1: three steps slower, then "weitere Optionen": night one hour later, OK there, Cancel here.
wine "$scr" /c >/dev/null 2>&1 &
config=$!
dlg=$(find_dialog '  Kestrova Quellbrand 2 LE')
check "configuration dialog appears" test -n "$dlg"
if [ -n "$dlg" ]; then
  sleep 0.5
  import -window "$dlg" "$out/config-dialog.png"
  xdotool windowfocus --sync "$dlg" >/dev/null 2>&1
  xdotool key alt+g Left Left Left alt+o
  more=$(find_dialog '  Weitere Optionen')
  check "more-options dialog opens from its button" test -n "$more"
  if [ -n "$more" ]; then
    sleep 0.8  # the preview is shown once more after 50 ms
    import -window "$more" "$out/more-options-dialog.png"
    xdotool windowfocus --sync "$more" >/dev/null 2>&1
    xdotool key alt+n Right Return
    sleep 0.5
  fi
  xdotool windowfocus --sync "$dlg" >/dev/null 2>&1
  xdotool key Escape
fi
timeout 20 tail --pid=$config -f /dev/null
wait $config; rc=$?
check "the configuration process ends with 0 (got $rc)" test "$rc" = 0
check "more-options OK stored Nacht 21, kept after Cancel (got '$(stored Nacht)')" test "$(stored Nacht)" = 21
check "and with it the speed shown then, 126 (got '$(stored Speed)')" test "$(stored Speed)" = 126
loaded="$(stored Tag) $(stored Winter) $(stored Wintermonate) $(stored Sound)"
check "Tag, Winter, Wintermonate and Sound stored as loaded, 8 12 3 1 (got '$loaded')" test "$loaded" = "8 12 3 1"

# Run 2: the bar opens at the stored 126; one step faster and Return (OK) stores 127.
wine "$scr" /c >/dev/null 2>&1 &
config=$!
dlg=$(find_dialog '  Kestrova Quellbrand 2 LE')
check "configuration dialog appears again" test -n "$dlg"
if [ -n "$dlg" ]; then
  sleep 0.3
  xdotool windowfocus --sync "$dlg" >/dev/null 2>&1
  xdotool key alt+g Right Return
fi
timeout 20 tail --pid=$config -f /dev/null
wait $config; rc=$?
check "OK ends the process with 0 (got $rc)" test "$rc" = 0
check "OK stored Speed 127 (got '$(stored Speed)')" test "$(stored Speed)" = 127
check "Nacht still 21 (got '$(stored Nacht)')" test "$(stored Nacht)" = 21

echo "$PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
