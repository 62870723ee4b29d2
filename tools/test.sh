#!/usr/bin/env bash
# Sets everything up, builds the native tree and both Windows trees, and runs
# every test: the portable core natively, then the cross-built program and
# its tests under Wine in the Windows tree this machine can run (see
# tools/windows-tree.sh; TOCKMERE_ARCH=i686|x86_64 forces one). The other
# Windows tree is built too and its release files are checked, so a change
# that breaks either never passes.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/windows-tree.sh
. tools/windows-tree.sh

bash tools/setup.sh
pick_windows_tree
jobs=$(nproc)
for preset in native i686 x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done
other=$([ "$tree" = i686 ] && echo x86_64 || echo i686)
ctest --preset native -j"$jobs"
ctest --preset "$other" -R '^release_files$'
ctest --preset "$tree" -j"$jobs"
