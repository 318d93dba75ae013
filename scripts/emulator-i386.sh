# Sourced after session.sh: lets this run start Wine's 32-bit loader, a 32-bit x86
# Linux program, which this kernel cannot run itself. qemu's user-mode emulator
# (build/qemu/qemu-i386, fetched by setup.sh) is registered with binfmt_misc for 32-bit
# x86 programs until the caller exits; the F flag makes the kernel open it at once, so
# it is found from any process. The newest registration wins over an older emulator's.
# tosvik_i386_enable returns 0 when 32-bit programs start, else sets tosvik_i386_why.
tosvik_i386_why=

tosvik_i386_enable() {
  local loader=/usr/lib/wine/wine binfmt=/proc/sys/fs/binfmt_misc name=tosvik-i386-$$ qemu
  qemu=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/qemu/qemu-i386
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  if [ ! -x "$loader" ]; then
    tosvik_i386_why="Wine's 32-bit loader ($loader, package wine32:i386) is not installed"
    return 1
  fi
  if [ "$(id -u)" != 0 ]; then
    tosvik_i386_why="not root, so the i386 emulator cannot be registered with binfmt_misc"
  elif [ ! -x "$qemu" ]; then
    tosvik_i386_why="no emulator at $qemu (scripts/setup.sh fetches it)"
  elif ! mountpoint -q "$binfmt" && ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
    tosvik_i386_why="binfmt_misc cannot be mounted at $binfmt"
  elif ! printf '%s' ":$name:M::$magic:$mask:$qemu:F" >"$binfmt/register" 2>/dev/null; then
    tosvik_i386_why="binfmt_misc refused the emulator's registration"
  else
    tosvik_at_exit+=("echo -1 >$binfmt/$name")
    "$loader" --version >/dev/null 2>&1 && return 0
    tosvik_i386_why="Wine's 32-bit loader does not start under $qemu"
    return 1
  fi
  # Without our emulator, a kernel that runs 32-bit programs itself will do.
  "$loader" --version >/dev/null 2>&1
}
