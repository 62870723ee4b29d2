#!/usr/bin/env bash
# Checks the release files with MinGW's objdump and windres:
#  - each is a 32-bit PE (machine i386, 0x14c) for the GUI subsystem;
#  - each imports only Windows' own DLLs, no MinGW runtime DLL;
#  - each carries a manifest and a version record of Tockmere 4.02;
#  - the shipped tockmere.exe has no debugging sections left.
#   check_release.sh tockmere.exe shipped/tockmere.exe tockmere-setup.exe
set -uo pipefail
program=$1
shipped=$2
setup=$3
objdump=i686-w64-mingw32-objdump
windres=i686-w64-mingw32-windres

version=4.02
version_numbers="4, 0, 2, 0"
# DLLs every Windows from XP on has in its system folder.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll \
gdiplus.dll winmm.dll ole32.dll oleaut32.dll shlwapi.dll version.dll msvcrt.dll ntdll.dll "

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Little-endian unsigned number of $3 bytes at offset $2 of file $1.
number_at() { od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '; }

check_pe() {
  local file=$1 name
  name=$(basename "$file")
  [ -s "$file" ] || { fail "$file is missing"; return 1; }
  if [ "$(head -c2 "$file")" != MZ ]; then
    fail "$name has no MZ header"
    return 1
  fi
  local pe machine magic subsystem
  pe=$(number_at "$file" 60 4)
  [ "$(od -An -c -j"$pe" -N4 "$file" | tr -d ' ')" = 'PE\0\0' ] || { fail "$name has no PE signature"; return 1; }
  machine=$(number_at "$file" $((pe + 4)) 2)
  [ "$machine" = $((0x14c)) ] || fail "$name is for machine $(printf 0x%x "$machine"), expected i386 (0x14c)"
  magic=$(number_at "$file" $((pe + 24)) 2)
  [ "$magic" = $((0x10b)) ] || fail "$name has optional header magic $(printf 0x%x "$magic"), expected PE32 (0x10b)"
  subsystem=$(number_at "$file" $((pe + 24 + 68)) 2)
  [ "$subsystem" = 2 ] || fail "$name is for subsystem $subsystem, expected 2 (Windows GUI)"

  "$objdump" -p "$file" >"$work/headers" 2>&1 || { fail "objdump cannot read $name"; return 1; }
  local dlls dll
  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' "$work/headers" | tr 'A-Z' 'a-z')
  [ -n "$dlls" ] || fail "$name imports nothing (objdump found no import table)"
  for dll in $dlls; do
    [[ $system_dlls == *" $dll "* ]] || fail "$name imports $dll, which Windows does not have"
  done
}

check_resources() {
  local file=$1 name rc
  name=$(basename "$file")
  rc=$work/$name.rc
  "$windres" -i "$file" -O rc -o "$rc" 2>"$work/windres.log" || { fail "windres cannot read the resources of $name"; return 1; }
  grep -q '^1 24 /\* RT_MANIFEST \*/' "$rc" || fail "$name has no application manifest (RT_MANIFEST 1)"
  grep -q 'VERSIONINFO' "$rc" || { fail "$name has no version record"; return 1; }
  grep -q "^ FILEVERSION $version_numbers\$" "$rc" || fail "$name: FILEVERSION is not $version_numbers"
  grep -q "^ PRODUCTVERSION $version_numbers\$" "$rc" || fail "$name: PRODUCTVERSION is not $version_numbers"
  grep -q "VALUE \"ProductName\", \"Tockmere\"" "$rc" || fail "$name: ProductName is not \"Tockmere\""
  grep -q "VALUE \"FileVersion\", \"$version\"" "$rc" || fail "$name: FileVersion is not \"$version\""
  grep -q "VALUE \"ProductVersion\", \"$version\"" "$rc" || fail "$name: ProductVersion is not \"$version\""
}

for file in "$program" "$shipped" "$setup"; do
  check_pe "$file" && check_resources "$file"
done
if "$objdump" -h "$shipped" 2>/dev/null | grep -q '\.debug_'; then
  fail "the shipped $(basename "$shipped") still has debugging sections"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
echo "release files OK: tockmere.exe $(stat -c %s "$program") bytes as built," \
     "$(stat -c %s "$shipped") as shipped; setup $(stat -c %s "$setup") bytes; imports: $imports"
