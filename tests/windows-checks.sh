#!/usr/bin/env bash
# Checks of the 32-bit Windows program that need no Windows: a PE32 executable
# for Intel 80386, the window icon as a group icon resource named "ICON", and
# imports of DLLs that Windows itself ships, so the unzipped folder runs as it is.
set -u
program=$1
fail() { echo "windows-checks: $*" >&2; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$program" 2>/dev/null) || fail "objdump cannot read $program"

grep -q 'file format pei-i386' <<<"$headers" || fail "$program is not a program for Intel 80386"
grep -Eq '^Magic[[:space:]]+010b' <<<"$headers" || fail "$program is not PE32"

# RT_GROUP_ICON is resource type 14; the entry below it must be named ICON.
awk '/Entry: ID: 0x00000e,/ {group = 1; next}
     group && /Entry: name:/ {found = / ICON, /; exit}
     END {exit !found}' <<<"$headers" || fail "$program has no group icon named ICON"

system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|msvcrt|winmm|d3d9|windowscodecs)\.dll$'
imports=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers")
[ -n "$imports" ] || fail "$program imports nothing"
foreign=$(grep -Ev "$system_dlls" <<<"$imports")
[ -z "$foreign" ] || fail "$program needs DLLs that Windows does not ship: $(echo $foreign)"
echo "windows-checks: $program is PE32 for Intel 80386 with the icon ICON, importing only $(echo $imports)"
