# Shared by the scripts: a build tree, a virtual display and a Wine prefix
# for it. Source it; it defines functions and changes nothing until they are
# called.

GVT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Chooses the build tree: GVT_TOOLCHAIN names the compiler and target (a file
# in cmake/: mingw-x86_64, the default, mingw-i686, clang-mingw-x86_64 or
# clang-mingw-i686), BUILD_DIR the tree (default: build/<toolchain>).
gvt_choose_tree() {
  export GVT_TOOLCHAIN=${GVT_TOOLCHAIN:-mingw-x86_64}
  export BUILD_DIR=${BUILD_DIR:-$(gvt_tree_of "$GVT_TOOLCHAIN")}
}

gvt_tree_of() {
  echo "$GVT_ROOT/build/$1"
}

# Succeeds when this host executes 32-bit (i386) programs: it really runs a
# 93-byte i386 program that only exits, so neither the machine's name nor
# the installed packages are trusted. Some kernels have IA-32 emulation off.
gvt_host_runs_i386() {
  local probe
  probe=$(mktemp) || return 1
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  local rc=$?
  rm -f "$probe"
  return $rc
}

# The machine type in a Windows program's PE header: i386, x86-64, or the
# number in hexadecimal for any other.
gvt_pe_machine() {
  local pe machine
  pe=$(od -An -tu4 -j 60 -N4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j $((pe + 4)) -N2 "$1" | tr -d ' ')
  case $machine in
    014c) echo i386 ;;
    8664) echo x86-64 ;;
    *) echo "$machine" ;;
  esac
}

# Chooses Wine for the program $1 and for the prefix it runs in: the 64-bit
# loader and a 64-bit prefix for an x86-64 program, the 32-bit ones for an
# i386 program. Debian's /usr/bin/wine is not used: it takes the 32-bit
# loader whenever wine32 is installed, whatever the program.
gvt_use_wine_for() {
  case $(gvt_pe_machine "$1") in
    x86-64) GVT_WINE=/usr/lib/wine/wine64; export WINEARCH=win64 ;;
    *)    GVT_WINE=/usr/lib/wine/wine; export WINEARCH=win32 ;;
  esac
  export GVT_WINE
}

# Runs a Windows program, or one of Wine's own (reg, wineboot, winepath),
# with the loader gvt_use_wine_for chose.
gvt_wine() {
  "${GVT_WINE:?gvt_use_wine_for has not chosen a loader}" "$@"
}

# Starts Xvfb on display $1 unless something already answers there.
gvt_ensure_xvfb() {
  local display=$1 size=${2:-1920x1080x24}
  if xdpyinfo -display "$display" >/dev/null 2>&1; then
    return 0
  fi
  (
    flock 9
    if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
      setsid Xvfb "$display" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 < /dev/null 9>&- &
      echo $! > "/tmp/gvt-xvfb${display#:}.pid"
      for _ in $(seq 100); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && break
        sleep 0.1
      done
    fi
  ) 9>"/tmp/gvt-xvfb${display#:}.lock"
  xdpyinfo -display "$display" >/dev/null 2>&1
}

gvt_stop_xvfb() {
  local display=$1 pidfile="/tmp/gvt-xvfb${1#:}.pid"
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  fi
}

# Creates the prefix once (wineboot takes a while), with the loader that
# gvt_use_wine_for chose, and keeps one wineserver
# running for it, so that every test start reuses both.
gvt_ensure_prefix() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/.gvt-ready-v3" ]; then
      gvt_wine wineboot -i >/dev/null 2>&1 < /dev/null 9>&-
      # Without a window manager Wine waits up to two seconds for every
      # managed window that hides; test windows are left unmanaged instead.
      gvt_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 < /dev/null 9>&-
      # A test program that crashes must end, not wait in Wine's debugger
      # until CTest's time-out.
      gvt_wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
        >/dev/null 2>&1 < /dev/null 9>&-
      touch "$WINEPREFIX/.gvt-ready-v3"
    fi
    # A second wineserver for the same prefix exits at once, so this only
    # starts one when none is running.
    wineserver -p >/dev/null 2>&1 < /dev/null 9>&- || true
  ) 9>"$WINEPREFIX.lock"
}

# Picks the string table Wine uses: Japanese or English.
gvt_set_language() {
  case "${1:-en}" in
    ja) export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 ;;
    *)  export LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 ;;
  esac
}

# Installs font files into $WINEPREFIX as an administrator would: copied into
# the Fonts folder and one value each under the machine's font key, named
# "LABEL <file name> (TrueType)"; then starts Wine once, since Wine reads
# every new font file at its first start after this, which is not the work
# of the program started next. Usage: gvt_install_fonts LABEL FILE...
gvt_install_fonts() {
  local label=$1 file name
  shift
  local system=$WINEPREFIX/drive_c/windows/Fonts reg=$WINEPREFIX/gvt-fonts.reg
  mkdir -p "$system"
  cp "$@" "$system/"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
    for file in "$@"; do
      name=${file##*/}
      printf '"%s %s (TrueType)"="%s"\r\n' "$label" "${name%.*}" "$name"
    done
  } >"$reg"
  gvt_wine regedit /S "$(gvt_wine winepath -w "$reg")" </dev/null >/dev/null 2>&1
  gvt_wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
