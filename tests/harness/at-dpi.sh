#!/usr/bin/env bash
# Runs one Windows program of the tests with the harness's prefix at another
# DPI, and puts the prefix back at 96 dpi after it, whatever the result.
#   at-dpi.sh ENVDIR DPI program.exe [args...]
# Wine reads LogPixels when its server starts, so the prefix's server is
# ended and started again on each change; ctest runs this test alone.
set -euo pipefail
envdir=$1
dpi=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck disable=SC1091
. "$envdir/env"
set_dpi() {
  "$WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >>"$envdir/dpi.log" 2>&1 </dev/null
  "$WINE_SERVER" -k >/dev/null 2>&1 || true  # none may be running
  "$WINE_SERVER" -w
  setsid "$WINE_SERVER" -p </dev/null >/dev/null 2>&1 || true
  "$WINE_LOADER" cmd.exe /c exit >>"$envdir/dpi.log" 2>&1 </dev/null
}
set_dpi "$dpi"
rc=0
TOCKMERE_TEST_DPI=$dpi "$here/wine-run.sh" "$envdir" "$@" || rc=$?
set_dpi 96
exit $rc
