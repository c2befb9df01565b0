#!/usr/bin/env bash
# The layering check on small trees: each case adds one include to one file
# and says whether the check must pass or fail on it.
set -euo pipefail
check="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/check_layers.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

# file | line added to it | expected
cases=(
  'settings/S.cpp|#include "fonts/F.h"|fail'
  'settings/S.cpp|#include "../fonts/F.h"|fail'
  'settings/S.cpp|#include <fonts/F.h>|fail'
  'settings/S.cpp|  #  include "fonts/F.h" // spaced|fail'
  'settings/S.inl|#include "fonts/F.h"|fail'
  'settings/S.cpp|#include "../base/../fonts/F.h"|fail'
  'settings/S.cpp|#include "fonts/Missing.h"|fail'
  'settings/S.cpp|#include "../fonts/Missing.h"|fail'
  'base/B.h|#include "../fontdata/D.h"|fail'
  'fontdata/D.h|#include <settings/S.h>|fail'
  'settings/S.cpp|#include "S.h"|pass'
  'settings/S.cpp|#include "../settings/S.h"|pass'
  'settings/S.cpp|#include "../fontdata/D.h"|pass'
  'fonts/F.h|#include <settings/S.h>|pass'
  'fontdata/D.h|#include "../base/B.h"|pass'
  'fonts/F.h|#include <windows.h>|pass'
  'fonts/F.h|#include <boost/shared_ptr.hpp>|pass'
  'fonts/F.h|#include "ProgramVersion.h"|pass'
)

faults=0
for c in "${cases[@]}"; do
  IFS='|' read -r file line expected <<<"$c"
  rm -rf "$tree/src"
  for f in base/B.h fontdata/D.h settings/S.h settings/S.cpp settings/S.inl fonts/F.h; do
    mkdir -p "$tree/src/${f%/*}"
    : >"$tree/src/$f"
  done
  echo "$line" >>"$tree/src/$file"
  if bash "$check" "$tree/src" >/dev/null 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$expected" ]; then
    echo "$file with '$line': expected $expected, got $got" >&2
    faults=$((faults + 1))
  fi
done
if [ "$faults" -gt 0 ]; then
  echo "layering check: $faults case(s) wrong" >&2
  exit 1
fi
echo "layering check: ${#cases[@]} cases right"
