#!/usr/bin/env bash
# Makes docs/screenshots/about.png, instructions.png and tray-menu.png from the real
# program: the x86-64 build on a Wine desktop with a taskbar, in a private Xvfb,
# driven with the keyboard and the mouse as a person would.
# Usage: screenshots-dialogs.sh [output-folder]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-docs/screenshots}
mkdir -p "$out"

. scripts/ui-session.sh

# Wine gives a desktop a taskbar when it is named "shell".
width=800 height=600
scripts/wine-run.sh explorer /desktop=shell,${width}x${height} "$exe" &

# Prints the X window whose title matches $1, waiting up to 30 s for it.
wait_window() {
  local w
  for _ in $(seq 60); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.5
  done
  echo "screenshots: no window \"$1\"" >&2
  return 1
}

# Saves the window $1 as $2, cropped to its frame.
shoot_window() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  echo "screenshots: $2 (${WIDTH}x${HEIGHT})"
}

main=$(wait_window '^Tosvik2\.0')
sleep 2

# About: the last item of the system menu.
xdotool key alt+space; sleep 0.5
xdotool key Up Return
about=$(wait_window '^关于 Tosvik$')
sleep 1
shoot_window "$about" "$out/about.png"
xdotool key Return
sleep 1

# Instructions: the 查看说明 button, at 288,93 dialog units (its centre) in a
# 320 x 200 client area under a caption and a frame of about 22 and 3 pixels.
eval "$(xdotool getwindowgeometry --shell "$main")"
bx=$(( X + 3 + 288 * (WIDTH - 6) / 320 ))
by=$(( Y + 22 + 93 * (HEIGHT - 25) / 200 ))
xdotool mousemove "$bx" "$by" click 1
info=$(wait_window '^有关"Kavrel的说明"$')
sleep 1
shoot_window "$info" "$out/instructions.png"
xdotool key Escape
sleep 1

# Tray menu: minimise (the window goes into the notification area), then press the
# right button over the icon, the right-most thing on the taskbar.
xdotool mousemove 400 300 click 1
xdotool key alt+space; sleep 0.5
xdotool key n
sleep 2
xdotool mousemove $(( width - 9 )) $(( height - 10 )) click 3
sleep 1.5
import -window root -crop ${width}x120+0+$(( height - 120 )) +repage "$out/tray-menu.png"
echo "screenshots: $out/tray-menu.png"
xdotool key Escape
