# Sourced: gives the caller an X display. Uses $DISPLAY when there is one, else starts
# one Xvfb for the whole run (one server for all tests, so parallel tests don't race
# for display numbers) and stops it when the caller exits.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  tosvik_xvfb_pid=$!
  # Wine's helper processes die with the display; end them first, so that a later
  # run does not find them half alive.
  trap 'for p in build/wineprefix*/; do WINEPREFIX=$PWD/$p /usr/lib/wine/wineserver -k 2>/dev/null || true; done; kill $tosvik_xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
fi
