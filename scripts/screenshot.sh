#!/usr/bin/env bash
# Makes docs/screenshots/main-dialog.png from the real program: the x86-64 build on a
# Wine desktop of its own in a private Xvfb (the desktop draws the window frame),
# with a folder typed into 保存到, split, 其他 and the size list's FAT32 entry chosen as
# a user would, cropped to the dialog.
# Usage: screenshot.sh [output.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-docs/screenshots/main-dialog.png}

. scripts/ui-session.sh

. scripts/capture.sh
# TOSVIK_DPI (96 by default) sets the prefix's display scale, as the control panel does;
# it is set back to 96 at the end, for the other scripts that share the prefix.
set_dpi() {
  local key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    scripts/wine-run.sh reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  done
}
dpi=${TOSVIK_DPI:-96}
set_dpi "$dpi"
scripts/wine-run.sh explorer /desktop=Tosvik,$(( 800 * dpi / 96 ))x$(( 600 * dpi / 96 )) "$exe" &
window=$(tosvik_wait_window '^Tosvik2\.0' 60) || { echo "screenshot: the dialog did not show up"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
# A click at x,y dialog units of the 320 x 244 client area, under a caption and a
# frame of about 22 and 3 pixels.
click_at() {
  xdotool mousemove "$(( X + 3 + $1 * (WIDTH - 6) / 320 ))" "$(( Y + 22 + $2 * (HEIGHT - 25) / 244 ))" click 1
  sleep 0.5
}
click_at 60 134   # the folder field: a stick's folder typed in
xdotool type --delay 50 'E:\Films'
click_at 40 29    # 分割
click_at 216 54   # 其他
# Tab goes on to the size field; the down arrow takes the list's first entry.
xdotool key Tab Down
sleep 0.5
# Away from the controls, so that no hover or focus mark is left where the mouse was.
xdotool mousemove "$(( X + WIDTH - 10 ))" "$(( Y + HEIGHT - 10 ))"
mkdir -p "$(dirname "$out")"
tosvik_capture "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out"
echo "screenshot: $out (${WIDTH}x${HEIGHT})"
[ "$dpi" = 96 ] || set_dpi 96
