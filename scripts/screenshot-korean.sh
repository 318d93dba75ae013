#!/usr/bin/env bash
# Makes docs/screenshots/main-dialog-korean-en.png from the real program under an
# English system locale (ANSI code page 1252), started with a Korean file name on its
# command line as "Open with" starts it: the x86-64 build on a Wine desktop of its own
# in a private Xvfb, cropped to the dialog.
# Usage: screenshot-korean.sh [Tosvik.exe] [output.png]
# Without a program, the win64 preset's is built.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exe=${1:-}
out=${2:-docs/screenshots/main-dialog-korean-en.png}
if [ -z "$exe" ]; then
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target Tosvik
  exe=$(find build/win64 -name Tosvik.exe -not -path '*/CMakeFiles/*' | head -n 1)
fi

unset DISPLAY
. scripts/session.sh
. scripts/wine-ui-prefix.sh
. scripts/capture.sh

export TOSVIK_LANG=en_US.UTF-8
scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" 'D:\자료\한국어 사진.jpg' &
window=$(tosvik_wait_window '^Tosvik2\.0' 60) || { echo "screenshot: the dialog did not show up"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
tosvik_capture "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out"
echo "screenshot: $out (${WIDTH}x${HEIGHT})"
