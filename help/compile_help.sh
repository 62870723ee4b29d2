#!/usr/bin/env bash
# Compiles the help project into Tockmere.chm with chmcmd (fp-utils).
#   compile_help.sh HELP_SOURCE_DIR STAGING_DIR OUTPUT_CHM
#
# chmcmd stores the [MAP] targets with the absolute path of the folder it runs
# in, and HTML Help then finds no topic for a context id. So the project is
# laid out flat in a staging folder that becomes chmcmd's root directory:
# the stored targets then read /page.htm. chmcmd and the libraries it loads
# are copied into that root too. The root change uses a user namespace
# (unshare -r -R, no privileges needed) and falls back to chroot for root
# where user namespaces are not allowed.
set -euo pipefail
source_dir=$1
staging=$2
output=$3

rm -rf "$staging"
mkdir -p "$staging"
cp "$source_dir"/tockmere.hhp "$source_dir"/tockmere.hhc "$source_dir"/tockmere.hhk "$staging"/
cp "$source_dir"/html/* "$staging"/

# chmcmd inside the new root: the binary, what ldd names, and the thread
# libraries the Free Pascal runtime opens at start-up.
copy_into_root() {
  local file=$1
  mkdir -p "$staging$(dirname "$file")"
  cp -L "$file" "$staging$file"
}
chmcmd=$(readlink -f "$(command -v chmcmd)")
mkdir -p "$staging/usr/bin"
cp "$chmcmd" "$staging/usr/bin/chmcmd"
libc=
while read -r lib; do
  copy_into_root "$lib"
  case $lib in */libc.so.*) libc=$lib ;; esac
done < <(ldd "$chmcmd" | grep -o '/[^ ]*' | sort -u)
for extra in libpthread.so.0 libdl.so.2; do
  if [ -n "$libc" ] && [ -e "$(dirname "$libc")/$extra" ]; then
    copy_into_root "$(dirname "$libc")/$extra"
  fi
done

log=$staging.log
if unshare -r -R "$staging" -w / /usr/bin/chmcmd tockmere.hhp >"$log" 2>&1 \
   && [ -s "$staging/Tockmere.chm" ]; then
  :
elif [ "$(id -u)" = 0 ] && chroot "$staging" /usr/bin/chmcmd tockmere.hhp >"$log" 2>&1 \
   && [ -s "$staging/Tockmere.chm" ]; then
  :
else
  echo "compile_help: chmcmd could not run in its own root (needs user namespaces, or root for chroot)" >&2
  cat "$log" >&2
  exit 1
fi
# A warning means a page links to a file that is not in the project.
if grep -Eqi '^(warning|error)' "$log"; then
  cat "$log" >&2
  exit 1
fi
mv "$staging/Tockmere.chm" "$output"
