#!/usr/bin/env bash
# Sets everything up, builds the native tree and both Windows trees, and runs
# every test: the portable core natively, then the cross-built programs and
# their tests under Wine in every Windows tree this machine can run (both
# where it executes 32-bit x86 code, x86_64 elsewhere; see
# tools/windows-tree.sh, TOCKMERE_ARCH=i686|x86_64 forces one). A tree whose
# Wine cannot start here still builds in full and runs its tests that need no
# Wine (the release files among them), so neither target can break unseen.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/windows-tree.sh
. tools/windows-tree.sh

bash tools/setup.sh
pick_wine_trees
jobs=$(nproc)

# Everything is built before any Wine test starts: those tests wait on the
# clock's timers and windows, and must not share the cores with a build.
for preset in native i686 x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done

failed=()
ctest --preset native -j"$jobs" --no-tests=error || failed+=(native)
for preset in i686 x86_64; do
  case " ${wine_trees[*]} " in
    *" $preset "*)
      echo "== $preset: every test, under Wine"
      ctest --preset "$preset" -j"$jobs" --no-tests=error || failed+=("$preset")
      ;;
    *)
      echo "== $preset: the tests that need no Wine (its Wine does not run here)"
      ctest --preset "$preset" -j"$jobs" --no-tests=error -LE '^wine$' || failed+=("$preset")
      ;;
  esac
done

if ((${#failed[@]})); then
  echo "test: FAILED in ${failed[*]} (Wine suites run: ${wine_trees[*]})" >&2
  exit 1
fi
echo "test: all passed (Wine suites run: ${wine_trees[*]})"
