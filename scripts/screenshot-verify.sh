#!/usr/bin/env bash
# Makes docs/screenshots/verify-done.png from the real program: the x86-64 build on a
# Wine desktop in a private Xvfb checks a set of three pieces and their record in the
# Wine user's Videos folder, made beforehand as a split makes them. The record is
# handed over on the command line, as "Open with" does, which chooses 校验; Start is
# clicked, and the box of the whole set is shot.
# Usage: screenshot-verify.sh [output.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-docs/screenshots/verify-done.png}

. scripts/ui-session.sh
. scripts/capture.sh

tosvik_videos_folder movie.avi.sha256
# The pieces and the record as a split of 64MB writes them, the source gone.
head -c 150000000 /dev/urandom >"$videos/movie.avi"
(
  cd "$videos"
  split -b 64000000 -d -a 3 --numeric-suffixes=1 --additional-suffix=.avi movie.avi movie_
  sha256sum movie_*.avi movie.avi | sed 's/$/\r/' >movie.avi.sha256
  rm movie.avi
)

scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" "$videos_windows\\movie.avi.sha256" &
main=$(tosvik_wait_window '^Tosvik2\.0' 60)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$main")"
# Start, captioned 校验, at 288,74 dialog units of the 320 x 200 client area, under a
# caption and a frame of about 22 and 3 pixels.
xdotool mousemove "$(( X + 3 + 288 * (WIDTH - 6) / 320 ))" "$(( Y + 22 + 74 * (HEIGHT - 25) / 200 ))" click 1

box=$(tosvik_wait_window '^Kavrel：完成了！$' 60)
area=$(tosvik_window_area "$box")
mkdir -p "$(dirname "$out")"
tosvik_capture "$area" "$out"
echo "screenshot-verify: $out ($area)"
xdotool key Return
tosvik_wait_gone '^Kavrel：完成了！$'
