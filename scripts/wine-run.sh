#!/usr/bin/env bash
# Runs a Windows program under Wine: a locale, a throw-away prefix, a Wine server and
# an X display. TOSVIK_LANG names the locale (zh_CN.UTF-8 unless set): Wine takes the
# ANSI code page of each program from it when the program starts (936 for zh_CN, 1252
# for en_US and C), so one prefix serves every locale. TOSVIK_WINE_ARCH=win32 runs a
# program of the 32-bit build (wine32-run.sh sets it), otherwise of the x86-64 build.
# TOSVIK_WINE_DESKTOP=name,WxH runs the program on a Wine desktop of that name, which
# has a taskbar with a notification area.
# Inside a run (session.sh) the server it starts stays for the run, which ends it;
# alone, it ends the server and the display it started when the program ends.
# Usage: wine-run.sh program.exe [args...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/procs.sh"

case ${TOSVIK_WINE_ARCH:=win64} in
  win64) WINE=/usr/lib/wine/wine64; prefix=$here/../build/wineprefix ;;
  # 32-bit programs run in a WoW64 prefix, through Wine's 32-bit loader.
  win32) WINE=/usr/lib/wine/wine; prefix=$here/../build/wineprefix32 ;;
  *) echo "wine-run: TOSVIK_WINE_ARCH must be win64 or win32, not $TOSVIK_WINE_ARCH" >&2; exit 2 ;;
esac
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=${WINEPREFIX:-$prefix}
export WINEDEBUG=${WINEDEBUG:--all}
lang=${TOSVIK_LANG:-zh_CN.UTF-8}
# A locale that is not installed would leave Wine in "C" (code page 1252) unnoticed.
if [ -n "$(LC_ALL=$lang locale 2>&1 >/dev/null)" ]; then
  echo "wine-run: the locale $lang is not installed (scripts/setup.sh generates en_US.UTF-8 and zh_CN.UTF-8)" >&2
  exit 2
fi
export LANG=$lang LC_ALL=$lang
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

fail() { echo "wine-run: $*" >&2; exit 1; }

session=
[ -n "${TOSVIK_WINE_SESSION:-}" ] && [ -f "$TOSVIK_WINE_SESSION" ] && [ -n "${DISPLAY:-}" ] && session=yes
own_server= own_xvfb=
end_own() {
  [ -z "$own_server" ] || tosvik_end_wineserver "$own_server" "$WINEPREFIX"
  [ -z "$own_xvfb" ] || tosvik_end_pid "$own_xvfb"
}
trap end_own EXIT

mkdir -p "$WINEPREFIX"
# Everything started while the lock is held gets 9>&-: a child that kept the lock's
# descriptor would hold the lock for as long as it lives. Alone, the lock is held
# until the program ends, because the server of this call ends with it.
exec 9>"$WINEPREFIX.lock"
flock 9

if [ -z "${DISPLAY:-}" ]; then
  tosvik_start_xvfb "$WINEPREFIX.display" || exit 1
  own_xvfb=$tosvik_xvfb_pid
  export DISPLAY=":$tosvik_xvfb_num"
fi

# True once server $1 listens on a socket. The socket file's time cannot tell: it may
# be no later than a file touched just before the server started.
listens() {
  local fd link inodes=" "
  for fd in /proc/"$1"/fd/*; do
    link=$(readlink "$fd" 2>/dev/null) || continue
    [[ $link == socket:* ]] && inodes+="${link//[^0-9]/} "
  done
  awk -v inodes="$inodes" '$4 == "00010000" && index(inodes, " " $7 " ") { found = 1 } END { exit !found }' /proc/net/unix
}

# Starts the prefix's server unless one runs, so that it is ours to end; a server
# started by a Wine program would be no one's. It exits with 2 when the prefix has one.
"$WINESERVER" -f -p </dev/null >/dev/null 2>"$WINEPREFIX.server-log" 9>&- &
server=$!
# Ours to end if it never gets going.
own_server=$server
for (( tries = 0; ; tries++ )); do
  if ! tosvik_alive "$server"; then
    own_server=
    status=0; wait "$server" || status=$?
    [ "$status" = 2 ] || fail "the Wine server failed ($status): $(cat "$WINEPREFIX.server-log")"
    # Servers (and so Wine's helper processes) of a prefix are bound to one display.
    [ -n "$session" ] || [ -z "$own_xvfb" ] || fail "$WINEPREFIX is in use by another run; try again when it ends"
    server=
    break
  fi
  # Debian's Wine names its folder in the prefix; Wine's own uses /tmp/.wine-UID.
  dir=$(cat "$WINEPREFIX/wineserver" 2>/dev/null) || dir=.wine-$(id -u)
  socket=/tmp/$dir/server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))/socket
  [ -S "$socket" ] && listens "$server" && break
  [ $tries -lt 600 ] || fail "the Wine server did not open $socket"
  sleep 0.05
done
if [ -n "$server" ]; then
  if [ -n "$session" ]; then echo "$server $WINEPREFIX" >>"$TOSVIK_WINE_SESSION"; own_server=; fi
fi

# Made once: the prefix, and windows that Wine does not hand to a window manager
# (with none to answer, Wine waits two seconds for each top-level window it unmaps).
if [ ! -f "$WINEPREFIX/.tosvik-ready" ]; then
  if [ "$TOSVIK_WINE_ARCH" = win32 ] && ! "$WINE" --version </dev/null >/dev/null 2>&1 9>&-; then
    fail "32-bit programs cannot start here: run under scripts/test.sh or scripts/run.sh --win32, which register the i386 emulator"
  fi
  log=$WINEPREFIX.boot-log
  "$WINE64" wineboot -i </dev/null >"$log" 2>&1 9>&- || fail "wineboot failed in $WINEPREFIX, see $log"
  [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] || fail "no Windows system in $WINEPREFIX, see $log"
  if [ "$TOSVIK_WINE_ARCH" = win32 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    fail "$WINEPREFIX has no 32-bit system (made before 32-bit programs could start?); remove it"
  fi
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$log" 2>&1 9>&- ||
    fail "could not set up $WINEPREFIX, see $log"
  touch "$WINEPREFIX/.tosvik-ready"
fi

# Wine gives a program a desktop of its own by its name.
if [ -n "${TOSVIK_WINE_DESKTOP:-}" ]; then
  name=${TOSVIK_WINE_DESKTOP%%,*} size=${TOSVIK_WINE_DESKTOP#*,} exe=$(basename "$1")
  marker=$WINEPREFIX/.tosvik-desktop-$exe-$name-$size
  if [ ! -f "$marker" ]; then
    { "$WINE64" reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\Explorer" /v Desktop /d "$name" /f &&
      "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$name" /d "$size" /f
    } </dev/null >>"$WINEPREFIX.boot-log" 2>&1 9>&- || fail "could not give $exe a desktop"
    touch "$marker"
  fi
fi

# Wine's helper processes, started by the first program a server serves, inherit its
# output and outlive it: the program writes into a file, so that no one waits on a pipe
# they hold. A caller that talks with the program through its output as it runs (the
# benchmark) sets TOSVIK_WINE_STREAM=1 and does not wait for the pipe's end.
[ -n "$own_server$own_xvfb" ] || exec 9>&-
status=0
if [ "${TOSVIK_WINE_STREAM:-}" = 1 ]; then
  "$WINE" "$@" 9>&- || status=$?
  exit $status
fi
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
"$WINE" "$@" >"$out" 2>&1 9>&- || status=$?
cat "$out"
rm -f "$out"
exit $status
