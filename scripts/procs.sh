# Sourced: starting and ending the processes a script owns, by their ids.

# True while process $1 runs (a zombie has ended).
tosvik_alive() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) && [ "${state:0:1}" != Z ]
}

# Ends process $1, which need not be a child of ours, and waits until it is gone.
tosvik_end_pid() {
  kill "$1" 2>/dev/null || return 0
  local _
  for _ in $(seq 100); do
    tosvik_alive "$1" || return 0
    sleep 0.1
  done
  kill -9 "$1" 2>/dev/null || true
}

# Starts an Xvfb in the background and returns once it accepts connections, with its
# id in tosvik_xvfb_pid and its number in tosvik_xvfb_num. The server picks a free
# number itself, so parallel runs cannot race for one. $1: a file to pass the number.
tosvik_start_xvfb() {
  local numfile=$1 _
  : >"$numfile"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" </dev/null >/dev/null 2>&1 9>&- &
  tosvik_xvfb_pid=$!
  for _ in $(seq 300); do
    if [ -s "$numfile" ]; then
      tosvik_xvfb_num=$(<"$numfile")
      return 0
    fi
    kill -0 "$tosvik_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

# Ends the Wine server $1 of prefix $2 with every Wine process it serves (they would
# outlive a server that is just killed), once sure that it is that prefix's server.
tosvik_end_wineserver() {
  if tosvik_alive "$1"; then
    WINEPREFIX=$2 /usr/lib/wine/wineserver64 -k </dev/null >/dev/null 2>&1 || true
  fi
  tosvik_end_pid "$1"
}
