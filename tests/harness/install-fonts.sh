#!/usr/bin/env bash
# Copies the fonts the build made (the face font) into the harness prefix.
set -u
dir=$1
fonts=$dir/../fonts
[ -d "$fonts" ] || exit 0
mkdir -p "$dir/prefix/drive_c/windows/Fonts"
cp -f "$fonts"/*.ttf "$dir/prefix/drive_c/windows/Fonts/" 2>/dev/null || true
