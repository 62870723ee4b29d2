#!/usr/bin/env bash
# Takes the pictures in docs/screenshots: the clock face in the four
# background styles, each with the time alone and with seconds, day and date,
# one just after midnight on 10 April, when the date has grown a digit, the
# face in Arabic and Korean, and at 144 dpi the face, the settings sheet and
# a ringing alarm's message window and the window of missed alarms.
# Runs the real tockmere.exe under an Xvfb and a Wine prefix of its own (the
# test harness's, in BUILD/screenshots-env), at a fixed time of day.
#   tools/screenshots.sh [BUILD]    BUILD: a Windows build tree (build/i686 or build/x86_64)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# shellcheck source=tools/windows-tree.sh
. tools/windows-tree.sh
pick_windows_build "${1:-}"
out=$root/docs/screenshots
harness=$root/tests/harness
envdir=$build/screenshots-env

build_log=$(mktemp)
cmake --build "$build" -j2 --target tockmere face_font timeshift >"$build_log" 2>&1 ||
  { cat "$build_log" >&2; rm -f "$build_log"; exit 1; }
rm -f "$build_log"
program=$build/tockmere.exe

cleanup() { "$harness/wine-env.sh" stop "$envdir" >/dev/null 2>&1 || true; }
trap cleanup EXIT
"$harness/wine-env.sh" start "$envdir" "$(cat "$build/windows-arch")" >/dev/null
# shellcheck disable=SC1091
. "$envdir/env"
# The clock shifter of each ABI; the loader picks the one of its process.
export LD_LIBRARY_PATH=$build/timeshift/32:$build/timeshift/64
export TOCKMERE_CLOCK_FILE=$envdir/clock
mkdir -p "$out"

# By default Wednesday 17 March 2027, 14:05:09 (the prefix runs in UTC): the
# shifter adds the difference to the realtime clock of every program started
# after.
set_clock() {
  local target now
  target=$(date -u -d "${1:-2027-03-17 14:05:09}" +%s%N)
  now=$(date -u +%s%N)
  echo $((target - now)) >"$TOCKMERE_CLOCK_FILE"
}

# Replaces the program's settings with "Name"=value pairs (DWORDs).
settings() {
  local reg=$envdir/settings.reg
  {
    printf 'REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\Vellomar\\Tockmere]\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Vellomar\\Tockmere]\n'
    for pair in "$@"; do
      printf '"%s"=dword:%08x\n' "${pair%=*}" "${pair##*=}"
    done
  } >"$reg"
  # Wine maps the Linux root to drive Z:.
  "$WINE_LOADER" regedit /s "Z:${reg//\//\\}" >/dev/null 2>&1 </dev/null
}

# Starts the clock at the time $1 (or the default) and sets clock and window.
start_clock() {
  set_clock "${1:-}"
  # In the user locale $clock_locale, when set: Wine takes it from the
  # program's environment.
  env ${clock_locale:+"LC_ALL=$clock_locale" "LANG=$clock_locale"} LD_PRELOAD=libtimeshift.so \
    "$WINE_LOADER" "$program" >"$envdir/clock.log" 2>&1 </dev/null &
  clock=$!
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --name '^Tockmere$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "screenshots: the clock window did not appear" >&2; kill "$clock"; exit 1; }
}

end_clock() {
  kill "$clock"
  wait "$clock" 2>/dev/null || true
}

# Crops the window $1 out of the screen into $2.png.
crop() {
  # shellcheck disable=SC2046
  eval $(xdotool getwindowgeometry --shell "$1")
  import -window root "$envdir/screen.png"
  convert "$envdir/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$2.png"
  echo "$out/$2.png (${WIDTH}x${HEIGHT})"
}

# Starts the clock at the time $2 (or the default), waits $3 seconds (1.5)
# for it to be sized, placed and painted, crops its window into $1, ends it.
shoot() {
  start_clock "${2:-}"
  sleep "${3:-1.5}"
  crop "$window" "$1"
  end_clock
}

styles=(solid soft gradient glass)
for type in 0 1 2 3; do
  style=${styles[$type]}
  settings "Background type=$type"
  shoot "$style"
  settings "Background type=$type" "Show seconds=1" "Show day of the week=1" "Show date=1"
  shoot "$style-seconds-date"
done
# The clock was started the evening before and runs past midnight: the face
# grows for the longer date by itself.
settings "Show date=1"
shoot soft-date-after-midnight '2027-04-09 23:59:58' 3.5

# In other scripts: Arabic (Egypt) and Korean, with seconds and date.
settings "Show seconds=1" "Show date=1"
for locale in ar_EG ko_KR; do
  clock_locale=$locale.UTF-8 shoot "soft-seconds-date-${locale/_/-}"
done

# At 144 dpi (150 %): the face with seconds and day, and the settings
# sheet opened from the clock's menu. Wine reads the DPI when its server
# starts.
"$WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 </dev/null
"$WINE_SERVER" -k >/dev/null 2>&1 || true
"$WINE_SERVER" -w || true
setsid "$WINE_SERVER" -p </dev/null >/dev/null 2>&1 || true
# With the date the face (1379 pixels) would be wider than the 1280-pixel screen.
settings "Background type=1" "Show seconds=1" "Show day of the week=1"
shoot "soft-seconds-day-144dpi"

# The clock near the top-left corner, so the sheet opens wholly on the screen.
settings "Background type=1" "Show seconds=1" "Show day of the week=1" "X=40" "Y=40"
start_clock
sleep 1.5
# The menu's first item, "Settings...", from the keyboard.
xdotool mousemove --window "$window" 20 20 click 3
sleep 1
xdotool key Down Return
sheet=
for _ in $(seq 100); do
  sheet=$(xdotool search --name '^Tockmere$' 2>/dev/null | grep -v "^$window\$" | head -n1) && [ -n "$sheet" ] && break
  sleep 0.1
done
[ -n "$sheet" ] || { echo "screenshots: the settings sheet did not open" >&2; kill "$clock"; exit 1; }
sleep 1.5
crop "$sheet" settings-144dpi
end_clock

# A ringing alarm's message window, with its Snooze, at 144 dpi.
# Daily alarms, slot by slot, from "HH:MM=Description" arguments.
alarms() {
  local reg=$envdir/alarms.reg slot=0 pair
  {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vellomar\\Tockmere\\Events]\n'
    for alarm in "$@"; do
      local time=${alarm%%=*}
      for pair in is_on=1 hours=$((10#${time%:*})) minutes=$((10#${time#*:})) period=0 days=127 base_date_day=1 base_date_month=1; do
        printf '"Event_%02d_%s"=dword:%08x\n' "$slot" "${pair%=*}" "${pair##*=}"
      done
      printf '"Event_%02d_description"="%s"\n' "$slot" "${alarm#*=}"
      slot=$((slot + 1))
    done
  } >"$reg"
  "$WINE_LOADER" regedit /s "Z:${reg//\//\\}" >/dev/null 2>&1 </dev/null
}

# Waits for the clock's window captioned $1 and crops it into $2.
crop_window_named() {
  local found=
  for _ in $(seq 100); do
    found=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "screenshots: no window \"$1\"" >&2; kill "$clock"; exit 1; }
  sleep 1
  crop "$found" "$2"
}

settings "Show dialog box for alarm=1" "X=40" "Y=40"
alarms "07:30=Wake up"
start_clock '2027-03-17 07:29:58'
crop_window_named "Message from Tockmere" message-144dpi
end_clock

# A sleep from 07:38 to 10:00 over three alarms: one window lists them.
settings "Show dialog box for alarm=1" "Show seconds=1" "X=40" "Y=40"
alarms "07:40=Wake" "08:15=Tea" "09:00=Call"
start_clock '2027-03-17 07:38:00'
sleep 2
set_clock '2027-03-17 10:00:00'
crop_window_named "Missed alarms" missed-144dpi
end_clock
