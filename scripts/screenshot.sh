#!/usr/bin/env bash
# Makes docs/screenshots/main-dialog.png from the real program: the x86-64 build on a
# Wine desktop of its own in a private Xvfb (the desktop draws the window frame),
# cropped to the dialog.
# Usage: screenshot.sh [output.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-docs/screenshots/main-dialog.png}

. scripts/ui-session.sh

. scripts/capture.sh
scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" &
window=$(tosvik_wait_window '^Tosvik2\.0' 60) || { echo "screenshot: the dialog did not show up"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
tosvik_capture "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out"
echo "screenshot: $out (${WIDTH}x${HEIGHT})"
