#!/usr/bin/env bash
# Checks the default alarm sound with sox: a 16-bit PCM mono WAV of 2 to 3
# seconds that is clearly audible and never reaches full scale (no clipping).
#   check_rooster.sh rooster.wav
set -uo pipefail
wav=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -s "$wav" ] || { echo "FAIL: no sound file at $wav"; exit 1; }

type=$(soxi -t "$wav" 2>&1)
[ "$type" = wav ] || fail "file type is '$type', expected wav"
encoding=$(soxi -e "$wav" 2>&1)
[ "$encoding" = "Signed Integer PCM" ] || fail "encoding is '$encoding', expected 16-bit signed PCM"
bits=$(soxi -b "$wav" 2>&1)
[ "$bits" = 16 ] || fail "$bits bits per sample, expected 16"
channels=$(soxi -c "$wav" 2>&1)
[ "$channels" = 1 ] || fail "$channels channels, expected 1 (mono)"
duration=$(soxi -D "$wav" 2>&1)
awk -v d="$duration" 'BEGIN { exit !(d >= 2 && d <= 3) }' \
  || fail "lasts '$duration' s, expected 2 to 3 s"

# sox's stat prints its measures on stderr.
stats=$(sox "$wav" -n stat 2>&1)
measure() { awk -F: -v key="$1" '$1 ~ "^" key { gsub(/ /, "", $2); print $2 }' <<<"$stats"; }
maximum=$(measure "Maximum amplitude")
minimum=$(measure "Minimum amplitude")
rms=$(measure "RMS     amplitude")
awk -v max="$maximum" -v min="$minimum" 'BEGIN { exit !(max != "" && max < 0.98 && min > -0.98) }' \
  || fail "peaks reach full scale (maximum '$maximum', minimum '$minimum')"
awk -v rms="$rms" 'BEGIN { exit !(rms != "" && rms > 0.02) }' \
  || fail "too quiet to wake anyone (RMS amplitude '$rms')"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "rooster.wav OK: ${duration} s, mono, 16-bit PCM, peaks $maximum / $minimum, RMS $rms"
