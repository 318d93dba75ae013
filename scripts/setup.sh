#!/usr/bin/env bash
# Installs what the build and the tests need, only what is missing, so a second run
# costs a second. Debian packages; run as root (or with sudo on PATH).
#
# Two groups. What the 64-bit build, its tests and run.sh need must install, or set-up
# fails naming the packages and apt's reason. The 32-bit group (the i686 compiler,
# wine32:i386, the emulator) may not: a mirror in the middle of a sync can serve a
# stale i386 index, and then set-up goes on and writes the reason to
# build/win32-unavailable, which test.sh prints as a skip of the 32-bit suites. A
# failed index alone never stops set-up; the installs tell what can be had.
# With --win64, only the first group (what scripts/run.sh needs).
# Usage: setup.sh [--win64]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=yes
case ${1:-} in
  '') ;;
  --win64) win32= ;;
  *) echo "usage: setup.sh [--win64]" >&2; exit 2 ;;
esac
tries=${TOSVIK_APT_TRIES:-3}
pause=${TOSVIK_APT_PAUSE:-5}
unavailable=$root/build/win32-unavailable

packages64=(
  cmake make g++ libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64
  wine wine64 fonts-wine xvfb xauth fonts-wqy-microhei xdotool imagemagick x11-utils
  locales python3 time file libssl-dev
)

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

apt_log=$(mktemp "${TMPDIR:-/tmp}/tosvik-apt.XXXXXX")
trap 'rm -f "$apt_log"' EXIT

# apt-get with its arguments, tried again after a pause when it fails; its output is
# shown and kept in $apt_log for apt_reason.
apt_() {
  local i
  for (( i = 1; ; i++ )); do
    if sudo_ env DEBIAN_FRONTEND=noninteractive apt-get "$@" 2>&1 | tee "$apt_log"; then
      return 0
    fi
    # Unmet dependencies stay unmet however often we ask.
    ! grep -qE 'Unable to correct problems|unmet dependencies' "$apt_log" || return 1
    [ "$i" -lt "$tries" ] || return 1
    echo "setup: apt-get $1 failed; trying again in $pause s ($i of $tries)"
    sleep "$pause"
  done
}

# What apt said went wrong, in one line: its errors and the unmet dependencies.
apt_reason() {
  local why
  why=$(grep -E '^(E|Err):|: Depends:|Depends:.*but' "$apt_log" | grep -v 'Some index files failed' |
        sed -E 's/^[[:space:]]+//; s/[[:space:]]+/ /g' | head -n 4 | paste -sd ';' | sed 's/;/; /g')
  [ -n "$why" ] || why=$(grep -v '^[[:space:]]*$' "$apt_log" | tail -n 1)
  printf '%s' "${why:0:400}"
}

updated=
index_why=
# One update a run, unless the architectures change; a failed index is only noted.
apt_update() {
  [ -z "$updated" ] || return 0
  updated=yes
  apt_ update -q && return 0
  index_why=$(grep -m 1 -E '^(Err|E):' "$apt_log" | sed -E 's/[[:space:]]+/ /g')
  echo "setup: apt-get update failed for an index ($(apt_reason)); going on: the installs tell what can be had"
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing_of() {
  local p
  missing=()
  for p; do installed "$p" || missing+=("$p"); done
}

install_() { apt_update; apt_ install -y -q --no-install-recommends "$@"; }

missing_of "${packages64[@]}"
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! install_ "${missing[@]}"; then
    echo "setup: FAILED: cannot install what the 64-bit build and its tests need: ${missing[*]}"
    echo "setup: apt says: $(apt_reason)"
    exit 1
  fi
fi

# Wine takes its ANSI code page from the locale: the tests run under zh_CN (936),
# en_US and C (1252); C.UTF-8 comes with Debian.
for loc in zh_CN en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\\.utf-\\?8$"; then
    echo "setup: generating the $loc.UTF-8 locale"
    sudo_ localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
  fi
done

[ -n "$win32" ] || exit 0

# The 32-bit group, each part judged on its own; the first failure is the reason.
why=
if ! installed g++-mingw-w64-i686; then
  echo "setup: installing g++-mingw-w64-i686"
  install_ g++-mingw-w64-i686 || why="g++-mingw-w64-i686 cannot be installed: $(apt_reason)"
fi

if [ -z "$why" ] && ! installed wine32:i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    sudo_ dpkg --add-architecture i386
    updated=
  fi
  echo "setup: installing wine32:i386"
  install_ wine32:i386 || why="wine32:i386 cannot be installed: $(apt_reason)${index_why:+ (the update had failed: $index_why)}"
  # An i386 architecture with nothing of it installed only makes every later update
  # fail on its index: take it away, so run.sh's set-up is not locked out.
  if [ -n "$why" ] && ! dpkg-query -W -f='${Architecture} ${Status}\n' 2>/dev/null |
                       grep -q '^i386 .*install ok installed'; then
    echo "setup: removing the i386 architecture again, as nothing of it could be installed"
    sudo_ dpkg --remove-architecture i386
  fi
fi

# This kernel cannot run 32-bit programs, so Wine's 32-bit loader runs under qemu's
# user-mode emulator. Bookworm's own qemu is too old for Wine (it ignores
# MAP_FIXED_NOREPLACE); the static qemu-i386 of the backports suite of the mirror this
# machine already uses will do. It is unpacked under build/, not installed.
qemu_dir=$root/build/qemu
fetch_emulator() {
  . /etc/os-release
  local suite=$VERSION_CODENAME-backports mirror apt_dir pkg bin
  mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v RS= -v s="$VERSION_CODENAME" '
    $0 ~ "(^|\n)Suites:([^\n]* )?" s "( |\n|$)" { if (match($0, /URIs:[ \t]*[^ \t\n]+/)) { u = substr($0, RSTART, RLENGTH); sub(/URIs:[ \t]*/, "", u); print u; exit } }')
  [ -n "$mirror" ] || mirror=$(awk -v s="$VERSION_CODENAME" '$1 == "deb" { sub(/ \[[^]]*\]/, ""); if ($3 == s) { print $2; exit } }' /etc/apt/sources.list 2>/dev/null)
  [ -n "$mirror" ] || { echo "no Debian mirror for $VERSION_CODENAME in the apt sources" >"$apt_log"; return 1; }
  echo "setup: fetching qemu-i386 from $suite"
  apt_dir=$qemu_dir/apt
  rm -rf "$apt_dir" && mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" >"$apt_dir/sources.list"
  local apt=(-q -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
             -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Get::List-Cleanup=0
             -o APT::Sandbox::User=root)
  apt_ "${apt[@]}" update >/dev/null || { rm -rf "$apt_dir"; return 1; }
  # qemu-user has the static binaries since qemu 9; before, qemu-user-static had them.
  for pkg in qemu-user qemu-user-static; do
    (cd "$apt_dir" && apt_ "${apt[@]}" download "$pkg/$suite" >/dev/null) || continue
    dpkg-deb --fsys-tarfile "$apt_dir"/"$pkg"_*.deb | tar -x -C "$apt_dir" --wildcards './usr/bin/qemu-i386*' 2>/dev/null || true
    for bin in "$apt_dir/usr/bin/qemu-i386" "$apt_dir/usr/bin/qemu-i386-static"; do
      if [ -x "$bin" ] && file -L "$bin" | grep -q 'static'; then
        mv "$bin" "$qemu_dir/qemu-i386"
        break 2
      fi
    done
  done
  rm -rf "$apt_dir"
  [ -x "$qemu_dir/qemu-i386" ] || { echo "no static qemu-i386 in $suite" >"$apt_log"; return 1; }
  "$qemu_dir/qemu-i386" --version | head -n 1
}
if [ -z "$why" ] && [ ! -x "$qemu_dir/qemu-i386" ]; then
  fetch_emulator || why="the i386 emulator cannot be fetched: $(apt_reason)"
fi

mkdir -p "$root/build"
if [ -n "$why" ]; then
  printf '%s\n' "$why" >"$unavailable"
  echo "setup: the 32-bit suites will be SKIPPED: $why"
else
  rm -f "$unavailable"
fi
