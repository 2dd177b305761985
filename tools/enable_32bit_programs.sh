#!/usr/bin/env bash
# Lets this machine run 32-bit x86 programs (the -m32 test build and 32-bit Wine), as root.
#
# Some kernels run no 32-bit program ("Exec format error"). There the kernel is told, through
# binfmt_misc, to hand every 32-bit x86 ELF program to qemu-i386 (user-mode emulation, from
# Debian's qemu-user). The F flag opens the emulator once, now, so that it serves every later
# program whatever its root or namespace. This changes the machine until it is rebooted or the
# entry is removed (echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386). On a kernel that runs 32-bit
# programs itself nothing is changed.
set -euo pipefail
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"' EXIT
printf 'int main(void) { return 0; }\n' >"$probe_dir/probe.c"
gcc -m32 -o "$probe_dir/probe" "$probe_dir/probe.c"
"$probe_dir/probe" 2>/dev/null && exit 0

registry=/proc/sys/fs/binfmt_misc
[ -e "$registry/register" ] || mount -t binfmt_misc binfmt_misc "$registry"
if [ ! -e "$registry/qemu-i386" ]; then
  emulator=$(command -v qemu-i386) || { echo "qemu-i386 is not installed (package qemu-user)" >&2; exit 1; }
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:$emulator:F" >"$registry/register"
fi
"$probe_dir/probe" || { echo "32-bit programs still do not run through qemu-i386" >&2; exit 1; }
echo "32-bit x86 programs now run through qemu-i386 (binfmt_misc)"
