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

# As screenshot-progress.sh: the prefix's own Videos, not the home folder it links to.
user=${USER:-$(id -un)}
work="$WINEPREFIX/drive_c/users/$user/Videos"
[ ! -L "$work" ] || rm "$work"
mkdir -p "$work"
[ ! -e "$work/movie.avi.sha256" ] || { echo "screenshot-verify: $work/movie.avi.sha256 is in the way" >&2; exit 1; }
tosvik_at_exit+=("rm -f '$work/movie.avi' '$work/movie.avi.sha256' '$work'/movie_[0-9][0-9][0-9].avi")
# The pieces and the record as a split of 64MB writes them, the source gone.
head -c 150000000 /dev/urandom >"$work/movie.avi"
(
  cd "$work"
  split -b 64000000 -d -a 3 --numeric-suffixes=1 --additional-suffix=.avi movie.avi movie_
  sha256sum movie_*.avi movie.avi | sed 's/$/\r/' >movie.avi.sha256
  rm movie.avi
)

scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" "C:\\users\\$user\\Videos\\movie.avi.sha256" &
main=$(tosvik_wait_window '^Tosvik2\.0' 60)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$main")"
# A click at x,y dialog units of the 320 x 200 client area, under a caption and a
# frame of about 22 and 3 pixels.
click_at() {
  xdotool mousemove "$(( X + 3 + $1 * (WIDTH - 6) / 320 ))" "$(( Y + 22 + $2 * (HEIGHT - 25) / 200 ))" click 1
  sleep 0.5
}
click_at 288 74   # Start, captioned 校验

box=$(tosvik_wait_window '^Kavrel：完成了！$' 60)
# xdotool counts the offset of a window inside the Wine desktop twice; xwininfo's
# absolute corner is right.
info=$(xwininfo -id "$box")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
w=$(sed -n 's/.*Width: *//p' <<<"$info")
h=$(sed -n 's/.*Height: *//p' <<<"$info")
mkdir -p "$(dirname "$out")"
tosvik_capture "${w}x${h}+${x}+${y}" "$out"
echo "screenshot-verify: $out (${w}x${h})"
xdotool key Return
tosvik_wait_gone '^Kavrel：完成了！$'
