#!/usr/bin/env bash
# Builds everything and runs the whole suite through CTest under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"

source "$root/scripts/wine-env.sh"
export WINEPREFIX=$BUILD_DIR/wineprefix
export GVT_TEST_DISPLAY=${GVT_TEST_DISPLAY:-:91}
# The prefix's desktop process keeps the display Wine first started with.
export DISPLAY=$GVT_TEST_DISPLAY
# The end-to-end scripts use a display of their own.
e2e_display=${GVT_E2E_DISPLAY:-:92}
started=()
for d in "$GVT_TEST_DISPLAY" "$e2e_display"; do
  xdpyinfo -display "$d" >/dev/null 2>&1 || started+=("$d")
done
gvt_ensure_xvfb "$GVT_TEST_DISPLAY"
gvt_ensure_prefix

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for d in "${started[@]}"; do
    gvt_stop_xvfb "$d"
  done
}
# CTest's verdict is the script's, whatever the clean-up returns.
trap 'rc=$?; cleanup; exit $rc' EXIT

cd "$BUILD_DIR"
ctest --output-on-failure "$@"
