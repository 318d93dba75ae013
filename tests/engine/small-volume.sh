#!/usr/bin/env bash
# Runs a test program with TOSVIK_SMALL_VOLUME naming an empty 4 MiB tmpfs, mounted in
# a mount namespace of the program's own, so that nothing outlives the run. Where that
# cannot be done (not root, no namespaces), the program runs without it and the tests
# that need it say that they skip.
# Usage: small-volume.sh PROGRAM [ARGS...]
set -u
dir=$(mktemp -d "${TMPDIR:-/tmp}/tosvik-volume.XXXXXX") || exit 1
trap 'rmdir "$dir"' EXIT
if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
  unshare -m bash -c 'd=$1; shift
    mount --make-rprivate / && mount -t tmpfs -o size=4m tosvik-test "$d" && TOSVIK_SMALL_VOLUME=$d exec "$@"
    echo "small-volume: no tmpfs could be mounted"; exec "$@"' bash "$dir" "$@"
else
  echo "small-volume: not root, or no mount namespace: no small volume"
  "$@"
fi
