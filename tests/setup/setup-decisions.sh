#!/usr/bin/env bash
# Set-up's decisions on a bad mirror day, with no network and no root: setup.sh and
# test.sh run in a copy of the tree whose apt-get, dpkg, sudo, cmake and ctest are
# fakes first on PATH. The fake apt-get fails the way the mirror did (one i386 index
# of the wrong size) or leaves named packages unresolvable; what set-up and test.sh
# print and their exit status are checked for each case.
set -uo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tosvik-setup-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }
expect_rc() { [ "$rc" = "$1" ] || fail "exit status $rc, expected $1 (output: $out)"; }
expect_out() { grep -qF -- "$1" <<<"$out" || fail "no line with '$1' in: $out"; }
expect_no_out() { ! grep -qF -- "$1" <<<"$out" || fail "unexpected '$1' in: $out"; }
expect_archs() { [ "$(cat "$state/archs")" = "$1" ] || fail "architectures '$(cat "$state/archs")', expected '$1'"; }

# A fresh copy of the tree's scripts, fakes and state for one case.
# $1: the case; $2: packages the fake apt-get cannot resolve; $3: yes when the i386
# index fails.
new_case() {
  case_name=$1
  root=$work/$case_name state=$work/$case_name-state bin=$work/$case_name-bin
  mkdir -p "$root/scripts" "$root/build/qemu" "$root/build/win32" "$state" "$bin"
  cp "$src/scripts/setup.sh" "$src/scripts/test.sh" "$root/scripts/"
  : >"$state/archs"
  printf '%s\n' cmake make g++ locales file >"$state/installed"
  export FAKE_STATE=$state FAKE_BROKEN=$2 FAKE_INDEX_FAILS=$3
  # The emulator is fetched from the mirror too; here it is already in place.
  printf '#!/bin/sh\necho "qemu-i386 version 9"\n' >"$root/build/qemu/qemu-i386"
  chmod +x "$root/build/qemu/qemu-i386"

  cat >"$bin/apt-get" <<'EOF'
#!/usr/bin/env bash
verb=
for a; do case $a in update|install) verb=$a ;; esac; done
if [ "$verb" = update ]; then
  echo "Get:1 http://deb.example/debian bookworm InRelease"
  if [ "$FAKE_INDEX_FAILS" = yes ] && grep -qx i386 "$FAKE_STATE/archs"; then
    echo "Err:6 http://deb.example/debian-security bookworm-security/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100
  fi
  exit 0
fi
[ "$verb" = install ] || { echo "fake apt-get: unexpected $*"; exit 1; }
for a; do
  case $a in -*|install) continue ;; esac
  if [ "${a%:i386}" != "$a" ] && ! grep -qx i386 "$FAKE_STATE/archs"; then
    echo "E: Unable to locate package $a"; exit 100
  fi
  for b in $FAKE_BROKEN; do
    if [ "$a" = "$b" ]; then
      echo "The following packages have unmet dependencies:"
      echo " $a : Depends: lib$a-dep (= 8.0-4) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi
  done
done
for a; do case $a in -*|install) ;; *) echo "$a" >>"$FAKE_STATE/installed" ;; esac; done
EOF
  cat >"$bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
pkg=${!#}
if [ "$pkg" = "${pkg#-}" ]; then
  grep -qx "$pkg" "$FAKE_STATE/installed" && printf 'install ok installed' && exit 0
  exit 1
fi
# Every installed package with its architecture.
while read -r p; do
  case $p in *:i386) echo "i386 install ok installed" ;; *) echo "amd64 install ok installed" ;; esac
done <"$FAKE_STATE/installed"
EOF
  cat >"$bin/dpkg" <<'EOF'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$FAKE_STATE/archs" ;;
  --add-architecture) echo "$2" >>"$FAKE_STATE/archs" ;;
  --remove-architecture)
    grep -q ':i386$' "$FAKE_STATE/installed" && { echo "dpkg: error: cannot remove architecture"; exit 2; }
    grep -vx "$2" "$FAKE_STATE/archs" >"$FAKE_STATE/archs.new"; mv "$FAKE_STATE/archs.new" "$FAKE_STATE/archs" ;;
  *) echo "fake dpkg: unexpected $*"; exit 1 ;;
esac
EOF
  printf '#!/bin/sh\nprintf "C.utf8\\nen_US.utf8\\nzh_CN.utf8\\n"\n' >"$bin/locale"
  printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
  printf '#!/bin/sh\nexit 0\n' >"$bin/cmake"
  printf '#!/bin/sh\nexit 0\n' >"$bin/ctest"
  # The 32-bit compiler exists once the fake apt-get installed it.
  printf '#!/bin/sh\ngrep -qx g++-mingw-w64-i686 "$FAKE_STATE/installed"\n' >"$bin/i686-w64-mingw32-g++-posix"
  printf '#!/bin/sh\nfor a; do case $prev in -o) : >"$a" ;; esac; prev=$a; done\n' >"$bin/i686-w64-mingw32-gcc"
  cp "$bin/i686-w64-mingw32-gcc" "$bin/x86_64-w64-mingw32-gcc"
  chmod +x "$bin"/*
  # The tree's own helpers that start displays and Wine are not under test.
  printf 'tosvik_i386_why=\ntosvik_i386_enable() { return 0; }\n' >"$root/scripts/emulator-i386.sh"
  : >"$root/scripts/session.sh"
  printf '#!/bin/sh\nexit 0\n' >"$root/scripts/check-pe.sh"
  printf '#!/bin/sh\ncase $TOSVIK_LANG in zh_CN*) echo 936 ;; *) echo 1252 ;; esac\n' >"$root/scripts/wine32-run.sh"
  cp "$root/scripts/wine32-run.sh" "$root/scripts/wine-run.sh"
  chmod +x "$root/scripts"/*.sh
}

run() { out=$(cd "$root" && PATH=$bin:$PATH TOSVIK_APT_PAUSE=0 "$@" 2>&1); rc=$?; }
setup() { run scripts/setup.sh "$@"; }
tests() { run env TOSVIK_TEST_PRESETS="linux win32" scripts/test.sh; }

new_case everything-installs "" no
setup
expect_rc 0
expect_no_out "SKIPPED"
expect_archs i386
[ ! -e "$root/build/win32-unavailable" ] || fail "a skip was recorded"
tests
expect_rc 0
expect_out "test: all presets passed"
expect_out "test: win32 zh_CN.UTF-8: passed"

new_case one-index-fails "" yes
setup
expect_rc 0
expect_out "apt-get update failed for an index"
expect_out "Err:6 http://deb.example/debian-security bookworm-security/main i386 Packages"
expect_out "trying again"
expect_no_out "SKIPPED"

new_case win32-unresolvable "wine32:i386" yes
setup
expect_rc 0
expect_out "setup: removing the i386 architecture again"
expect_out "setup: the 32-bit suites will be SKIPPED: wine32:i386 cannot be installed: wine32:i386 : Depends: libwine32:i386-dep"
expect_out "(the update had failed: Err:6 "
expect_archs ""
tests
expect_rc 0
expect_out "test: win32: SKIPPED the 32-bit suites: wine32:i386 cannot be installed: wine32:i386 : Depends:"
expect_out "NOT everything ran"
expect_no_out "all presets passed"
# What run.sh sets up still works afterwards, and so does a second full set-up.
setup --win64
expect_rc 0
expect_no_out "update failed"
setup
expect_rc 0
expect_out "setup: the 32-bit suites will be SKIPPED"
expect_archs ""

new_case win64-unresolvable "wine64" no
setup --win64
expect_rc 1
expect_out "setup: FAILED: cannot install what the 64-bit build and its tests need:"
expect_out "wine64"
expect_out "setup: apt says: wine64 : Depends: libwine64-dep (= 8.0-4) but it is not going to be installed"
tests
[ "$rc" != 0 ] || fail "test.sh passed although set-up failed"
expect_no_out "=== linux"

if [ "$failures" -gt 0 ]; then
  echo "setup decisions: $failures failed"
  exit 1
fi
echo "setup decisions: every case held"
