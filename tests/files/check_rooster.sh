#!/usr/bin/env bash
# Checks the default alarm sound with sox: a 16-bit PCM mono WAV of 2 to 3
# seconds that is clearly audible and never reaches full scale (no clipping).
#   check_rooster.sh rooster.wav
set -uo pipefail
wav=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -s "$wav" ] || { echo "FAIL: no sound file at $wav"; exit 1; }

format="$(soxi -t "$wav") $(soxi -e "$wav") $(soxi -b "$wav") $(soxi -c "$wav")"
[ "$format" = "wav Signed Integer PCM 16 1" ] || fail "format is '$format', expected 16-bit signed PCM mono WAV"
duration=$(soxi -D "$wav" 2>&1)
awk -v d="$duration" 'BEGIN { exit !(d >= 2 && d <= 3) }' || fail "lasts '$duration' s, expected 2 to 3 s"

stats=$(sox "$wav" -n stat 2>&1)  # sox's stat prints on stderr
measure() { awk -F: -v key="$1" '$1 ~ "^" key { gsub(/ /, "", $2); print $2 }' <<<"$stats"; }
maximum=$(measure "Maximum amplitude") minimum=$(measure "Minimum amplitude") rms=$(measure "RMS     amplitude")
awk -v max="$maximum" -v min="$minimum" 'BEGIN { exit !(max != "" && max < 0.98 && min > -0.98) }' \
  || fail "peaks reach full scale (maximum '$maximum', minimum '$minimum')"
awk -v rms="$rms" 'BEGIN { exit !(rms != "" && rms > 0.02) }' || fail "too quiet to wake anyone (RMS '$rms')"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "rooster.wav OK: ${duration} s, mono, 16-bit PCM, peaks $maximum / $minimum, RMS $rms"
