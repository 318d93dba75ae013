# Sourced by the scripts that take screenshots: waiting for windows and capturing them
# once drawn, by polling rather than by fixed pauses.

# Prints the visible X window whose title matches $1, waiting up to $2 seconds (30).
tosvik_wait_window() {
  local w _
  for _ in $(seq $(( ${2:-30} * 5 ))); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  echo "no window \"$1\"" >&2
  return 1
}

# Saves the screen area $1 (WxH+X+Y) as $2 once drawn: when two captures a moment
# apart are the same.
tosvik_capture() {
  local next=$2.next.png _
  import -window root -crop "$1" +repage "$2"
  for _ in $(seq 50); do
    sleep 0.2
    import -window root -crop "$1" +repage "$next"
    cmp -s <(convert "$2" rgba:-) <(convert "$next" rgba:-) && break
    mv "$next" "$2"
  done
  rm -f "$next"
}

# Waits up to 30 seconds until no visible X window's title matches $1.
tosvik_wait_gone() {
  local _
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  echo "window \"$1\" is still there" >&2
  return 1
}

# Prints the screen area (WxH+X+Y) of the X window $1. xdotool counts the offset of a
# window inside a Wine desktop twice; xwininfo's absolute corner is right.
tosvik_window_area() {
  local info
  info=$(xwininfo -id "$1")
  printf '%sx%s+%s+%s\n' "$(sed -n 's/.*Width: *//p' <<<"$info")" "$(sed -n 's/.*Height: *//p' <<<"$info")" \
    "$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")" "$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
}

# Sets videos to the Wine user's Videos folder of the session's prefix, where a user
# would keep a film, and has its movie.avi files removed when the session ends. The
# profile exists once the prefix has been made; Wine names it after the user and links
# Videos to the home folder, which this prefix's Videos must not write into. Refuses
# when $1 is already there.
tosvik_videos_folder() {
  local user=${USER:-$(id -un)}
  videos="$WINEPREFIX/drive_c/users/$user/Videos"
  videos_windows="C:\\users\\$user\\Videos"
  [ ! -L "$videos" ] || rm "$videos"
  mkdir -p "$videos"
  [ ! -e "$videos/$1" ] || { echo "$videos/$1 is in the way" >&2; return 1; }
  tosvik_at_exit+=("rm -f '$videos/movie.avi' '$videos/movie.avi.sha256' '$videos'/movie_[0-9][0-9][0-9].avi")
}
