#!/usr/bin/env bash
# Sets up, builds and runs every test: native, native under ASan+UBSan, and the
# x86-64 Windows build under Wine; builds the shipped 32-bit program and checks it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
jobs=$(nproc)
. scripts/xvfb.sh

# The shipped 32-bit build first: Wine cannot run it here, so it is built and checked.
echo "=== win32"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
scripts/check-pe.sh build/win32

for preset in linux linux-asan win64; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  # Window tests share one display and its focus: run them one at a time.
  if [ "$preset" = win64 ]; then ctest --preset "$preset"; else ctest --preset "$preset" -j "$jobs"; fi
done

