#!/usr/bin/env bash
# Builds the release of one tree with the README's command and checks the
# zip: named after the program's version and platform (win32 or win64, the
# second argument), holding the program, the README as text and the licence
# and nothing else, the program built for that platform, carrying that
# version, and the licence naming the maker of its version resource.
set -euo pipefail
build=$1
platform=$2
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$source/scripts/wine-env.sh"
fail() { echo "package: $*" >&2; exit 1; }

cmake --build "$build" --target package >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/Glyvanter-$version-$platform.zip
[ -f "$zip" ] || fail "no $zip"

entries=$(unzip -Z1 "$zip" | sort)
[ "$entries" = $'Glyvanter.exe\nLICENSE.txt\nREADME.txt' ] || fail "the zip holds: $(echo $entries)"
unzip -p "$zip" README.txt | cmp -s - "$source/README.md" || fail "README.txt is not the README"
unzip -p "$zip" LICENSE.txt | cmp -s - "$source/LICENSE.txt" || fail "LICENSE.txt is not the licence"
grep -q '^MIT License$' "$source/LICENSE.txt" || fail "the licence is not MIT's"
grep -q 'LICENSE.txt' "$source/README.md" || fail "the README does not name the licence"

exe=$(mktemp)
trap 'rm -f "$exe"' EXIT
unzip -p "$zip" Glyvanter.exe >"$exe"
[ "$(head -c 2 "$exe")" = MZ ] || fail "Glyvanter.exe is no Windows program"
case $platform in
  win32) machine=i386 ;;
  win64) machine=x86-64 ;;
  *) fail "no such platform: $platform" ;;
esac
[ "$(gvt_pe_machine "$exe")" = "$machine" ] || fail "Glyvanter.exe is built for machine $(gvt_pe_machine "$exe"), not $platform"
# Both translations of the version resource, as UTF-16 text.
values() { i686-w64-mingw32-strings -el "$exe" | grep -A1 -x "$1" | grep -v -x -e "$1" -e -- | sort -u; }
[ "$(values ProductVersion)" = "$version" ] || fail "product version $(values ProductVersion), zip $version"
[ "$(values FileVersion)" = "$version" ] || fail "file version $(values FileVersion), zip $version"
copyright=$(values LegalCopyright)
grep -qxF "$copyright" "$source/LICENSE.txt" || fail "the licence lacks \"$copyright\""
echo "package: $(basename "$zip") holds Glyvanter.exe $version for $platform, README.txt and LICENSE.txt"
