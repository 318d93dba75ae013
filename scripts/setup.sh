#!/usr/bin/env bash
# Installs what the build and the tests need, only what is missing, so a second run
# costs a second. Debian packages; run as root (or with sudo on PATH). With --win64,
# only what the x86-64 program needs to build and start (scripts/run.sh): no 32-bit
# Wine and no emulator, which cost a fresh machine more than a minute.
# Usage: setup.sh [--win64]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=yes
case ${1:-} in
  '') ;;
  --win64) win32= ;;
  *) echo "usage: setup.sh [--win64]" >&2; exit 2 ;;
esac

packages=(
  cmake make g++ libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64
  wine wine64 fonts-wine xvfb xauth fonts-wqy-microhei xdotool imagemagick x11-utils
  locales python3 time file libssl-dev
)
# The shipped 32-bit program, and Wine's loader that runs it through the emulator
# fetched below.
[ -z "$win32" ] || packages+=(g++-mingw-w64-i686 wine32:i386)

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if [ -n "$win32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  sudo_ dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_ apt-get update -q
  DEBIAN_FRONTEND=noninteractive sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: the tests run under zh_CN (936),
# en_US and C (1252); C.UTF-8 comes with Debian.
for loc in zh_CN en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\\.utf-\\?8$"; then
    echo "setup: generating the $loc.UTF-8 locale"
    sudo_ localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
  fi
done

# This kernel cannot run 32-bit programs, so Wine's 32-bit loader runs under qemu's
# user-mode emulator. Bookworm's own qemu is too old for Wine (it ignores
# MAP_FIXED_NOREPLACE); the static qemu-i386 of the backports suite of the mirror this
# machine already uses will do. It is unpacked under build/, not installed.
qemu_dir=$root/build/qemu
if [ -n "$win32" ] && [ ! -x "$qemu_dir/qemu-i386" ]; then
  . /etc/os-release
  suite=$VERSION_CODENAME-backports
  mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v RS= -v s="$VERSION_CODENAME" '
    $0 ~ "(^|\n)Suites:([^\n]* )?" s "( |\n|$)" { if (match($0, /URIs:[ \t]*[^ \t\n]+/)) { u = substr($0, RSTART, RLENGTH); sub(/URIs:[ \t]*/, "", u); print u; exit } }')
  [ -n "$mirror" ] || mirror=$(awk -v s="$VERSION_CODENAME" '$1 == "deb" { sub(/ \[[^]]*\]/, ""); if ($3 == s) { print $2; exit } }' /etc/apt/sources.list 2>/dev/null)
  [ -n "$mirror" ] || { echo "setup: no Debian mirror for $VERSION_CODENAME in the apt sources"; exit 1; }
  echo "setup: fetching qemu-i386 from $suite"
  apt_dir=$qemu_dir/apt
  rm -rf "$apt_dir" && mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" >"$apt_dir/sources.list"
  apt=(-q -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
       -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Get::List-Cleanup=0
       -o APT::Sandbox::User=root)
  apt-get "${apt[@]}" update >/dev/null
  # qemu-user has the static binaries since qemu 9; before, qemu-user-static had them.
  for pkg in qemu-user qemu-user-static; do
    (cd "$apt_dir" && apt-get "${apt[@]}" download "$pkg/$suite" >/dev/null 2>&1) || continue
    dpkg-deb --fsys-tarfile "$apt_dir"/"$pkg"_*.deb | tar -x -C "$apt_dir" --wildcards './usr/bin/qemu-i386*' 2>/dev/null || true
    for bin in "$apt_dir/usr/bin/qemu-i386" "$apt_dir/usr/bin/qemu-i386-static"; do
      if [ -x "$bin" ] && file -L "$bin" | grep -q 'static'; then
        mv "$bin" "$qemu_dir/qemu-i386"
        break 2
      fi
    done
  done
  rm -rf "$apt_dir"
  [ -x "$qemu_dir/qemu-i386" ] || { echo "setup: no static qemu-i386 in $suite"; exit 1; }
  "$qemu_dir/qemu-i386" --version | head -n 1
fi
