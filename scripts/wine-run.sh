#!/usr/bin/env bash
# Runs a Windows program of the x86-64 build under Wine: Chinese locale (code page
# 936), a throw-away prefix, and a virtual X display when there is none.
# Usage: wine-run.sh program.exe [args...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

mkdir -p "$(dirname "$WINEPREFIX")"
# Everything started while the lock is held gets 9>&-: a child that kept the lock's
# descriptor would hold the lock for as long as it lives.
exec 9>"$WINEPREFIX.lock"
flock 9

# Wine's helper processes (explorer, services) outlive a program and stay bound to
# its display, so every program of a prefix must see the same one. Without a display
# of the caller's, the prefix keeps a virtual one of its own for as long as it lives.
if [ -z "${DISPLAY:-}" ]; then
  read -r pid num 2>/dev/null <"$WINEPREFIX.xvfb" || true
  if [ -z "${pid:-}" ] || ! kill -0 "$pid" 2>/dev/null; then
    for num in $(seq 150 250); do
      [ -e "/tmp/.X$num-lock" ] || [ -e "/tmp/.X11-unix/X$num" ] || break
    done
    setsid Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
    echo "$! $num" >"$WINEPREFIX.xvfb"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$num" ] && break; sleep 0.1; done
  fi
  export DISPLAY=":$num"
fi

# A server started by a program would inherit the caller's pipes and keep them open;
# start it here with its output closed instead.
"$WINESERVER" -p10 </dev/null >/dev/null 2>&1 9>&- || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
fi
# With no window manager to answer, Wine waits two seconds for each top-level
# window it unmaps; windows it does not hand to a manager go at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    </dev/null >/dev/null 2>&1 9>&- || true
fi
exec 9>&-

exec "$WINE" "$@"
