#!/usr/bin/env bash
# Fails, naming file and line, when a source folder includes a folder that is
# not below it in the layer order. Folders on one line share a level and may
# not include each other, so no two folders can depend on each other.
#
# Every include of a file of the source tree counts, however it is written:
# with quotes or angle brackets, through "../", and in any source file
# (headers, inline files, resource scripts). A name is looked up the way the
# compiler does: quoted names first beside the including file, then, like
# bracketed ones, in the tree's root, the one include folder.
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

# Sets $normal to the path with "." and ".." steps taken out.
normalise() {
  local part
  local -a parts=()
  local IFS=/
  for part in $1; do
    case $part in
      "" | .) ;;
      ..) [ "${#parts[@]}" -gt 0 ] && unset 'parts[${#parts[@]}-1]' ;;
      *) parts+=("$part") ;;
    esac
  done
  normal="/${parts[*]}"
}

# Sets $to to the source folder of $normal, or to nothing outside the tree
# or for a file right in its root.
folder_of_normal() {
  local rel=${normal#"$src"/}
  to=
  if [ "$rel" != "$normal" ] && [ "${rel#*/}" != "$rel" ]; then
    to=${rel%%/*}
  fi
}

# Sets $to to the source folder that an include of $name from the folder $dir
# reaches; nothing for a header from outside the tree. A file that does not
# exist (the build would fail anyway) still counts for the folder it names.
resolve() {
  local name=$1 dir=$2 quoted=$3 candidate
  local -a candidates=()
  [ "$quoted" = 1 ] && candidates+=("$dir/$name")
  candidates+=("$src/$name")
  for candidate in "${candidates[@]}"; do
    normalise "$candidate"
    if [ -e "$normal" ]; then
      folder_of_normal
      return 0
    fi
  done
  for ((i = ${#candidates[@]} - 1; i >= 0; i--)); do
    normalise "${candidates[$i]}"
    folder_of_normal
    if [ -n "$to" ] && [ -n "${level[$to]+x}" ]; then
      return 0
    fi
  done
  to=
}

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
    if [[ $directive =~ include[[:space:]]*\"([^\"]+)\" ]]; then
      target=${BASH_REMATCH[1]}
      resolve "$target" "${file%/*}" 1
    elif [[ $directive =~ include[[:space:]]*\<([^\>]+)\> ]]; then
      target=${BASH_REMATCH[1]}
      resolve "$target" "${file%/*}" 0
    else
      continue
    fi
    [ -z "$to" ] || [ "$to" = "$from" ] && continue
    if [ -z "${level[$to]+x}" ]; then
      echo "$rel:$line: includes '$target' from a folder with no place in the layer order" >&2
      faults=$((faults + 1))
    elif [ "${level[$to]}" -ge "${level[$from]}" ]; then
      echo "$rel:$line: '$from' includes '$target', which is not below it" >&2
      faults=$((faults + 1))
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.inl' -o -name '*.ipp' -o -name '*.cpp' \
                                -o -name '*.cc' -o -name '*.c' -o -name '*.rc' -o -name '*.rc2' -o -name '*.in' \) -print0)

if [ "$faults" -gt 0 ]; then
  echo "layering: $faults include(s) against the layer order" >&2
  exit 1
fi
echo "layering: every include goes to a lower layer"
