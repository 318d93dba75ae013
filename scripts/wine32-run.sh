#!/usr/bin/env bash
# Runs a Windows program of the 32-bit build under Wine, as wine-run.sh does.
TOSVIK_WINE_ARCH=win32 exec "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
