#!/usr/bin/env bash
# Sets up, builds and starts the program under Wine: the x86-64 build, or with --win32
# the shipped 32-bit one (through the i386 emulator, slower to start). With no X
# display it runs on a virtual one until the window has drawn, saves
# build/screenshot.png and ends the program. TOSVIK_LANG=en_US.UTF-8 (or any
# installed locale) runs it under that locale instead of zh_CN.UTF-8.
# Usage: run.sh [--win32]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset=win64
case ${1:-} in
  '') ;;
  --win32) preset=win32 ;;
  *) echo "usage: run.sh [--win32]" >&2; exit 2 ;;
esac
export TOSVIK_WINE_ARCH=$preset
if [ "$preset" = win64 ]; then scripts/setup.sh --win64; else scripts/setup.sh; fi
had_display=${DISPLAY:-}
. scripts/session.sh
if [ "$preset" = win32 ]; then
  . scripts/emulator-i386.sh
  tosvik_i386_enable || { echo "run: the 32-bit program cannot start here: $tosvik_i386_why"; exit 1; }
fi
# Wine makes its prefix while the program builds; after the display, since Wine's
# helper processes stay bound to the first one they see.
( . scripts/wine-ui-prefix.sh ) </dev/null &
prefix_job=$!
# The program alone: the tests are scripts/test.sh's.
if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)" --target Tosvik; }; then
  wait "$prefix_job" || true
  exit 1
fi
wait "$prefix_job" || { echo "run: the Wine prefix could not be made"; exit 1; }
. scripts/wine-ui-prefix.sh
exe=$(find "build/$preset" -name Tosvik.exe -not -path '*/CMakeFiles/*' | head -n 1)

if [ -n "$had_display" ]; then
  scripts/wine-run.sh "$exe"
  exit
fi

. scripts/capture.sh
scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" &
# A first start of the 32-bit program takes a while under the emulator.
tosvik_wait_window '^Tosvik2\.0' 120 >/dev/null || { echo "run: the program's window did not show up"; exit 1; }
tosvik_capture 800x600+0+0 build/screenshot.png
echo "run: no display; the $preset program ran on a virtual one, see build/screenshot.png"
