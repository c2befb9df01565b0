#!/usr/bin/env bash
# Builds everything with GCC and once more with Clang (in CLANG_BUILD_DIR,
# default build-clang/ in the checkout; every warning an error), runs the whole
# suite of the GCC build through CTest under Wine and Xvfb, then the test
# programs of the Clang build. Arguments go to both CTest runs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
clang_build=${CLANG_BUILD_DIR:-$root/build-clang}
bash "$root/scripts/build.sh"
BUILD_DIR=$clang_build GVT_TOOLCHAIN=clang-mingw-i686 GVT_WERROR=1 bash "$root/scripts/build.sh"

source "$root/scripts/wine-env.sh"
export WINEPREFIX=$BUILD_DIR/wineprefix
export GVT_TEST_DISPLAY=${GVT_TEST_DISPLAY:-:91}
# The prefix's desktop process keeps the display Wine first started with.
export DISPLAY=$GVT_TEST_DISPLAY
started_xvfb=0
xdpyinfo -display "$GVT_TEST_DISPLAY" >/dev/null 2>&1 || started_xvfb=1
gvt_ensure_xvfb "$GVT_TEST_DISPLAY"
gvt_ensure_prefix

# The end-to-end scripts start and stop displays of their own.
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$clang_build/wineprefix wineserver -k >/dev/null 2>&1 || true
  if [ "$started_xvfb" = 1 ]; then
    gvt_stop_xvfb "$GVT_TEST_DISPLAY"
  fi
}
# CTest's verdict is the script's, whatever the clean-up returns.
trap 'rc=$?; cleanup; exit $rc' EXIT

cd "$BUILD_DIR"
ctest --output-on-failure "$@"
# What depends on the compiler shows in the test programs (the Clang build's
# exceptions once ended the program); the end-to-end scripts and the release
# are the GCC build's.
cd "$clang_build"
ctest --output-on-failure -E '^(e2e\.|package$|layering$)' "$@"
