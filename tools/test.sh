#!/usr/bin/env bash
# Sets everything up, builds both trees and runs every test: the portable
# core natively, then the cross-built program and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
jobs=$(nproc)
for tree in native win32; do
  cmake --preset "$tree" >/dev/null
  cmake --build --preset "$tree" -j"$jobs"
done
ctest --preset native -j"$jobs"
ctest --preset win32 -j"$jobs"
