#!/usr/bin/env bash
# CTest's emulator: runs one Windows program under Wine on the test display,
# in the build tree's own prefix, with the string table that GVT_TEST_LANG
# names (en or ja).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

exe=$1
shift
build=${GVT_BUILD_DIR:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${GVT_WINEPREFIX:-$build/wineprefix}
export DISPLAY=${GVT_TEST_DISPLAY:-:91}

gvt_use_wine_for "$exe"
gvt_ensure_xvfb "$DISPLAY" || { echo "wine-run: no virtual display on $DISPLAY" >&2; exit 1; }
gvt_ensure_prefix
gvt_set_language "${GVT_TEST_LANG:-en}"

# Wine starts helper processes (services, the desktop) that outlive the test
# and would keep CTest's output pipe open, so the output goes through a file.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
gvt_wine "$exe" "$@" >"$log" 2>&1 </dev/null
rc=$?
# Now and then Wine fails to start a program at all while its server comes
# and goes between tests: nothing ran, not even the test's first line, so
# it is started once more.
if [ $rc -ne 0 ] && [ ! -s "$log" ]; then
  echo "wine-run: $exe ended with code $rc before printing anything; starting it once more" >&2
  gvt_wine "$exe" "$@" >"$log" 2>&1 </dev/null
  rc=$?
fi
cat "$log"
exit $rc
