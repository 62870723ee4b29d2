#!/usr/bin/env bash
# Measures what the clock face costs under Wine, against the least a clock
# window can cost:
#  - tockmere.exe, the floor program (a layered window of the same size
#    that copies a prepared bitmap once a second) and the floor with text
#    (which also draws a line with GDI+ each second, every GDI+ object made
#    once) run side by side; over the same stretch of time each one's CPU
#    time (utime + stime of the process, and the run time of all its
#    threads) and resident memory are read from /proc;
#  - paint_timing.exe times one paintFace against one GdipDrawString and one
#    BitBlt.
# Runs under an Xvfb and a Wine prefix of its own (BUILD/bench-env).
#   tools/benchmark-face.sh [BUILD]   BUILD: a Windows build tree (build/i686 or build/x86_64)
#   BENCH_SECONDS=60                  length of the idle measurement
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
if [ -n "${1:-}" ]; then
  build=$(cd "$1" && pwd)
else
  # shellcheck source=tools/windows-tree.sh
  . tools/windows-tree.sh
  pick_windows_tree
  build=$root/build/$tree
fi
seconds=${BENCH_SECONDS:-60}
harness=$root/tests/harness
envdir=$build/bench-env

build_log=$(mktemp)
cmake --build "$build" -j2 --target tockmere face_font bench_floor bench_floor_text bench_paint_timing >"$build_log" 2>&1 ||
  { cat "$build_log" >&2; rm -f "$build_log"; exit 1; }
rm -f "$build_log"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$harness/wine-env.sh" stop "$envdir" >/dev/null 2>&1 || true
}
trap cleanup EXIT
"$harness/wine-env.sh" start "$envdir" "$(cat "$build/windows-arch")" >/dev/null
# shellcheck disable=SC1091
. "$envdir/env"

# The clock with its default settings; a key of its own keeps the first-start
# help away.
"$WINE_LOADER" reg add 'HKCU\Software\Vellomar\Tockmere' /v Scale /t REG_DWORD /d 100 /f \
  >/dev/null 2>&1 </dev/null

window_of() {
  local found=
  for _ in $(seq 100); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -n1) && [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "benchmark: no window named $1" >&2; exit 1; }
  echo "$found"
}

"$WINE_LOADER" "$build/tockmere.exe" >"$envdir/clock.log" 2>&1 </dev/null &
clock=$!
pids+=("$clock")
eval "$(xdotool getwindowgeometry --shell "$(window_of '^Tockmere$')")"
"$WINE_LOADER" "$build/bench/floor.exe" "$WIDTH" "$HEIGHT" >"$envdir/floor.log" 2>&1 </dev/null &
floor=$!
pids+=("$floor")
window_of '^Tockmere floor$' >/dev/null
"$WINE_LOADER" "$build/bench/floor_text.exe" "$WIDTH" "$HEIGHT" >"$envdir/floor_text.log" 2>&1 </dev/null &
floor_text=$!
pids+=("$floor_text")
window_of '^Tockmere floor text$' >/dev/null

# utime + stime of the whole process, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Run time of all the process's threads, in microseconds.
runtime_us() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum / 1000 }'; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

sleep 5  # past start-up
declare -A ticks0 run0
for pid in "${pids[@]}"; do ticks0[$pid]=$(ticks "$pid"); run0[$pid]=$(runtime_us "$pid"); done
sleep "$seconds"
declare -A ticks1 run1 rss
for pid in "${pids[@]}"; do
  ticks1[$pid]=$(ticks "$pid"); run1[$pid]=$(runtime_us "$pid"); rss[$pid]=$(rss_kb "$pid")
done

hz=$(getconf CLK_TCK)
report() {
  local name=$1 pid=$2
  printf '%-15s %4d ticks (%d ms) %10.1f ms run time %9d kB resident\n' "$name" \
    $((ticks1[$pid] - ticks0[$pid])) $(((ticks1[$pid] - ticks0[$pid]) * 1000 / hz)) \
    "$(awk -v us=$((run1[$pid] - run0[$pid])) 'BEGIN { print us / 1000 }')" "${rss[$pid]}"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "n/a" }'; }

echo "Idle, ${seconds} s side by side, face ${WIDTH} x ${HEIGHT} pixels:"
report tockmere.exe "$clock"
report floor.exe "$floor"
report floor_text.exe "$floor_text"
for pair in "tockmere.exe $clock" "floor_text.exe $floor_text"; do
  read -r name pid <<<"$pair"
  echo "$name against floor.exe:" \
    "CPU $(ratio $((ticks1[$pid] - ticks0[$pid])) $((ticks1[$floor] - ticks0[$floor]))) (utime + stime)," \
    "$(ratio $((run1[$pid] - run0[$pid])) $((run1[$floor] - run0[$floor]))) (thread run time);" \
    "memory $(ratio "${rss[$pid]}" "${rss[$floor]}")"
done
echo

echo "One frame:"
"$WINE_LOADER" "$build/bench/paint_timing.exe" 2000 >"$envdir/paint.log" 2>&1 </dev/null
cat "$envdir/paint.log"
