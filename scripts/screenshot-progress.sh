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

# The profile exists once the prefix has been made; Wine names it after the user and
# links Videos to the home folder, which this prefix's Videos must not write into.
user=${USER:-$(id -un)}
work="$WINEPREFIX/drive_c/users/$user/Videos"
[ ! -L "$work" ] || rm "$work"
mkdir -p "$work"
[ ! -e "$work/movie.avi" ] || { echo "screenshot-progress: $work/movie.avi is in the way" >&2; exit 1; }
tosvik_at_exit+=("rm -f '$work/movie.avi' '$work/movie.avi.sha256' '$work'/movie_[0-9][0-9][0-9].avi")
truncate -s 8000000000 "$work/movie.avi"

scripts/wine-run.sh explorer /desktop=Tosvik,800x600 "$exe" &

# Prints the X window whose title matches $1, waiting up to 30 s for it.
wait_window() {
  local w
  for _ in $(seq 60); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.5
  done
  echo "screenshot-progress: no window \"$1\"" >&2
  return 1
}

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
xdotool type --delay 20 "C:\\users\\$user\\Videos\\movie.avi"
click_at 288 74   # Start

progress=$(wait_window '^Kavrel分割中')
# Long enough for the speed and the time left to settle.
sleep 4
# xdotool counts the offset of a window inside the Wine desktop twice; xwininfo's
# absolute corner is right.
info=$(xwininfo -id "$progress")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
w=$(sed -n 's/.*Width: *//p' <<<"$info")
h=$(sed -n 's/.*Height: *//p' <<<"$info")
mkdir -p "$(dirname "$out")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
echo "screenshot-progress: $out (${w}x${h})"

xdotool key Escape
# The cancel box, captioned like the job.
wait_window '^Kavrel分割中' >/dev/null
sleep 1
xdotool key Return
sleep 1
leftover=$(find "$work" -name 'movie_*' | wc -l)
[ "$leftover" = 0 ] || echo "screenshot-progress: $leftover pieces left after the cancel" >&2
