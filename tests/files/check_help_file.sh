#!/usr/bin/env bash
# Checks the compiled help file with chmls (fp-utils): its pages, contents and
# index are inside; the context ids the program opens map to their topics,
# stored as /page.htm; the window has a navigation pane with the contents;
# every link between the pages points at a file that is inside.
#   check_help_file.sh Tockmere.chm
set -uo pipefail
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -s "$1" ] || { echo "FAIL: no help file at $1"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/Tockmere.chm"  # chmls writes what it extracts beside the file it reads
cd "$work"

chmls -p list -n Tockmere.chm >list.txt 2>/dev/null || fail "chmls cannot list the file"
for entry in /getting_started.htm /settings.htm /advanced_settings.htm /alarm.htm /alarm_editor.htm \
             /reminder.htm /ringing.htm /tockmere.css /tockmere.hhc /tockmere.hhk /#WINDOWS /#IVB; do
  grep -qxF "$entry" list.txt || fail "$entry is missing from the help file"
done

# Context ids: chmls writes Tockmere.h (#define name id) and Tockmere.ali (name=target).
chmls extractalias Tockmere.chm >/dev/null 2>&1
declare -A target_of_id
while IFS== read -r name target; do
  target_of_id[$(awk -v n="$name" '$1 == "#define" && $2 == n { print $3 }' Tockmere.h)]=${target%$'\r'}
done <Tockmere.ali
for mapping in 1=/alarm.htm 2=/settings.htm 3=/advanced_settings.htm 5=/reminder.htm 6=/getting_started.htm; do
  id=${mapping%%=*}
  [ "${target_of_id[$id]:-}" = "${mapping#*=}" ] || fail "context id $id maps to '${target_of_id[$id]:-nothing}', expected '${mapping#*=}'"
done
for id in "${!target_of_id[@]}"; do
  [[ ${target_of_id[$id]} =~ ^/[a-z_]+\.htm$ ]] || fail "context id $id is stored as '${target_of_id[$id]}', not as /page.htm"
done

chmls -p printwindows Tockmere.chm >windows.txt 2>/dev/null
width=$(sed -n 's/.*Width of the navigation pane in pixels *: *\([0-9A-Fa-f]*\).*/\1/p' windows.txt)
[ -n "$width" ] && [ $((16#$width)) -ge 100 ] || fail "no usable navigation pane width ('$width')"
grep -q 'TOC File *: tockmere.hhc' windows.txt || fail "the window definition names no contents file"
grep -q 'Navigation pane width' windows.txt || fail "the navigation pane width is not marked valid"

mkdir pages
chmls extractall Tockmere.chm pages >/dev/null 2>&1
for file in pages/*.htm pages/tockmere.hhc pages/tockmere.hhk; do
  [ -s "$file" ] || { fail "cannot extract $file"; continue; }
  [[ $file != *.htm ]] || grep -qiE '<title>[^<]+</title>' "$file" || fail "$file has no title"
  for link in $(grep -oiE '(href|value)="[a-z_]+\.(htm|css)"' "$file" | sed 's/.*="\(.*\)"/\1/' | sort -u); do
    grep -qxF "/$link" list.txt || fail "$file links to $link, which is not in the help file"
  done
done
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "help file OK: $(grep -c '\.htm$' list.txt) pages, context ids 1 2 3 5 6 mapped"
