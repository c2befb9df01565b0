#!/usr/bin/env bash
# Installs what is missing, configures and builds. BUILD_DIR picks the tree
# (default: build/ in the checkout), GVT_TOOLCHAIN the compiler of a new tree
# (a file in cmake/: mingw-i686, the default, or clang-mingw-i686), and
# GVT_WERROR=1 makes every warning of a new tree an error.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
toolchain=$root/cmake/${GVT_TOOLCHAIN:-mingw-i686}.cmake
werror=OFF
[ "${GVT_WERROR:-0}" = 1 ] && werror=ON

bash "$root/scripts/setup.sh"
# Paths below the checkout are hashed relative to it, so another checkout of
# the same sources finds them in the compiler cache.
export CCACHE_BASEDIR=$root
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=$werror >/dev/null
fi
cmake --build "$build" -j"$(nproc)" "$@"
