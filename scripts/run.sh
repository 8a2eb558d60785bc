#!/usr/bin/env bash
# Installs what is missing, builds, and runs the screen saver full-screen. With an X display it
# runs there until a key or mouse move ends it; without one it runs under Xvfb and writes a few
# screenshots to build/screenshots/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh"
build=${QB_BUILD_DIR:-$top/build}
scr=$build/saver/QBR02DLE.SCR
. "$top/tests/e2e/lib.sh"
wine_env "$build/wine/x11"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Running the screen saver on $DISPLAY; press a key or move the mouse to end it."
  wine "$scr" /s
  exit 0
fi

shots=$build/screenshots
mkdir -p "$shots"
start_xvfb 1024x768x24
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT
wine "$scr" /s >/dev/null 2>&1 &
for i in 1 2 3 4 5; do
  sleep 3
  import -window root "$shots/scene-$i.png"
done
echo "No display: ran the screen saver under Xvfb; screenshots are in $shots"
