#!/usr/bin/env bash
# Exits 0 when this machine can start 32-bit x86 programs, found by trying: a
# kernel built without 32-bit emulation refuses them with "Exec format error",
# whatever its name says. The program is the smallest static i386 Linux
# executable there is: one load segment whose code calls exit(0).
set -u
probe=$(mktemp) || exit 1
trap 'rm -f "$probe"' EXIT
elf_header='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
program_header='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'\
'\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
exit_zero='\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'   # mov eax, 1; xor ebx, ebx; int 0x80
printf "$elf_header$program_header$exit_zero" >"$probe" && chmod +x "$probe" || exit 1
"$probe" 2>/dev/null
