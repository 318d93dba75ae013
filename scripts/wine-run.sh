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
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
  fi
  # With no window manager to answer, Wine waits two seconds for each top-level
  # window it unmaps; windows it does not hand to a manager go at once.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      </dev/null >/dev/null 2>&1 || true
  fi
  # A server started by a test would inherit the caller's pipes and keep them open;
  # start it here with its output closed instead.
  "$WINESERVER" -p10 </dev/null >/dev/null 2>&1 || true
) 9>"$WINEPREFIX.lock"

if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE" "$@"
