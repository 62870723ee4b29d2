#!/usr/bin/env bash
# Checks the release files with MinGW's objdump and windres: each is a 32-bit
# PE (i386) for the GUI subsystem, imports only Windows' own DLLs, and carries
# a manifest and a version record of Tockmere 4.02; the shipped tockmere.exe
# has no debugging sections left.
#   check_release.sh tockmere.exe shipped/tockmere.exe tockmere-setup.exe
set -uo pipefail
program=$1 shipped=$2 setup=$3
objdump=i686-w64-mingw32-objdump
version=4.02 version_numbers="4, 0, 2, 0"
# DLLs every Windows from XP on has in its system folder.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll \
gdiplus.dll winmm.dll ole32.dll oleaut32.dll shlwapi.dll version.dll msvcrt.dll ntdll.dll "
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
number_at() { od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '; }  # little-endian, $3 bytes at $2

check_file() {
  local file=$1 name pe dll rc
  name=$(basename "$file") rc=$work/$(basename "$file").rc
  [ -s "$file" ] && [ "$(head -c2 "$file")" = MZ ] || { fail "$file is missing or has no MZ header"; return; }
  pe=$(number_at "$file" 60 4)
  [ "$(od -An -c -j"$pe" -N4 "$file" | tr -d ' ')" = 'PE\0\0' ] || { fail "$name has no PE signature"; return; }
  [ "$(number_at "$file" $((pe + 4)) 2)" = $((0x14c)) ] || fail "$name is not for machine i386 (0x14c)"
  [ "$(number_at "$file" $((pe + 24)) 2)" = $((0x10b)) ] || fail "$name has no PE32 optional header (0x10b)"
  [ "$(number_at "$file" $((pe + 24 + 68)) 2)" = 2 ] || fail "$name is not for subsystem 2 (Windows GUI)"

  local dlls
  dlls=$("$objdump" -p "$file" 2>/dev/null | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$dlls" ] || fail "$name imports nothing (objdump found no import table)"
  for dll in $dlls; do
    [[ $system_dlls == *" $dll "* ]] || fail "$name imports $dll, which Windows does not have"
  done

  i686-w64-mingw32-windres -i "$file" -O rc -o "$rc" 2>/dev/null || { fail "windres cannot read the resources of $name"; return; }
  grep -q '^1 24 /\* RT_MANIFEST \*/' "$rc" || fail "$name has no application manifest (RT_MANIFEST 1)"
  for line in "^ FILEVERSION $version_numbers\$" "^ PRODUCTVERSION $version_numbers\$" \
              "VALUE \"ProductName\", \"Tockmere\"" "VALUE \"FileVersion\", \"$version\"" \
              "VALUE \"ProductVersion\", \"$version\""; do
    grep -q "$line" "$rc" || fail "$name: the version record lacks $line"
  done
}

for file in "$program" "$shipped" "$setup"; do
  check_file "$file"
done
! "$objdump" -h "$shipped" 2>/dev/null | grep -q '\.debug_' || fail "the shipped $(basename "$shipped") still has debugging sections"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "release files OK: tockmere.exe $(stat -c %s "$program") bytes as built," \
     "$(stat -c %s "$shipped") as shipped; setup $(stat -c %s "$setup") bytes;" \
     "imports: $("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
