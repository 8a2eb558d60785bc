# Shared pieces of the end-to-end scripts: a private Xvfb display and Wine in a given prefix.

# Runs a command with the clock faked from a given start: "$QB_FAKED_TIME" WHEN COMMAND...
QB_FAKED_TIME=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)/faked-time.sh

# Starts Xvfb on the first free display number and exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
  local size=${1:-1024x768x24} n
  for n in $(seq 91 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 $XVFB_PID 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "no Xvfb display could be started" >&2
  return 1
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill $XVFB_PID 2>/dev/null && wait $XVFB_PID 2>/dev/null
  XVFB_PID=
}

wine_env() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
}

# Reads one pixel of a screenshot as "r,g,b".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Pixels that differ between a crop of the screenshot and a crop of a picture.
differing() {  # shot x y w h picture px py
  local a b
  a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
  convert "$1" -crop "$4x$5+$2+$3" +repage "$a"
  convert "$6" -crop "$4x$5+$7+$8" +repage "$b"
  compare -metric AE "$a" "$b" null: 2>&1
  rm -f "$a" "$b"
}

FAILURES=0
PASSES=0
check() {  # check "what" command...
  local what=$1; shift
  if "$@"; then PASSES=$((PASSES + 1)); echo "ok   - $what"
  else FAILURES=$((FAILURES + 1)); echo "FAIL - $what"; fi
}
