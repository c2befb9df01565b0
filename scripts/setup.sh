#!/usr/bin/env bash
# Installs what building and testing Glyvanter needs on Debian 12, and nothing
# more. Idempotent: on a machine that has everything it only checks.
set -euo pipefail

packages=(
  cmake make ccache
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  clang lld
  libboost1.81-dev googletest
  wine wine32:i386
  xvfb xauth xdotool xclip imagemagick x11-utils
  fonts-wine fonts-dejavu-core fonts-dejavu-extra fonts-ipafont-gothic python3-fonttools
  locales unzip
)

missing=()
for p in "${packages[@]}"; do
  # dpkg-query reports "install ok installed" only for a fully installed package.
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine picks its Japanese string tables from LC_ALL=ja_JP.UTF-8; the locale
# must exist for that.
if ! { locale -a 2>/dev/null | grep -qix "ja_JP.utf8" && locale -a 2>/dev/null | grep -qix "en_US.utf8"; }; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  for l in 'ja_JP.UTF-8 UTF-8' 'en_US.UTF-8 UTF-8'; do grep -q "^$l" /etc/locale.gen || echo "$l" | $SUDO tee -a /etc/locale.gen >/dev/null; done
  $SUDO locale-gen >/dev/null
fi
