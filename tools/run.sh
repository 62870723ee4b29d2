#!/usr/bin/env bash
# Sets everything up, builds tockmere.exe and starts the clock under Wine, in
# a Wine prefix of its own (~/.local/share/tockmere/wine-ARCH, or
# $TOCKMERE_PREFIX). The Windows tree is the one this machine can run (see
# tools/windows-tree.sh; TOCKMERE_ARCH=i686|x86_64 forces one).
# With a display the clock runs there until you choose Exit from its menu.
# Without one it runs under a private Xvfb until its window has been shown
# for a few seconds, writes a screenshot of that desktop to
# build/ARCH/tockmere-screenshot.png and ends; it fails if the clock window
# never appears.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# shellcheck source=tools/windows-tree.sh
. tools/windows-tree.sh

bash tools/setup.sh
pick_windows_tree
cmake --preset "$tree" >/dev/null
cmake --build --preset "$tree" -j"$(nproc)"

eval "$(bash tests/harness/wine-arch.sh "$tree")"
export WINEPREFIX=${TOCKMERE_PREFIX:-$HOME/.local/share/tockmere/wine-$tree}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
build=$root/build/$tree
program=$build/tockmere.exe

prepare_prefix() {
  if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE_LOADER" wineboot.exe -i >/dev/null 2>&1 </dev/null
    "$WINE_SERVER" -w
  fi
  # The face font must be installed for GDI+ to find it.
  local fonts=("$build"/fonts/*.ttf)
  [ -f "${fonts[0]}" ] || { echo "run: no face font in $build/fonts" >&2; exit 1; }
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f "${fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/"
}

if [ -n "${DISPLAY:-}" ]; then
  prepare_prefix
  echo "Starting Tockmere on $DISPLAY (Exit is in its right-click menu)"
  exec "$WINE_LOADER" "$program"
fi

# No display: a private Xvfb, a screenshot, and everything ended again.
work=$(mktemp -d)
xvfb=
clock=
finish() {
  [ -n "$clock" ] && { "$WINE_SERVER" -k 2>/dev/null || true; wait "$clock" 2>/dev/null || true; }
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" </dev/null >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "run: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
prepare_prefix
# Without a window manager, Wine's managed windows stall when dialogs close.
"$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
"$WINE_LOADER" "$program" >"$work/wine.log" 2>&1 </dev/null &
clock=$!

# The clock window (caption "Tockmere") must come up before the picture is
# worth taking.
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Tockmere$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  kill -0 "$clock" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: the clock window did not appear; Wine said:" >&2
  tail -n 20 "$work/wine.log" >&2
  exit 1
fi
sleep 3  # laid out and painted
shot=$build/tockmere-screenshot.png
import -window root "$shot"
echo "No display here: Tockmere ($tree) ran under a private Xvfb; its screenshot is $shot"
