#!/usr/bin/env bash
# Builds the catalogue benchmark, generates its test fonts into the build tree
# once, and runs it under Wine (a few minutes).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"
gvt_choose_tree
bash "$root/scripts/build.sh" --target catalogue_bench
fonts=$BUILD_DIR/bench-fonts
if [ ! -f "$fonts/09/f09999-0.ttf" ]; then
  rm -rf "$fonts"
  /usr/bin/python3 "$root/bench/make_fonts.py" "$fonts" 10000
fi
bash "$root/scripts/wine-run.sh" "$BUILD_DIR/bench/catalogue_bench.exe"
