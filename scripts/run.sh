#!/usr/bin/env bash
# Builds Glyvanter and opens its window in the user's own Wine prefix, so
# that its settings persist from run to run. Without a display it runs the
# window on a virtual display, saves a screenshot, closes it and says where
# the screenshot is. The 64-bit program by default; with --win32 the 32-bit
# one (in a prefix of its own, ~/.wine32 unless WINEPREFIX says otherwise),
# where the host runs 32-bit programs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"
prefix=$HOME/.wine
case "${1:-}" in
  --win32)
    gvt_host_runs_i386 || { echo "run: this host cannot run 32-bit programs; leave out --win32" >&2; exit 1; }
    export GVT_TOOLCHAIN=mingw-i686
    prefix=$HOME/.wine32 ;;
  "") ;;
  *) echo "usage: bash scripts/run.sh [--win32]" >&2; exit 2 ;;
esac
gvt_choose_tree
bash "$root/scripts/build.sh" --target Glyvanter

export WINEPREFIX=${WINEPREFIX:-$prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exe=$BUILD_DIR/Glyvanter.exe
gvt_use_wine_for "$exe"

# Choose the display before Wine starts anything: the prefix's desktop
# process keeps the display it was started with.
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  display=:93
  gvt_ensure_xvfb "$display" 1280x800x24
  export DISPLAY=$display
fi

# Wine's 64-bit loader cannot use a prefix made for 32-bit programs only.
if [ "$WINEARCH" = win64 ] && grep -qs '^#arch=win32' "$WINEPREFIX/system.reg"; then
  echo "run: $WINEPREFIX is a 32-bit prefix; name another WINEPREFIX for the 64-bit program, or use --win32" >&2
  exit 1
fi

# A fresh prefix lists Wine's own fonts only once they are in its Fonts folder.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  gvt_wine wineboot -i >/dev/null 2>&1 </dev/null || true
fi
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -f "$fonts/tahoma.ttf" ]; then
  cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
fi

if [ "$headless" = 0 ]; then
  exec "$GVT_WINE" "$exe"
fi

shot=$BUILD_DIR/screenshot.png
gvt_wine "$exe" >/dev/null 2>&1 </dev/null &
pid=$!
window=""
for _ in $(seq 600); do
  window=$(xdotool search --name '^Glyvanter$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "run: the Glyvanter window did not appear" >&2
  kill "$pid" 2>/dev/null || true
  gvt_stop_xvfb "$display"
  exit 1
fi
sleep 2
import -window root "$shot"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" Escape
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill "$pid" 2>/dev/null || true
wineserver -w 2>/dev/null || true
gvt_stop_xvfb "$display"
echo "Screenshot: $shot"
