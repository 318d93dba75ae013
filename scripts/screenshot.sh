#!/usr/bin/env bash
# Makes docs/screenshots/main-dialog.png from the real program: the x86-64 build on a
# Wine desktop of its own in a private Xvfb (the desktop draws the window frame),
# cropped to the dialog.
# Usage: screenshot.sh [output.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-docs/screenshots/main-dialog.png}

. scripts/ui-session.sh

scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" &
window=
for _ in $(seq 120); do
  window=$(xdotool search --name '^Tosvik2\.0' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "screenshot: the dialog did not show up"; exit 1; }
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "screenshot: $out (${WIDTH}x${HEIGHT})"
