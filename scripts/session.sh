# Sourced by the scripts that run Windows programs: gives the run an X display (the
# caller's $DISPLAY, or an Xvfb of its own) and, when the caller exits, ends what the
# run started, each by its own process id: the Wine servers that wine-run.sh started
# for this run, with their Wine processes (it lists them in $TOSVIK_WINE_SESSION), then
# whatever the caller added to tosvik_at_exit (last added first), then the display.
# Servers and displays of other runs are never touched.
. "$(dirname "${BASH_SOURCE[0]}")/procs.sh"

tosvik_session_dir=$(mktemp -d "${TMPDIR:-/tmp}/tosvik-session.XXXXXX")
export TOSVIK_WINE_SESSION=$tosvik_session_dir/wineservers
: >"$TOSVIK_WINE_SESSION"
tosvik_at_exit=()
tosvik_xvfb_pid=

tosvik_end_session() {
  local pid prefix i
  while read -r pid prefix; do tosvik_end_wineserver "$pid" "$prefix"; done <"$TOSVIK_WINE_SESSION"
  for (( i = ${#tosvik_at_exit[@]} - 1; i >= 0; i-- )); do eval "${tosvik_at_exit[i]}" || true; done
  [ -z "$tosvik_xvfb_pid" ] || tosvik_end_pid "$tosvik_xvfb_pid"
  rm -rf "$tosvik_session_dir"
}
trap tosvik_end_session EXIT

if [ -z "${DISPLAY:-}" ]; then
  tosvik_start_xvfb "$tosvik_session_dir/display" || exit 1
  export DISPLAY=":$tosvik_xvfb_num"
fi
