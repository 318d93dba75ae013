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

. scripts/capture.sh
wait_window() { tosvik_wait_window "$1" 30; }

# Saves the window $1 as $2, cropped to its frame, once drawn.
shoot_window() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  tosvik_capture "${WIDTH}x${HEIGHT}+${X}+${Y}" "$2"
  echo "screenshots: $2 (${WIDTH}x${HEIGHT})"
}

main=$(wait_window '^Tosvik2\.0')

# About: the last item of the system menu.
# The system menu has no title to wait for.
xdotool key alt+space; sleep 0.5
xdotool key Up Return
about=$(wait_window '^关于 Tosvik$')
shoot_window "$about" "$out/about.png"
xdotool key Return
tosvik_wait_gone '^关于 Tosvik$'

# Instructions: the 查看说明 button, at 288,93 dialog units (its centre) in a
# 320 x 244 client area under a caption and a frame of about 22 and 3 pixels.
eval "$(xdotool getwindowgeometry --shell "$main")"
bx=$(( X + 3 + 288 * (WIDTH - 6) / 320 ))
by=$(( Y + 22 + 93 * (HEIGHT - 25) / 244 ))
xdotool mousemove "$bx" "$by" click 1
info=$(wait_window '^有关"Kavrel的说明"$')
shoot_window "$info" "$out/instructions.png"
xdotool key Escape
tosvik_wait_gone '^有关"Kavrel的说明"$'

# Tray menu: minimise (the window goes into the notification area), then press the
# right button over the icon, the right-most thing on the taskbar.
xdotool mousemove 400 300 click 1
xdotool key alt+space; sleep 0.5
xdotool key n
tosvik_wait_gone '^Tosvik2\.0'
xdotool mousemove $(( width - 9 )) $(( height - 10 )) click 3
# The menu has no title to wait for.
sleep 1.5
tosvik_capture ${width}x120+0+$(( height - 120 )) "$out/tray-menu.png"
echo "screenshots: $out/tray-menu.png"
xdotool key Escape
