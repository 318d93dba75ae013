#!/usr/bin/env bash
# Makes docs/screenshots/progress.png from the real program: the x86-64 build on a
# Wine desktop in a private Xvfb splits a sparse 8 GB file in the Wine user's Videos
# folder, where a user would keep a film, driven with the mouse and the keyboard; the
# progress dialog is shot while it runs, then the job is cancelled, which removes its
# pieces.
# Usage: screenshot-progress.sh [output.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-docs/screenshots/progress.png}

. scripts/ui-session.sh
. scripts/capture.sh

tosvik_videos_folder movie.avi
truncate -s 8000000000 "$videos/movie.avi"

scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" &

wait_window() { tosvik_wait_window "$1" 30; }

main=$(wait_window '^Tosvik2\.0')
sleep 2
eval "$(xdotool getwindowgeometry --shell "$main")"
# A click at x,y dialog units of the 320 x 244 client area, under a caption and a
# frame of about 22 and 3 pixels.
click_at() {
  xdotool mousemove "$(( X + 3 + $1 * (WIDTH - 6) / 320 ))" "$(( Y + 22 + $2 * (HEIGHT - 25) / 244 ))" click 1
  sleep 0.5
}
click_at 40 29    # 分割
click_at 224 28   # 32MB
click_at 60 101   # the path field
xdotool type --delay 20 "$videos_windows\\movie.avi"
click_at 288 74   # Start

progress=$(wait_window '^Kavrel分割中')
# Long enough for the speed and the time left to settle.
sleep 4
area=$(tosvik_window_area "$progress")
mkdir -p "$(dirname "$out")"
# Shot at once: a running bar never holds still for tosvik_capture.
import -window root -crop "$area" +repage "$out"
echo "screenshot-progress: $out ($area)"

xdotool key Escape
# The cancel box, captioned like the job.
wait_window '^Kavrel分割中' >/dev/null
sleep 1
xdotool key Return
sleep 1
leftover=$(find "$videos" -name 'movie_*' | wc -l)
[ "$leftover" = 0 ] || echo "screenshot-progress: $leftover pieces left after the cancel" >&2
