#!/usr/bin/env bash
# Builds everything for 64-bit and 32-bit Windows with GCC, and with Clang
# (every warning an error) for each bitness this host runs, then runs under
# Wine and Xvfb the whole suite of each GCC build the host can run, and the
# in-process test programs of each Clang build it can run. A host that cannot
# execute 32-bit programs still builds the 32-bit program and its tests, so a
# 32-bit compile or link fault fails here too. Arguments go to every CTest run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"

if gvt_host_runs_i386; then
  echo "test: this host runs 32-bit programs: the 32-bit and the 64-bit suites run"
  runs=(mingw-x86_64 clang-mingw-x86_64 mingw-i686 clang-mingw-i686)
  builds=("${runs[@]}")
  left_out=""
else
  echo "test: this host cannot run 32-bit programs (the kernel refuses i386 code): the 32-bit build is built but not run"
  runs=(mingw-x86_64 clang-mingw-x86_64)
  builds=(mingw-x86_64 mingw-i686 clang-mingw-x86_64)
  left_out="test: left out because this host cannot run 32-bit programs: the 32-bit GCC build's suite and the 32-bit Clang build"
fi

for toolchain in "${builds[@]}"; do
  werror=0
  [[ $toolchain == clang-* ]] && werror=1
  GVT_TOOLCHAIN=$toolchain GVT_WERROR=$werror BUILD_DIR=$(gvt_tree_of "$toolchain") bash "$root/scripts/build.sh"
done

export GVT_TEST_DISPLAY=${GVT_TEST_DISPLAY:-:91}
# A prefix's desktop process keeps the display Wine first started with.
export DISPLAY=$GVT_TEST_DISPLAY
started_xvfb=0
xdpyinfo -display "$GVT_TEST_DISPLAY" >/dev/null 2>&1 || started_xvfb=1
gvt_ensure_xvfb "$GVT_TEST_DISPLAY"

# The end-to-end scripts start and stop displays of their own.
cleanup() {
  for toolchain in "${runs[@]}"; do
    WINEPREFIX=$(gvt_tree_of "$toolchain")/wineprefix wineserver -k >/dev/null 2>&1 || true
  done
  if [ "$started_xvfb" = 1 ]; then
    gvt_stop_xvfb "$GVT_TEST_DISPLAY"
  fi
}
# CTest's verdict is the script's, whatever the clean-up returns.
trap 'rc=$?; cleanup; exit $rc' EXIT

last=${runs[${#runs[@]}-1]}
for toolchain in "${runs[@]}"; do
  tree=$(gvt_tree_of "$toolchain")
  echo "test: the suite of build/$toolchain"
  (gvt_use_wine_for "$tree/Glyvanter.exe"; WINEPREFIX=$tree/wineprefix gvt_ensure_prefix)
  # What depends on the compiler shows in the test programs (the Clang build's
  # exceptions once ended the program); the end-to-end scripts, the release
  # and the layering checks are the GCC builds'.
  exclude=()
  [[ $toolchain == clang-* ]] && exclude=(-E '^(e2e\.|package$|layering)')
  [ "$toolchain" = "$last" ] && [ -n "$left_out" ] && echo "$left_out"
  (cd "$tree" && ctest --output-on-failure "${exclude[@]}" "$@")
done
