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
cmake --build --preset "$tree" -j"$jobs"

# The Wine tests spend most of their time waiting on the clock's windows and
# timers, so the native tree and the other target build meanwhile, at low
# priority; the Wine tests' report follows theirs.
wine_log=build/$tree/wine-tests.log
ctest --preset "$tree" -j"$jobs" >"$wine_log" 2>&1 &
wine_tests=$!
status=0
{
  nice -n 19 cmake --build --preset native -j"$jobs" &&
    ctest --preset native -j"$jobs" &&
    # Of the other tree, what ships: the clock and its setup program.
    nice -n 19 cmake --build --preset "$other" -j"$jobs" --target tockmere setup_program &&
    ctest --preset "$other" -R '^release_files$'
} || status=1
wait "$wine_tests" || status=1
cat "$wine_log"
exit "$status"
