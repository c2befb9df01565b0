#!/usr/bin/env bash
# Installs what is missing, configures and builds the tree that GVT_TOOLCHAIN
# and BUILD_DIR choose (see gvt_choose_tree in wine-env.sh); GVT_WERROR=1
# makes every warning of a new tree an error.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"
gvt_choose_tree
werror=OFF
[ "${GVT_WERROR:-0}" = 1 ] && werror=ON

bash "$root/scripts/setup.sh"
# Paths below the checkout are hashed relative to it, so another checkout of
# the same sources finds them in the compiler cache.
export CCACHE_BASEDIR=$root
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$GVT_TOOLCHAIN.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=$werror >/dev/null
fi
cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
