#!/usr/bin/env bash
# Fails, naming file and line, when a source folder includes a folder that is
# not below it in the layer order. Folders on one line share a level and may
# not include each other, so no two folders can depend on each other.
set -euo pipefail
src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../../src" && pwd)}

layers=(
  "resources"
  "framework"
  "base"
  "fontdata"
  "settings"
  "fonts"
  "controls fontlist"
  "commands about"
  "application"
)

declare -A level
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do
    level[$folder]=$i
  done
done

faults=0
while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  from=${rel%%/*}
  if [ -z "${level[$from]+x}" ]; then
    echo "$rel: folder '$from' has no place in the layer order" >&2
    faults=$((faults + 1))
    continue
  fi
  while IFS=: read -r line directive; do
    target=${directive#*\"}
    target=${target%%\"*}
    to=${target%%/*}
    [ "$to" = "$from" ] && continue
    if [ -z "${level[$to]+x}" ]; then
      echo "$rel:$line: includes '$target' from a folder with no place in the layer order" >&2
      faults=$((faults + 1))
    elif [ "${level[$to]}" -ge "${level[$from]}" ]; then
      echo "$rel:$line: '$from' includes '$target', which is not below it" >&2
      faults=$((faults + 1))
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) -print0)

if [ "$faults" -gt 0 ]; then
  echo "layering: $faults include(s) against the layer order" >&2
  exit 1
fi
echo "layering: every include goes to a lower layer"
