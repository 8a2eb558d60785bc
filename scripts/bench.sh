#!/usr/bin/env bash
# Runs the scene benchmark under Wine on a private Xvfb screen and prints its JSON object as the
# last line. Without arguments: 20,000 ticks at 1024x768 from 5 December 2026, 20:30, across the
# change to night. Its own options:
#   --depth N     colour depth of the Xvfb screen (24 by default; 8 gives a palette screen)
#   --headless    no X server: Wine's null display driver (no cost of the copy to the window)
# Every other argument goes to the benchmark (see README, "Performance"):
#   --ticks N --size WxH --start "YYYY-MM-DD HH:MM" (repeatable) --rate S --seed N --speed N
#   --no-hold --check-objects
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QB_BUILD_DIR:-$top/build}
depth=24 headless=0 size=1024x768 args=()
while [ $# -gt 0 ]; do
  case $1 in
    --depth) depth=$2; shift 2 ;;
    --headless) headless=1; shift ;;
    --size) size=$2; args+=("$1" "$2"); shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done

if [ ! -x "$build/tests/scene_bench.exe" ] || [ ! -f "$build/saver/QBR02DLE.SCR" ] || [ ! -f "$build/wine/x11/.ready" ]; then
  "$top/scripts/deps.sh" >/dev/null
  "$top/scripts/build.sh" >/dev/null
fi
cmake --build "$build" --target scene_bench wine_prefixes >/dev/null

. "$top/tests/e2e/lib.sh"
scr="Z:$build/saver/QBR02DLE.SCR"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
if [ $headless = 1 ]; then
  "$build/wine-run.sh" "$build/tests/scene_bench.exe" "$scr" "${args[@]}" >"$out" 2>&1 || status=$?
else
  wine_env "$build/wine/x11"
  start_xvfb "${size}x${depth}"
  trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -f "$out"' EXIT
  wine "$build/tests/scene_bench.exe" "$scr" "${args[@]}" >"$out" 2>&1 </dev/null || status=$?
fi
tr -d '\r' <"$out"
exit ${status:-0}
