#!/usr/bin/env bash
# Installs what is missing, configures and builds. BUILD_DIR picks the tree
# (default: build/ in the checkout).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}

bash "$root/scripts/setup.sh"
# Paths below the checkout are hashed relative to it, so another checkout of
# the same sources finds them in the compiler cache.
export CCACHE_BASEDIR=$root
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"$(nproc)" "$@"
