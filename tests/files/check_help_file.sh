#!/usr/bin/env bash
# Checks the compiled help file Tockmere.chm with chmls (fp-utils):
#  - every page, the stylesheet, the contents and the index are inside;
#  - the context ids the program opens (1, 2, 3, 5, 6) map to their topics,
#    stored as /page.htm (not as a path of the build machine);
#  - the window definition has a navigation pane, so the contents show;
#  - every link between the pages points at a file that is inside.
#   check_help_file.sh Tockmere.chm
set -uo pipefail
chm=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -s "$chm" ] || { echo "FAIL: no help file at $chm"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# chmls writes what it extracts beside the file it reads: use a copy.
cp "$chm" "$work/Tockmere.chm"
cd "$work"

chmls -p list -n Tockmere.chm >list.txt 2>/dev/null || fail "chmls cannot list the file"
for entry in /getting_started.htm /settings.htm /advanced_settings.htm /alarm.htm \
             /alarm_editor.htm /reminder.htm /ringing.htm /tockmere.css \
             /tockmere.hhc /tockmere.hhk /#WINDOWS /#IVB; do
  grep -qxF "$entry" list.txt || fail "$entry is missing from the help file"
done

# Context ids: chmls writes Tockmere.h (#define name id) and Tockmere.ali
# (name=target).
chmls extractalias Tockmere.chm >/dev/null 2>&1
if [ ! -s Tockmere.h ] || [ ! -s Tockmere.ali ]; then
  fail "the help file has no context ids"
else
  declare -A target_of_id
  while IFS== read -r name target; do
    id=$(awk -v n="$name" '$1 == "#define" && $2 == n { print $3 }' Tockmere.h)
    target_of_id[$id]=${target%$'\r'}
  done <Tockmere.ali
  expect_id() {
    local id=$1 page=$2 got=${target_of_id[$1]:-}
    [ "$got" = "$page" ] || fail "context id $id maps to '${got:-nothing}', expected '$page'"
  }
  expect_id 1 /alarm.htm
  expect_id 2 /settings.htm
  expect_id 3 /advanced_settings.htm
  expect_id 5 /reminder.htm
  expect_id 6 /getting_started.htm
  for id in "${!target_of_id[@]}"; do
    target=${target_of_id[$id]}
    [[ $target =~ ^/[a-z_]+\.htm$ ]] || fail "context id $id is stored as '$target', not as /page.htm"
    grep -qxF "$target" list.txt || fail "context id $id maps to '$target', which is not in the file"
  done
fi

chmls -p printwindows Tockmere.chm >windows.txt 2>/dev/null
width=$(sed -n 's/.*Width of the navigation pane in pixels *: *\([0-9A-Fa-f]*\).*/\1/p' windows.txt)
if [ -z "$width" ] || [ $((16#$width)) -lt 100 ]; then
  fail "the window definition has no usable navigation pane width ('$width')"
fi
grep -q 'TOC File *: tockmere.hhc' windows.txt || fail "the window definition names no contents file"
grep -q 'Navigation pane width' windows.txt || fail "the navigation pane width is not marked valid"

# Links between the pages, and the entries of the contents and index.
mkdir pages
chmls extractall Tockmere.chm pages >/dev/null 2>&1
for file in pages/*.htm pages/tockmere.hhc pages/tockmere.hhk; do
  [ -s "$file" ] || { fail "cannot extract $file"; continue; }
  for link in $(grep -oiE '(href|value)="[a-z_]+\.(htm|css)"' "$file" | sed 's/.*="\(.*\)"/\1/' | sort -u); do
    grep -qxF "/$link" list.txt || fail "$(basename "$file") links to $link, which is not in the help file"
  done
done
for page in pages/*.htm; do
  grep -qiE '<title>[^<]+</title>' "$page" || fail "$(basename "$page") has no title"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "help file OK: $(grep -c '\.htm$' list.txt) pages, context ids 1 2 3 5 6 mapped"
