#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the generators' own tests on the build
# machine, the unit and end-to-end tests through Wine, and a 32-bit compile of the programs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh"
build=${QB_BUILD_DIR:-$top/build}

echo "== 32-bit Windows compile check"
cmake -S "$top" -B "$build-i686" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-i686.cmake" \
      -DQB_BUILD_TESTS=OFF -DQB_HOST_TOOLS=OFF >/dev/null
cmake --build "$build-i686" -j2 >/dev/null

if [ -f "$build/host-tools/CTestTestfile.cmake" ]; then
  echo "== generator tests (build machine)"
  ctest --test-dir "$build/host-tools" --output-on-failure
fi

echo "== tests under Wine"
ctest --test-dir "$build" -j2 --output-on-failure
