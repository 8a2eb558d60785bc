#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, and only what is missing.
# fonts-liberation gives Wine a font with Arial's metrics; without it the calendar's two-digit
# days come out too wide for their cells.
set -euo pipefail
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 googletest
          xvfb xauth xdotool x11-utils x11-apps imagemagick mscompress faketime
          xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils fonts-liberation)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
