#!/usr/bin/env bash
# Sets everything up, builds the native tree and both Windows trees, and runs
# every test: the portable core natively, then the cross-built program and
# its tests under Wine in the Windows tree this machine can run (see
# tools/windows-tree.sh; TOCKMERE_ARCH=i686|x86_64 forces one). The clock
# and setup program of the other Windows tree are built and checked too, so
# a change that breaks either target never passes.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/windows-tree.sh
. tools/windows-tree.sh

bash tools/setup.sh
pick_windows_tree
jobs=$(nproc)
other=$([ "$tree" = i686 ] && echo x86_64 || echo i686)
for preset in native "$tree" "$other"; do
  cmake --preset "$preset" >/dev/null
done
cmake --build --preset native -j"$jobs"
cmake --build --preset "$tree" -j"$jobs"
# Of the other tree, what ships: the clock and its setup program.
cmake --build --preset "$other" -j"$jobs" --target tockmere setup_program
ctest --preset native -j"$jobs"
ctest --preset "$other" -R '^release_files$'
ctest --preset "$tree" -j"$jobs"
