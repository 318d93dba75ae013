#!/usr/bin/env bash
# Sets up, builds and runs every test: native, native under ASan+UBSan, the x86-64
# Windows build under Wine, and the shipped 32-bit build under the 32-bit Wine (through
# the i386 emulator; where it cannot be set up, those suites are skipped, loudly).
# The Windows suites run once per locale of the lists below: the program must read the
# same whatever the system's ANSI code page, which Wine takes from the locale.
# Every preset and locale runs even when an earlier one fails; the exit status says if
# any did, and the summary at the end gives each run's result. A skip is never a pass:
# it is a line of its own in the summary, with its reason.
# TOSVIK_TEST_PRESETS="linux win64" runs only those presets.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
# Set-up leaves the reason here when the 32-bit group could not be installed.
win32_unavailable=
[ ! -f build/win32-unavailable ] || win32_unavailable=$(head -n 1 build/win32-unavailable)
jobs=$(nproc)
. scripts/session.sh
. scripts/emulator-i386.sh

win64_langs=(zh_CN.UTF-8 en_US.UTF-8 C.UTF-8)
win32_langs=(zh_CN.UTF-8 en_US.UTF-8)
declare -A code_page=([zh_CN.UTF-8]=936 [en_US.UTF-8]=1252 [C.UTF-8]=1252)

failed=() results=()
result() { results+=("$1: $2 ($3 s)"); [ "$2" = passed ] || failed+=("$1"); }
skip_win32() {
  echo "test: SKIPPED the 32-bit suites: $1"
  results+=("win32: SKIPPED the 32-bit suites: $1")
}

# Runs the Windows suites of preset $1 once per locale $2...: each run first checks
# that a program of that build gets the locale's code page, so that a locale Wine
# ignored cannot pass for a test of it.
windows_suites() {
  local preset=$1 lang acp start cc=x86_64-w64-mingw32-gcc runner=scripts/wine-run.sh
  shift
  [ "$preset" = win64 ] || cc=i686-w64-mingw32-gcc runner=scripts/wine32-run.sh
  local probe=build/$preset/codepage.exe
  "$cc" -Wall -Wextra -Werror -O2 -o "$probe" scripts/codepage.c
  for lang; do
    echo "=== $preset under $lang"
    start=$SECONDS
    acp=$(TOSVIK_LANG=$lang "$runner" "$probe" | tr -d '\r') || acp="none ($acp)"
    if [ "$acp" != "${code_page[$lang]}" ]; then
      echo "test: under $lang a program of the $preset build has code page $acp, not ${code_page[$lang]}"
      result "$preset $lang" "FAILED (code page $acp)" $((SECONDS - start))
      continue
    fi
    echo "test: code page $acp"
    if TOSVIK_LANG=$lang ctest --preset "$preset"; then
      result "$preset $lang" passed $((SECONDS - start))
    else
      result "$preset $lang" FAILED $((SECONDS - start))
    fi
  done
}

for preset in ${TOSVIK_TEST_PRESETS:-linux linux-asan win64 win32}; do
  echo "=== $preset"
  # Without the i686 compiler there is no 32-bit build to make or check.
  if [ "$preset" = win32 ] && ! command -v i686-w64-mingw32-g++-posix >/dev/null; then
    skip_win32 "${win32_unavailable:-the i686 compiler is not installed}"
    continue
  fi
  start=$SECONDS
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs"; }; then
    result "$preset" "FAILED (build)" $((SECONDS - start))
    continue
  fi
  echo "=== $preset built: $((SECONDS - start)) s"
  case $preset in
    linux|linux-asan)
      start=$SECONDS
      if ctest --preset "$preset" -j "$jobs"; then
        result "$preset" passed $((SECONDS - start))
      else
        result "$preset" FAILED $((SECONDS - start))
      fi ;;
    # Window tests share one display and its focus: run them one at a time.
    win64) windows_suites win64 "${win64_langs[@]}" ;;
    win32)
      start=$SECONDS
      if scripts/check-pe.sh build/win32; then
        result "win32 PE check" passed $((SECONDS - start))
      else
        result "win32 PE check" FAILED $((SECONDS - start))
      fi
      # The emulator is registered before the 32-bit prefix is made: a prefix made
      # without it has no 32-bit system.
      if [ -n "$win32_unavailable" ]; then
        skip_win32 "$win32_unavailable"
      elif tosvik_i386_enable; then
        windows_suites win32 "${win32_langs[@]}"
      else
        skip_win32 "$tosvik_i386_why"
      fi ;;
  esac
done

echo "=== summary"
printf 'test: %s\n' "${results[@]}"
if [ ${#failed[@]} -eq 0 ] && printf '%s\n' "${results[@]}" | grep -q SKIPPED; then
  echo "test: all that ran passed, but NOT everything ran: see SKIPPED above"
  exit 0
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "test: FAILED: ${failed[*]}"
  exit 1
fi
echo "test: all presets passed"
