#!/usr/bin/env bash
# Checks the 32-bit build: every program is PE32 (i386) and needs only system DLLs;
# Tosvik.exe is a GUI program.
# Usage: check-pe.sh BUILD_DIR
set -euo pipefail
dir=$1
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comdlg32|comctl32|bcrypt|psapi|msvcrt|ole32|oleaut32|oleacc|ws2_32)\.dll$'
status=0
# Our programs only: a Wine prefix under the build folder holds Wine's own.
mapfile -t exes < <(find "$dir" -name '*.exe' -not -path '*/CMakeFiles/*' -not -path '*/wineprefix*')
[ ${#exes[@]} -gt 0 ] || { echo "check-pe: no program in $dir"; exit 1; }
for exe in "${exes[@]}"; do
  dump=$(i686-w64-mingw32-objdump -p "$exe")
  if ! grep -q '^Magic[[:space:]]*010b' <<<"$dump"; then
    echo "check-pe: $exe is not PE32"; status=1
  fi
  while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then
      echo "check-pe: $exe needs $dll"; status=1
    fi
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  if [ "$(basename "$exe")" = Tosvik.exe ] && ! grep -q 'Subsystem.*(Windows GUI)' <<<"$dump"; then
    echo "check-pe: $exe is not a GUI program"; status=1
  fi
done
[ $status = 0 ] && echo "check-pe: ${#exes[@]} program(s) in $dir are PE32 and need only system DLLs"
exit $status
