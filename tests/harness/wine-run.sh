#!/usr/bin/env bash
# ctest's emulator for the cross-built programs: runs one Windows program in
# the harness's Wine environment, with the tests' clock shifter preloaded.
#   wine-run.sh ENVDIR program.exe [args...]
set -euo pipefail
envdir=$1
shift
if [ ! -f "$envdir/env" ]; then
  echo "wine-run: no Wine environment in $envdir (run the wine_env_start test first)" >&2
  exit 1
fi
# shellcheck disable=SC1091
. "$envdir/env"
# A test in another user locale: Wine takes the locale and its formats from
# the process's own environment (this shell need not have the locale).
in_locale=()
if [ -n "${TOCKMERE_TEST_LOCALE:-}" ]; then
  in_locale=(env "LANG=$TOCKMERE_TEST_LOCALE" "LC_ALL=$TOCKMERE_TEST_LOCALE")
fi
# Each run gets its own clock file, so parallel tests do not share a clock;
# the program's children inherit it and so share the driver's clock.
export TOCKMERE_CLOCK_FILE="$envdir/clock.$$"
rm -f "$TOCKMERE_CLOCK_FILE"
# The clock shifter, by name over both ABIs' folders: each process the
# loader starts (Wine's of either ABI, the shell's tools) picks its own.
shifters=$(dirname "$envdir")/timeshift
if [ ! -f "$shifters/32/libtimeshift.so" ] || [ ! -f "$shifters/64/libtimeshift.so" ]; then
  echo "wine-run: the clock shifter is not built in $shifters (build the timeshift target)" >&2
  exit 1
fi
export LD_LIBRARY_PATH="$shifters/32:$shifters/64${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
export LD_PRELOAD="libtimeshift.so${LD_PRELOAD:+:$LD_PRELOAD}"
rc=0
"${in_locale[@]}" "$WINE_LOADER" "$@" </dev/null || rc=$?
rm -f "$TOCKMERE_CLOCK_FILE"
exit $rc
