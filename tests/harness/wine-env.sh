#!/usr/bin/env bash
# The Wine test environment of one ctest run: its own Xvfb on a free display
# and its own throwaway prefix of the tree's architecture, shared by the
# run's tests.
#   wine-env.sh start DIR ARCH  create DIR with the display, the prefix and
#                               DIR/env (ARCH: i686 or x86_64)
#   wine-env.sh stop DIR        end what start began (by pid and by prefix)
#                               and remove the prefix
set -euo pipefail
action=$1
dir=$2
arch=${3:-i686}
here=$(cd "$(dirname "$0")" && pwd)

stop() {
  [ -f "$dir/env" ] || return 0
  # shellcheck disable=SC1091
  . "$dir/env"
  "$WINE_SERVER" -k >/dev/null 2>&1 || true
  for pidfile in "$dir/xkbevd.pid" "$dir/xvfb.pid"; do
    if [ -f "$pidfile" ]; then
      kill "$(cat "$pidfile")" 2>/dev/null || true
    fi
  done
  rm -rf "$dir/prefix" "$dir/env" "$dir/xvfb.pid" "$dir/xkbevd.pid"
}

start() {
  stop
  rm -rf "$dir"
  mkdir -p "$dir/home"

  # Xvfb picks a free display itself and writes its number to fd 3.
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }

  # Wine's one sound device writes every sample it plays to sound.raw
  # (S16LE as in the wave file), so tests can prove what was played.
  cat >"$dir/home/.asoundrc" <<ASOUND
pcm.!default {
  type file
  slave.pcm "null"
  file "|cat >> $dir/sound.raw"
  format "raw"
}
ASOUND

  {
    echo "export DISPLAY=:$(head -n1 "$dir/display")"
    echo "export WINEPREFIX=$dir/prefix"
    bash "$here/wine-arch.sh" "$arch"
    echo 'export WINEDEBUG=-all'
    echo 'export WINEDLLOVERRIDES="mscoree,mshtml="'
    echo 'export TZ=UTC LANG=C.UTF-8 LC_ALL=C.UTF-8'
    echo "export HOME=$dir/home"
    echo "export TOCKMERE_WINE_DIR=$dir"
  } >"$dir/env"
  # shellcheck disable=SC1091
  . "$dir/env"

  # Wine rings MessageBeep as the X bell: xkbevd (it comes with the X
  # server) adds a line to bells.log for each, so tests can count beeps.
  : >"$dir/bells.log"
  echo "Bell() shell \"echo >> $dir/bells.log\"" >"$dir/xkbevd.cf"
  setsid xkbevd -cfg "$dir/xkbevd.cf" </dev/null >"$dir/xkbevd.log" 2>&1 &
  echo $! >"$dir/xkbevd.pid"

  "$WINE_LOADER" wineboot.exe -i >"$dir/wineboot.log" 2>&1 </dev/null
  "$WINE_SERVER" -w
  # Unmanaged windows: without a window manager, managed ones stall on close.
  "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$dir/wineboot.log" 2>&1 </dev/null
  # The face font the build made, where GDI+ finds it.
  fonts=("$dir"/../fonts/*.ttf)
  [ -f "${fonts[0]}" ] || { echo "wine-env: no face font in $dir/../fonts (build the face_font target)" >&2; exit 1; }
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f "${fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/"
  # A persistent server keeps later program starts fast.
  setsid "$WINE_SERVER" -p </dev/null >/dev/null 2>&1 || true
  "$WINE_LOADER" cmd.exe /c exit >>"$dir/wineboot.log" 2>&1 </dev/null
  echo "wine environment ready ($arch): $DISPLAY, $WINEPREFIX"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start DIR ARCH | stop DIR" >&2; exit 2 ;;
esac
