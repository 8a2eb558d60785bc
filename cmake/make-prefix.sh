#!/usr/bin/env bash
# Creates a Wine prefix once: make-prefix.sh <prefix> <headless|x11>
#   headless: the null display driver, so windows and timers work without an X server;
#   x11:      for runs under Xvfb; unmanaged windows, since without a window manager every
#             DestroyWindow would otherwise wait two seconds.
set -euo pipefail
prefix=$1 kind=$2
[ -f "$prefix/.ready" ] && exit 0
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
unset DISPLAY
wineboot -i >/dev/null 2>&1 || true
wineserver -w
if [ "$kind" = headless ]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
else
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
fi
wineserver -w
touch "$prefix/.ready"
