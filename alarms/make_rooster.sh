#!/usr/bin/env bash
# Synthesises the default alarm sound rooster.wav with sox: a bright plucked
# wake-up call, a rising C major arpeggio answered by a higher one, about
# 2.6 s long, 16-bit PCM mono at 22050 Hz, peaking 3 dB below full scale.
#   make_rooster.sh OUTPUT.wav
set -euo pipefail
output=$1
tmp=$(mktemp --suffix=.wav)
trap 'rm -f "$tmp"' EXIT

# One plucked string per note, each on a channel of its own, started by the
# delay of its channel; remix then mixes them into one. The filters take
# away the strings' DC and their harshest overtones. The string model of
# pluck needs a CD-like sample rate, so synthesise at 44.1 kHz.
notes=(C5 E5 G5 C6 G5 C6 E6)
starts=(0 0.16 0.32 0.48 1.00 1.16 1.32)
synth=()
for note in "${notes[@]}"; do synth+=(pluck "$note"); done

sox -V1 -r 44100 -n -b 16 -c 1 "$tmp" \
  synth 2.6 "${synth[@]}" delay "${starts[@]}" remix - \
  highpass 80 lowpass 5000 fade 0 2.6 0.4
sox -V1 "$tmp" -r 22050 -b 16 -c 1 -e signed-integer "$output" gain -n -3
