#!/usr/bin/env bash
# Installs what building and testing Glyvanter needs on Debian 12, and nothing
# more. Idempotent: on a machine that has everything it only checks. The
# 32-bit Wine is installed only where the host executes 32-bit programs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

packages=(
  cmake make ccache
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  clang lld
  libboost1.81-dev googletest
  wine wine64
  xvfb xauth xdotool xclip imagemagick x11-utils
  fonts-wine fonts-dejavu-core fonts-dejavu-extra fonts-ipafont-gothic python3-fonttools
  locales unzip
)
host_i386=0
if gvt_host_runs_i386; then
  host_i386=1
  packages+=(wine32:i386)
fi

installed() {
  # dpkg-query reports "install ok installed" only for a fully installed package.
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$host_i386" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  echo "setup: installing ${missing[*]}"
  # One index that fails to download (a mirror in the middle of an update)
  # need not stop anything: what matters is whether the packages install.
  $SUDO apt-get update -qq || echo "setup: apt-get update reported a failure; going on with the package lists it has" >&2
  if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    # Name what cannot be had: one by one, the others still install.
    failed=()
    for p in "${missing[@]}"; do
      installed "$p" || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$p" >/dev/null ||
        failed+=("$p")
    done
    if [ ${#failed[@]} -gt 0 ]; then
      echo "setup: cannot install ${failed[*]}" >&2
      exit 1
    fi
  fi
fi

# Wine picks its Japanese string tables from LC_ALL=ja_JP.UTF-8; the locale
# must exist for that.
if ! { locale -a 2>/dev/null | grep -qix "ja_JP.utf8" && locale -a 2>/dev/null | grep -qix "en_US.utf8"; }; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  for l in 'ja_JP.UTF-8 UTF-8' 'en_US.UTF-8 UTF-8'; do grep -q "^$l" /etc/locale.gen || echo "$l" | $SUDO tee -a /etc/locale.gen >/dev/null; done
  $SUDO locale-gen >/dev/null
fi
