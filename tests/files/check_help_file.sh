#!/usr/bin/env bash
# Checks the compiled help file with chmls (fp-utils): every page is inside,
# and the context ids the program opens (1, 2, 3, 5, 6) map to their topics,
# stored as /page.htm. (The build itself refuses a page that links to a file
# the help file lacks.)
#   check_help_file.sh Tockmere.chm
set -euo pipefail
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -s "$1" ] || { echo "FAIL: no help file at $1"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/Tockmere.chm"  # chmls writes what it extracts beside the file it reads
cd "$work"

chmls -p list -n Tockmere.chm >list.txt 2>/dev/null || fail "chmls cannot list the file"
for entry in /getting_started.htm /settings.htm /advanced_settings.htm /alarm.htm /alarm_editor.htm \
             /reminder.htm /ringing.htm /tockmere.hhc /tockmere.hhk; do
  grep -qxF "$entry" list.txt || fail "$entry is missing from the help file"
done

# chmls writes Tockmere.h (#define name id) and Tockmere.ali (name=target).
chmls extractalias Tockmere.chm >/dev/null 2>&1
for mapping in 1=/alarm.htm 2=/settings.htm 3=/advanced_settings.htm 5=/reminder.htm 6=/getting_started.htm; do
  name=$(awk -v id="${mapping%%=*}" '$1 == "#define" && $3 == id { print $2 }' Tockmere.h)
  target=$(sed -n "s/^$name=//p" Tockmere.ali | tr -d '\r')
  [ -n "$name" ] && [ "$target" = "${mapping#*=}" ] || fail "context id ${mapping%%=*} maps to '$target', expected '${mapping#*=}'"
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "help file OK: $(grep -c '\.htm$' list.txt) pages, context ids 1 2 3 5 6 mapped"
