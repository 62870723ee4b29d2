#!/usr/bin/env bash
# Installs everything Tockmere needs to build and test on Debian 12.
# Run as root. Idempotent: quick and quiet when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ gcc-multilib
  googletest libgtest-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth x11-utils x11-xkb-utils xdotool imagemagick fonts-dejavu-core libx11-dev libxdamage-dev
  sox fp-utils fonts-dseg python3-fonttools
  nsis
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages (${missing[*]}); run this script as root" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
