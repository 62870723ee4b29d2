#!/usr/bin/env bash
# Checks the release files of one Windows tree with MinGW's objdump and
# windres: each is a PE for the tree's machine (i386 for the 32-bit clock,
# x86-64 for the 64-bit one) and the GUI subsystem, imports only Windows' own
# DLLs, and carries a manifest for that processor and a version record of
# Tockmere 4.02; the shipped tockmere.exe has no debugging sections left.
#   check_release.sh ARCH tockmere.exe shipped/tockmere.exe setup.exe
set -euo pipefail
arch=$1 program=$2 shipped=$3 setup=$4
case "$arch" in
  i686) tools=i686-w64-mingw32 machine=$((0x14c)) optional=$((0x10b)) manifest_arch=x86 ;;
  x86_64) tools=x86_64-w64-mingw32 machine=$((0x8664)) optional=$((0x20b)) manifest_arch=amd64 ;;
  *) echo "check_release: unknown architecture $arch"; exit 2 ;;
esac
objdump=$tools-objdump
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
  [ "$(number_at "$file" $((pe + 4)) 2)" = "$machine" ] || fail "$name is not for machine $arch ($machine)"
  [ "$(number_at "$file" $((pe + 24)) 2)" = "$optional" ] || fail "$name has no optional header of type $optional"
  [ "$(number_at "$file" $((pe + 24 + 68)) 2)" = 2 ] || fail "$name is not for subsystem 2 (Windows GUI)"

  local dlls
  dlls=$("$objdump" -p "$file" 2>/dev/null | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$dlls" ] || fail "$name imports nothing (objdump found no import table)"
  for dll in $dlls; do
    [[ $system_dlls == *" $dll "* ]] || fail "$name imports $dll, which Windows does not have"
  done

  "$tools-windres" -i "$file" -O rc -o "$rc" 2>/dev/null || { fail "windres cannot read the resources of $name"; return; }
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
# The clock's manifest asks for the common controls of its own processor.
"$tools-windres" -i "$program" -O rc -o "$work/program.rc" 2>/dev/null
[ "$(grep -o 'processorArchitecture=[^a-z0-9]*[a-z0-9]*' "$work/program.rc" | sed 's/.*[^a-z0-9]//' | sort -u)" = "$manifest_arch" ] ||
  fail "the manifest of $(basename "$program") does not name the processor $manifest_arch"
! "$objdump" -h "$shipped" 2>/dev/null | grep -q '\.debug_' || fail "the shipped $(basename "$shipped") still has debugging sections"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "release files OK ($arch): tockmere.exe $(stat -c %s "$program") bytes as built," \
     "$(stat -c %s "$shipped") as shipped; $(basename "$setup") $(stat -c %s "$setup") bytes;" \
     "imports: $("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
