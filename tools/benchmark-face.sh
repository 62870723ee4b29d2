#!/usr/bin/env bash
# Measures under Wine, side by side in one run, what the clock costs against
# the least a clock window can cost, and how punctual its ticks are.
#  - Over the same BENCH_SECONDS, for every program below: its CPU time
#    (utime + stime of the process, and the run time of all its threads) and
#    resident memory from /proc, the DLLs it has loaded (from its mappings),
#    and every redraw of its window, seen from outside through the X server's
#    DAMAGE extension (bench/tick_watch.c; nothing in the clock is changed):
#      tockmere.exe of BUILD, with the default settings and with seconds;
#      tockmere.exe of the base (BENCH_BASE, default main), the same two ways;
#      floor.exe: a layered window of the clock's size that copies a prepared
#        bitmap to itself once a second (USER32 and GDI32 only);
#      floor.exe --load: the same, having loaded every DLL the clock loads;
#      floor_text.exe --seconds --load: with the clock's DLLs, draws the
#        time with seconds in the face font each second over a copy of a
#        prepared background, every GDI+ object made once.
#    With seconds shown every tick redraws the face, so the time of each
#    redraw after its whole second is the tick's lateness plus its paint.
#  - paint_timing.exe times one paintFace against one GdipDrawString and one
#    BitBlt, and the parts paintFace adds.
# One desktop holds one clock, so each clock runs under an Xvfb and a Wine
# prefix of its own (BUILD/bench-env-*); the floors run beside the first.
#   tools/benchmark-face.sh [BUILD [BASE_BUILD]]
#     BUILD       a Windows build tree (build/i686 or build/x86_64; by default
#                 the tree this machine runs)
#     BASE_BUILD  a build tree of the base to compare with; by default the
#                 commit BENCH_BASE (main) is exported with git archive and
#                 its tockmere.exe built in BUILD/bench-base/COMMIT
#   BENCH_SECONDS=60   length of the measurement
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# shellcheck source=tools/windows-tree.sh
. tools/windows-tree.sh
pick_windows_build "${1:-}"
arch=$(cat "$build/windows-arch")
seconds=${BENCH_SECONDS:-60}
harness=$root/tests/harness
quiet() {  # runs a command, showing its output only when it fails
  local log
  log=$(mktemp)
  "$@" >"$log" 2>&1 || { cat "$log" >&2; rm -f "$log"; return 1; }
  rm -f "$log"
}

# --- the programs ---------------------------------------------------------
quiet cmake --build "$build" -j2 --target tockmere face_font bench_floor bench_floor_text bench_paint_timing
watcher=$build/bench/tick_watch
quiet gcc -O2 -Wall -o "$watcher" bench/tick_watch.c -lX11 -lXdamage ||
  { echo "benchmark: tick_watch needs libx11-dev and libxdamage-dev" >&2; exit 1; }

if [ -n "${2:-}" ]; then
  base_build=$(cd "$2" && pwd)
  base_name=$(basename "$base_build")
else
  base_rev=${BENCH_BASE:-main}
  commit=$(git rev-parse --short "$base_rev^{commit}")
  base_source=$build/bench-base/$commit
  base_build=$base_source/build/$arch
  base_name="$base_rev ($commit)"
  if [ ! -f "$base_build/tockmere.exe" ]; then
    echo "benchmark: building tockmere.exe of $base_name in $base_source" >&2
    rm -rf "$base_source"
    mkdir -p "$base_source"
    git archive "$commit" | tar -x -C "$base_source"
    (cd "$base_source" && quiet cmake --preset "$arch" && quiet cmake --build --preset "$arch" -j2 --target tockmere)
  fi
fi

# --- one Wine environment per clock ----------------------------------------
envs=(new new-seconds base base-seconds)
env_pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for e in "${envs[@]}"; do "$harness/wine-env.sh" stop "$build/bench-env-$e" >/dev/null 2>&1 || true; done
}
pids=()
trap cleanup EXIT
for e in "${envs[@]}"; do
  "$harness/wine-env.sh" start "$build/bench-env-$e" "$arch" >"$build/bench-env-$e.log" 2>&1 &
  env_pids+=($!)
done
for i in "${!envs[@]}"; do
  wait "${env_pids[$i]}" || { cat "$build/bench-env-${envs[$i]}.log" >&2; exit 1; }
done
in_env() {  # in_env ENV COMMAND...: runs COMMAND in that Wine environment
  local dir=$build/bench-env-$1
  shift
  # shellcheck disable=SC1091
  (. "$dir/env" && exec "$@")
}
wine_in() {  # wine_in ENV PROGRAM ARGUMENTS...: runs a Windows program there
  local dir=$build/bench-env-$1
  shift
  # shellcheck disable=SC1091
  (. "$dir/env" && exec "$WINE_LOADER" "$@")
}
for e in "${envs[@]}"; do
  # A key of its own keeps the first-start help away.
  wine_in "$e" reg add 'HKCU\Software\Vellomar\Tockmere' /v Scale /t REG_DWORD /d 100 /f \
    >/dev/null 2>&1 </dev/null
done
for e in new-seconds base-seconds; do
  wine_in "$e" reg add 'HKCU\Software\Vellomar\Tockmere' /v 'Show seconds' /t REG_DWORD /d 1 /f \
    >/dev/null 2>&1 </dev/null
done

# --- the measured programs ---------------------------------------------------
names=() prog_env=() windows=()
window_of() {  # window_of ENV TITLE: the X window of that title
  local found=
  for _ in $(seq 100); do
    found=$(in_env "$1" xdotool search --name "^$2\$" 2>/dev/null | head -n1) && [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "benchmark: no window named $2" >&2; exit 1; }
  echo "$found"
}
start() {  # start NAME ENV TITLE EXE ARGUMENTS...
  local name=$1 e=$2 title=$3 window
  shift 3
  # The background subshell becomes the Wine process, so $! is its pid.
  # shellcheck disable=SC1090
  (. "$build/bench-env-$e/env" && exec "$WINE_LOADER" "$@") >"$build/bench-env-$e/${#names[@]}.log" 2>&1 </dev/null &
  pids+=($!)
  names+=("$name")
  prog_env+=("$e")
  window=$(window_of "$e" "$title") || exit 1
  windows+=("$window")
}
geometry() {  # geometry INDEX: "WIDTH HEIGHT" of that program's window
  in_env "${prog_env[$1]}" xdotool getwindowgeometry --shell "${windows[$1]}" |
    awk -F= '/^WIDTH/ { w = $2 } /^HEIGHT/ { h = $2 } END { print w, h }'
}
dlls_of() {  # the DLLs a process has mapped, sorted, one a line
  grep -oE '[^/]+\.(dll|drv)$' "/proc/$1/maps" | tr '[:upper:]' '[:lower:]' | sort -u
}

start "tockmere.exe this tree, default" new Tockmere "$build/tockmere.exe"
start "tockmere.exe this tree, seconds" new-seconds Tockmere "$build/tockmere.exe"
start "tockmere.exe base, default" base Tockmere "$base_build/tockmere.exe"
start "tockmere.exe base, seconds" base-seconds Tockmere "$base_build/tockmere.exe"
read -r width height < <(geometry 0)
read -r width_s height_s < <(geometry 1)
sleep 2  # the clock's DLLs are all loaded at start
clock_dlls=$(dlls_of "${pids[0]}" | grep -v '^tockmere' | paste -sd, -)
# One above the other, so that each is drawn on the screen.
start "floor.exe" new "Tockmere floor" "$build/bench/floor.exe" "$width" "$height"
start "floor.exe --load" new "Tockmere floor DLLs" "$build/bench/floor.exe" "$width" "$height" --at 0 100 \
  --title "Tockmere floor DLLs" --load "$clock_dlls"
start "floor_text.exe --seconds --load" new "Tockmere floor text" "$build/bench/floor_text.exe" \
  "$width_s" "$height_s" --at 0 200 --seconds --load "$clock_dlls"
count=${#names[@]}

# --- the measurement ---------------------------------------------------------
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # utime + stime, clock ticks
runtime_us() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum / 1000 }'; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

sleep 5  # past start-up
watch_pids=()
for i in $(seq 0 $((count - 1))); do
  in_env "${prog_env[$i]}" "$watcher" "$seconds" "${windows[$i]}" >"$build/bench-env-new/redraws-$i.txt" &
  watch_pids+=($!)
done
declare -a ticks0 run0 ticks1 run1 rss
for i in $(seq 0 $((count - 1))); do ticks0[i]=$(ticks "${pids[$i]}"); run0[i]=$(runtime_us "${pids[$i]}"); done
sleep "$seconds"
for i in $(seq 0 $((count - 1))); do
  ticks1[i]=$(ticks "${pids[$i]}"); run1[i]=$(runtime_us "${pids[$i]}"); rss[i]=$(rss_kb "${pids[$i]}")
  dlls_of "${pids[$i]}" | grep -v -e '^tockmere' -e '^floor' >"$build/bench-env-new/dlls-$i.txt"
done
for pid in "${watch_pids[@]}"; do wait "$pid" || true; done

# --- the table ---------------------------------------------------------------
hz=$(getconf CLK_TCK)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }
# Redraws closer than 50 ms together are one frame; prints the number of
# frames, then the median, 99th percentile and maximum of the milliseconds
# after its whole second at which each frame was drawn.
redraws() {
  awk 'NR == 1 || $1 - last > 0.05 { printf "%.1f\n", ($1 - int($1)) * 1000 } { last = $1 }' "$1" | sort -n |
    awk '{ v[NR] = $1 } END {
      if (NR == 0) { print 0, "-", "-", "-"; exit }
      p = int(NR * 0.99 + 0.999999); if (p > NR) p = NR
      printf "%d %.0f %.0f %.0f\n", NR, v[int((NR + 1) / 2)], v[p], v[NR] }'
}
floor=4 floor_text=6  # the memory floor is floor_text.exe: the clock's DLLs, GDI+ started, text drawn
declare -a run_ms frames median p99 max
for i in $(seq 0 $((count - 1))); do
  run_ms[i]=$(awk -v us=$((run1[i] - run0[i])) 'BEGIN { printf "%.1f", us / 1000 }')
  read -r "frames[i]" "median[i]" "p99[i]" "max[i]" < <(redraws "$build/bench-env-new/redraws-$i.txt")
done

echo "Idle, ${seconds} s side by side under Wine ($arch); faces ${width} x ${height} (default), ${width_s} x ${height_s} (seconds)."
echo "Base: $base_name. CPU: run time of all the process's threads (utime + stime in brackets)."
echo "Frames: redraws of the window seen on the X server; 'after s': ms after the whole second they were drawn."
printf '%-34s %6s %16s %7s %7s %9s %7s %22s\n' program frames "CPU ms" "/floor" "/text" "RSS kB" "/text" "after s: med p99 max"
for i in $(seq 0 $((count - 1))); do
  printf '%-34s %6s %9s (%4d) %7s %7s %9s %7s %22s\n' "${names[$i]}" "${frames[$i]}" "${run_ms[$i]}" \
    $(((ticks1[i] - ticks0[i]) * 1000 / hz)) \
    "$(ratio "$((run1[i] - run0[i]))" "$((run1[floor] - run0[floor]))")" \
    "$(ratio "$((run1[i] - run0[i]))" "$((run1[floor_text] - run0[floor_text]))")" \
    "${rss[$i]}" "$(ratio "${rss[$i]}" "${rss[$floor_text]}")" \
    "${median[$i]} ${p99[$i]} ${max[$i]}"
done
echo
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v != "-" && v <= t) ? "met" : "not met" }'; }
cpu_default=$(ratio "$((run1[0] - run0[0]))" "$((run1[floor] - run0[floor]))")
cpu_seconds=$(ratio "$((run1[1] - run0[1]))" "$((run1[floor_text] - run0[floor_text]))")
mem_default=$(ratio "${rss[0]}" "${rss[$floor_text]}")
mem_seconds=$(ratio "${rss[1]}" "${rss[$floor_text]}")
echo "Targets (this tree):"
echo "  default settings: CPU ${cpu_default} x floor.exe (<= 0.3: $(verdict "$cpu_default" 0.3))"
echo "  seconds shown:    CPU ${cpu_seconds} x floor_text.exe (<= 1.0: $(verdict "$cpu_seconds" 1.0))"
echo "  memory:           ${mem_default} (default), ${mem_seconds} (seconds) x floor_text.exe with the same DLLs" \
  "(<= 1.1: $(verdict "$mem_default" 1.1), $(verdict "$mem_seconds" 1.1))"
echo "  tick lateness:    99th percentile ${p99[1]} ms after the second, base ${p99[3]} ms (<= 20: $(verdict "${p99[1]}" 20))"
echo
echo "DLLs loaded (besides the program itself):"
for i in 0 2 4 5 6; do
  extra=$(comm -13 "$build/bench-env-new/dlls-0.txt" "$build/bench-env-new/dlls-$i.txt" | paste -sd' ' -)
  missing=$(comm -23 "$build/bench-env-new/dlls-0.txt" "$build/bench-env-new/dlls-$i.txt" | paste -sd' ' -)
  if [ "$i" = 0 ]; then
    echo "  ${names[$i]} ($(wc -l <"$build/bench-env-new/dlls-$i.txt")): $(paste -sd' ' "$build/bench-env-new/dlls-$i.txt")"
  else
    echo "  ${names[$i]} ($(wc -l <"$build/bench-env-new/dlls-$i.txt")): the clock's${missing:+ less $missing}${extra:+ and $extra}"
  fi
done
echo

echo "One frame:"
wine_in new "$build/bench/paint_timing.exe" 2000 >"$build/bench-env-new/paint.log" 2>&1 </dev/null
cat "$build/bench-env-new/paint.log"
