#!/usr/bin/env bash
# CPU that a running "/s" costs under Xvfb: runs the saver full-screen, waits for it to settle, then
# reads the time on a CPU of the saver process, its wineserver and the X server from /proc
# over a measuring window and prints them as per cent of one core.
#   scripts/saver_cpu.sh [SAVER.SCR] [settle seconds, 60] [window seconds, 60] [screen, 1024x768x24]
#                        [start "YYYY-MM-DD HH:MM" of a faked clock; the machine's clock if empty]
# The street follows the clock, and a summer noon costs other than a winter night: compare runs
# at one faked start. Even so, what comes by in the minute differs from run to run. With
#   scripts/saver_cpu.sh --paced SEED [same arguments]
# the scene runs in tests/bench/scene_pace.exe instead: at the saver's pace and through a message
# loop as under /s, but on a clock that moves on by a fixed step per tick, so every run with one
# seed shows the same scene (the screen is taken as the enlarging full-screen run would take it).
# The scene's code is the one built into that program (QB_PACE_EXE names another copy of it); the
# saver only gives its pictures.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QB_BUILD_DIR:-$top/build}
seed=
if [ "${1:-}" = --paced ]; then
  seed=$2
  shift 2
fi
scr=${1:-$build/saver/QBR02DLE.SCR}
settle=${2:-60} window=${3:-60} screen=${4:-1024x768x24} start=${5:-}
. "$top/tests/e2e/lib.sh"
wine_env "$build/wine/x11"
start_xvfb "$screen"
if [ -n "$seed" ]; then
  # Ticks enough to outlast the settling and the measuring window at the default speed.
  ticks=$(( (settle + window + 30) * 1000 / 22 ))
  wine "${QB_PACE_EXE:-$build/tests/scene_pace.exe}" "Z:$(readlink -f "$scr")" --size "${screen%x*}" --seed "$seed" --ticks $ticks \
    --rate 0.022 --zoom ${start:+--start "$start"} >/dev/null 2>&1 &
  scr=scene_pace.exe
elif [ -n "$start" ]; then
  "$QB_FAKED_TIME" "$start" wine "$scr" /s >/dev/null 2>&1 &
else
  wine "$scr" /s >/dev/null 2>&1 &
fi
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT

# Our processes are the ones started with this prefix; other people's Wine runs use other prefixes.
ours() {  # ours NAME-PATTERN -> pids
  local p
  for p in $(pgrep -i -u "$(id -u)" -f "$1" || true); do
    [ -r "/proc/$p/environ" ] || continue
    # the script's own shells carry the name in their command line too
    tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q 'bash' && continue
    # nor is the faked clock's wrapper, which waits for the saver it started
    [ "$(cat "/proc/$p/comm" 2>/dev/null)" = faketime ] && continue
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
  return 0
}
# The kernel's utime and stime are sampled at the clock tick (100 a second): at 2 % over 60 s that
# is about 120 samples, and runs of one build would differ by a fifth of a per cent from the
# counting alone. The scheduler's own run time of every thread is exact, in nanoseconds.
run_ns() {  # run_ns PID... -> nanoseconds on a CPU, all threads summed
  local sum=0 p t
  for p in "$@"; do
    for t in /proc/$p/task/*/schedstat; do
      [ -r "$t" ] || continue
      read -r ns _ <"$t" 2>/dev/null || continue
      sum=$((sum + ns))
    done
  done
  echo $sum
}
sleep "$settle"
saver=$(ours "$(basename "$scr")" | sed -n 1p)
server=$(ours 'wineserver' | sed -n 1p)
[ -n "$saver" ] && [ -n "$server" ] || { echo "saver or wineserver not found" >&2; exit 1; }
s0=$(run_ns $saver) w0=$(run_ns $server) x0=$(run_ns $XVFB_PID)
sleep "$window"
s1=$(run_ns $saver) w1=$(run_ns $server) x1=$(run_ns $XVFB_PID)
pct() { awk -v t=$(( $1 )) -v s=$window 'BEGIN { printf "%.2f", 100 * t / 1e9 / s }'; }
echo "{\"screen\":\"$screen\",\"window_s\":$window,\"saver_pct\":$(pct $s1-$s0),\"wineserver_pct\":$(pct $w1-$w0),\"xvfb_pct\":$(pct $x1-$x0),\"total_pct\":$(pct $s1-$s0+$w1-$w0+$x1-$x0)}"
