#!/usr/bin/env bash
# setup.exe as a user meets it, under Xvfb in a Wine prefix of its own: the screens, every way
# through the dialogs, what an installation leaves behind, the uninstall command, and the failures.
# Usage: setup_e2e.sh <setup.exe> <QBR02DLE.SCR> <window_texts.exe> <BUS.bmp> <wine prefix> <output folder>
set -u
here=$(dirname "$0")
. "$here/../e2e/lib.sh"
setup=$(realpath "$1") scr=$(realpath "$2") texts_exe=$(realpath "$3") bus=$(realpath "$4")
prefix=$(realpath "$5") out=$(realpath -m "$6")
rm -rf "$out"
mkdir -p "$out"
wine_env "$prefix"
windows=$prefix/drive_c/windows
sys=$windows/system32
title='Kestrova Quellbrand 2 LE'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellbrand 2 LE'
settings_key='HKCU\Software\Kestrova\ScreenSaver\Quellbrand 2 LE'

# Setup folders: the saver as it is, LZ-compressed (as on the old floppies), cut off, and missing.
for kind in plain szdd corrupt empty zero header notprogram; do
  mkdir -p "$out/$kind" && cp "$setup" "$out/$kind/setup.exe"
done
cp "$scr" "$out/plain/QBR02DLE.SCR"
# mscompress takes seconds for a saver of this size; keep its result for as long as the saver stays the same.
cache=$out.cache/$(sha1sum "$scr" | cut -c1-40).szdd
if [ ! -f "$cache" ]; then
  rm -rf "$out.cache" && mkdir -p "$out.cache"
  cp "$scr" "$out.cache/QBR02DLE.SCR" && mscompress "$out.cache/QBR02DLE.SCR" && mv "$out.cache/QBR02DLE.SCR_" "$cache"
  rm -f "$out.cache/QBR02DLE.SCR"
fi
cp "$cache" "$out/szdd/QBR02DLE.SCR"
head -c $(( $(stat -c %s "$out/szdd/QBR02DLE.SCR") / 2 )) "$out/szdd/QBR02DLE.SCR" >"$out/corrupt/QBR02DLE.SCR"
check "the LZ file really is compressed" test "$(head -c 4 "$out/szdd/QBR02DLE.SCR")" = SZDD
# Sources that give no Windows program: empty, an LZ file cut inside its 14-byte header, and a
# sound LZ file of something else (the bus picture).
: >"$out/zero/QBR02DLE.SCR"
head -c 10 "$out/szdd/QBR02DLE.SCR" >"$out/header/QBR02DLE.SCR"
cp "$bus" "$out/notprogram/QBR02DLE.SCR" && mscompress "$out/notprogram/QBR02DLE.SCR" &&
  mv "$out/notprogram/QBR02DLE.SCR_" "$out/notprogram/QBR02DLE.SCR"
convert "$bus" "$out/bus.png"

# --- helpers ---------------------------------------------------------------------------------
texts() { wine "$texts_exe" "$1" 2>/dev/null | tr -d '\r' | iconv -f CP1252 -t UTF-8; }
# Waits until a visible window with this title shows the text in one of its controls.
wait_text() {
  local i
  for i in $(seq 1 60); do texts "$1" | grep -qF -- "$2" && return 0; sleep 0.2; done
  echo "  no window '$1' showing '$2'" >&2
  return 1
}
start_setup() { (cd "$out/$1" && exec wine setup.exe >/dev/null 2>&1) & SETUP_PID=$!; }
# Waits for setup to end; true when its exit code is 0.
setup_ends_with_0() {
  timeout 15 tail --pid=$SETUP_PID -f /dev/null 2>/dev/null || { kill $SETUP_PID 2>/dev/null; return 1; }
  wait $SETUP_PID
}
# A visible window with this title has a control showing exactly this "<id> <class>: <text>".
shows() { texts "$1" | grep -qxF -- "$2"; }
no_window() { ! wine "$texts_exe" "$1" >/dev/null 2>&1; }
to_install_dialog() {
  wait_text "$title" '1 Button: Ja' && xdotool key Tab space && wait_text "$title" '1 Button: &Installieren'
}
shot() { import -window root "$out/$1.png"; }
# The picture "BUS" at exactly this place on the screen.
picture_at() {
  convert "$out/$1.png" -crop "352x114+$2+$3" +repage "$out/$1-crop.png"
  test "$(compare -metric AE "$out/$1-crop.png" "$out/bus.png" null: 2>&1)" = 0
}
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }
not() { ! "$@"; }
saver_in_ini() { sed -n '/^\[boot\]/I,/^\[/p' "$windows/system.ini" | tr -d '\r' | sed -n 's/^SCRNSAVE.EXE=//Ip'; }

# What every run starts from: nothing installed, a delay of 90 seconds, some saver settings.
reset_state() {
  # A setup left over from a failed check would answer for the next one.
  if [ -n "${SETUP_PID:-}" ] && kill -0 "$SETUP_PID" 2>/dev/null; then wineserver -k; wineserver -w; fi
  chattr -i "$sys/QBR02DLE.SCR" 2>/dev/null
  rm -rf "$sys/QBR02DLE.SCR" "$sys/QBR02DLE.SC_" "$sys/QBR02DLE.TMP" "$sys/QBR02DLE.TM_" "$windows/inf/QBR02DLE.INF"
  [ -f "$windows/system.ini" ] && sed -i '/^SCRNSAVE.EXE=/Id' "$windows/system.ini"
  printf '%s\r\n' 'REGEDIT4' '' \
    '[-HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellbrand 2 LE]' \
    '[-HKEY_CURRENT_USER\Software\Kestrova\ScreenSaver\Quellbrand 2 LE]' \
    '[HKEY_CURRENT_USER\Software\Kestrova\ScreenSaver\Quellbrand 2 LE]' '"Geschwindigkeit"=dword:00000050' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"ScreenSaveTimeOut"="90"' '"ScreenSaveActive"="0"' '' \
    >"$out/reset.reg"
  wine regedit /S "$(winepath -w "$out/reset.reg" 2>/dev/null)" >/dev/null 2>&1
}
# Nothing but the saver itself: no copy under a temporary or an LZ-mangled name.
no_stray_files() { test -z "$(ls -A "$sys" | grep -i '^qbr02dle\.' | grep -vix qbr02dle.scr)"; }
nothing_installed() {
  no_stray_files && test ! -e "$sys/QBR02DLE.SCR" && test ! -e "$windows/inf/QBR02DLE.INF" && test -z "$(saver_in_ini)" &&
    not has_key "$uninstall_key" && test "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveTimeOut)" = 90
}
# Installs from a folder with the given field input; the messages must come in this order.
install_with() {
  local folder=$1 input=$2; shift 2
  start_setup "$folder"
  to_install_dialog || return 1
  [ -n "$input" ] && xdotool type --delay 50 "$input"
  xdotool key Return
  local message
  for message in "$@"; do
    wait_text Setup "$message" || return 1
    MESSAGE_SHOTS=$((${MESSAGE_SHOTS:-0} + 1))
    shot "message-$MESSAGE_SHOTS"
    xdotool key Return
    sleep 0.3
  done
}

start_xvfb 1024x768x24 || exit 1
# Nothing may stay immutable after the run, whatever ends it.
trap 'chattr -i "$sys/QBR02DLE.SCR" 2>/dev/null; wineserver -k 2>/dev/null; stop_xvfb' EXIT

# --- "Nein" in the terms dialog ---------------------------------------------------------------
reset_state
start_setup plain
wait_text "$title" '1 Button: Ja'
check "terms dialog: welcome first, both buttons" \
  wait_text "$title" '1006 Edit: Willkommen bei der QUELLBRAND 2 LE.||||Mit der Installation des Programms auf Ihrem Rechner erklären Sie sich'
shot terms
check "1024 x 768: the picture's top-left corner is at (632, 629)" picture_at terms 632 629
check "the screen around it is black" test "$(pixel "$out/terms.png" 100 700)" = "0,0,0"
xdotool key Tab Tab space   # from the text over "Ja" to "Nein"
check "\"Nein\" ends setup with 0" setup_ends_with_0
check "\"Nein\" leaves the system untouched" nothing_installed

# --- "Abbrechen" asks first ------------------------------------------------------------------
reset_state
start_setup plain
to_install_dialog
check "a system delay of 90 seconds shows 1 minute" shows "$title" '1006 Edit: 1'
shot install
xdotool key Escape
check "\"Abbrechen\" asks \"Installation abbrechen?\"" wait_text Setup 'Installation abbrechen?'
shot cancel-question
xdotool key Tab space       # "No"
sleep 0.5
check "answering No keeps the install dialog" wait_text "$title" '1 Button: &Installieren'
check "... and closes the question" no_window Setup
xdotool key Escape
wait_text Setup 'Installation abbrechen?' && xdotool key Return   # "Yes"
check "answering Yes ends setup with 0" setup_ends_with_0
check "cancelling leaves the system untouched" nothing_installed

# --- installing: 10 minutes, from the plain file ---------------------------------------------
reset_state
install_with plain 10 'Die Installation ist beendet.|Weitere Einstellungen (Tag/Nacht, Sommer/Winter etc.) können Sie über die Systemsteuerung vornehmen.' &&
  check "installation ends with its message and 0" setup_ends_with_0
check "the saver is in the system directory byte for byte" cmp -s "$scr" "$sys/QBR02DLE.SCR"
ini_path=$(saver_in_ini)
check "SYSTEM.INI [boot] SCRNSAVE.EXE names it (got '$ini_path')" test "$ini_path" = 'C:\windows\system32\QBR02DLE.SCR'
check "10 minutes become a delay of 600 seconds" test "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveTimeOut)" = 600
check "the screen saver is switched on" test "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveActive)" = 1
script=$windows/inf/QBR02DLE.INF
check "the uninstall script has 39 lines" test "$(tr -cd '\n' <"$script" | wc -c)" = 39
check "... each ending with CR LF" test "$(grep -c $'\r$' "$script")" = 39
check "... line 15 is the file named in SYSTEM.INI" test "$(sed -n 15p "$script" | tr -d '\r')" = "${ini_path##*\\}"
check "uninstall entry: DisplayName" test "$(reg_value "$uninstall_key" DisplayName)" = "$title"
command=$(reg_value "$uninstall_key" UninstallString)
check "uninstall entry: UninstallString" \
  test "$command" = 'RunDLL32 advpack.dll,LaunchINFSection QBR02DLE.INF,DefaultUninstall'

# --- the uninstall command, as the software list runs it --------------------------------------
wine $command >/dev/null 2>&1 &
uninstaller=$!
# Wine's INF installer goes without the prompts; where they come, they are answered.
prompts=0
deadline=$((SECONDS + 20))
while kill -0 $uninstaller 2>/dev/null && [ $SECONDS -lt $deadline ]; do
  if texts "$title" | grep -qF -e 'wird gelöscht, Fortfahren?' -e 'wurde gelöscht'; then
    xdotool key Return
    prompts=$((prompts + 1))
  fi
  sleep 0.2
done
echo "  (the uninstall command showed $prompts prompts)"
check "uninstalling removes the saver" test ! -e "$sys/QBR02DLE.SCR"
check "... the script" test ! -e "$script"
check "... the uninstall entry" not has_key "$uninstall_key"
check "... and the saver's settings" not has_key "$settings_key"

# --- installing: letters in the field, from an LZ-compressed file -----------------------------
reset_state
start_setup szdd
to_install_dialog
xdotool key BackSpace && xdotool type --delay 50 abc && xdotool key Return
wait_text Setup 'Die Installation ist beendet.'
check "letters in the field are corrected to 1" shows "$title" '1006 Edit: 1'
check "... while the status line reports the end" shows "$title" '1019 Static: Die Installation ist beendet.'
shot installed
xdotool key Return
check "LZ installation ends with 0" setup_ends_with_0
check "letters install a delay of 60 seconds" test "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveTimeOut)" = 60
check "the LZ file is expanded into the saver byte for byte" cmp -s "$scr" "$sys/QBR02DLE.SCR"
check "... and no temporary copy stays" no_stray_files

# --- a minute count whose seconds do not fit ---------------------------------------------------
reset_state
start_setup plain
to_install_dialog
xdotool type --delay 50 71582800 && xdotool key Return
wait_text Setup 'Die Installation ist beendet.'
check "71582800 minutes are corrected to 1" shows "$title" '1006 Edit: 1'
xdotool key Return
check "... setup ends with 0" setup_ends_with_0
check "... and install a delay of 60 seconds, not a wrapped-round one" \
  test "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveTimeOut)" = 60

# --- failures ----------------------------------------------------------------------------------
reset_state
missing="$(winepath -w "$out/empty" 2>/dev/null)\\QBR02DLE.SCR"
check "no saver beside setup: its full path, then the abort message" \
  install_with empty '' "Datei $missing nicht gefunden!" 'Fehler! Die Installation wird abgebrochen.'
check "... setup ends with 0" setup_ends_with_0
check "... and nothing is installed" nothing_installed

reset_state
# The target's name taken by a folder.
mkdir "$sys/QBR02DLE.SCR"
check "a target that cannot be created is named" \
  install_with plain '' 'Kann C:\windows\system32\QBR02DLE.SCR nicht kopieren!' 'Fehler! Die Installation wird abgebrochen.'
check "... setup ends with 0" setup_ends_with_0
check "... and SYSTEM.INI is untouched" test -z "$(saver_in_ini)"
check "... and no stray file stays" test ! -e "$sys/QBR02DLE.SC_" -a ! -e "$sys/QBR02DLE.TMP"
rmdir "$sys/QBR02DLE.SCR"

for kind in corrupt zero header notprogram; do
  reset_state
  check "a broken source ($kind) is reported as a damaged disk" \
    install_with $kind '' 'Die Installationsdiskette ist möglicherweise beschädigt!' 'Fehler! Die Installation wird abgebrochen.'
  check "... setup ends with 0" setup_ends_with_0
  check "... and no broken saver stays in the system directory" nothing_installed
done

# A failed re-install keeps the working installation that SYSTEM.INI and the uninstall entry name.
reset_state
install_with plain 10 'Die Installation ist beendet.' && setup_ends_with_0
check "re-install: first a working installation" cmp -s "$scr" "$sys/QBR02DLE.SCR"
check "a re-install from a cut-off LZ file fails" \
  install_with corrupt '' 'Die Installationsdiskette ist möglicherweise beschädigt!' 'Fehler! Die Installation wird abgebrochen.'
check "... setup ends with 0" setup_ends_with_0
check "... the installed saver is kept byte for byte" cmp -s "$scr" "$sys/QBR02DLE.SCR"
check "... SYSTEM.INI still names it" test "$(saver_in_ini)" = 'C:\windows\system32\QBR02DLE.SCR'
check "... the uninstall entry stays" has_key "$uninstall_key"
check "... and no temporary copy stays" no_stray_files

# An installed saver that cannot be overwritten: as root only an immutable file is one.
reset_state
old_saver=$out/plain/setup.exe
cp "$old_saver" "$sys/QBR02DLE.SCR"
if [ "$(id -u)" = 0 ] && chattr +i "$sys/QBR02DLE.SCR" 2>/dev/null && ! (: >>"$sys/QBR02DLE.SCR") 2>/dev/null; then
  check "an unwritable installed saver is named, not reported as installed" \
    install_with plain '' 'Kann C:\windows\system32\QBR02DLE.SCR nicht kopieren!' 'Fehler! Die Installation wird abgebrochen.'
  check "... setup ends with 0" setup_ends_with_0
  check "... the old saver is untouched" cmp -s "$old_saver" "$sys/QBR02DLE.SCR"
  check "... no stray QBR02DLE.SC_ or temporary copy stays" no_stray_files
  check "... and SYSTEM.INI is untouched" test -z "$(saver_in_ini)"
  check "... and there is no uninstall entry" not has_key "$uninstall_key"
  chattr -i "$sys/QBR02DLE.SCR"
else
  check "an immutable file can be made here (root and chattr are needed)" false
fi

reset_state
mkdir -p "$windows/inf/QBR02DLE.INF"
check "an unwritable script is reported, and the installation still completes" \
  install_with plain 0 'Konnte Uninstall-Information nicht speichern!' 'Die Installation ist beendet.'
check "... setup ends with 0" setup_ends_with_0
check "... the saver is installed" cmp -s "$scr" "$sys/QBR02DLE.SCR"
check "... 0 minutes install a delay of 60 seconds" test "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveTimeOut)" = 60
check "... but there is no uninstall entry" not has_key "$uninstall_key"
rmdir "$windows/inf/QBR02DLE.INF"

# --- a small screen ----------------------------------------------------------------------------
wineserver -k 2>/dev/null; wineserver -w
stop_xvfb
start_xvfb 640x480x24 || exit 1
reset_state
start_setup plain
to_install_dialog
shot small-screen
check "640 x 480: the picture's top-left corner is at (288, 364)" picture_at small-screen 288 364
xdotool key Escape
wait_text Setup 'Installation abbrechen?' && xdotool key Return
check "small screen: setup ends with 0" setup_ends_with_0
reset_state

echo "$PASSES passed, $FAILURES failed"
[ "$FAILURES" = 0 ]
