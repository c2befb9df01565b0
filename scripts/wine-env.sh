# Shared by the scripts: a virtual display and a Wine prefix for one build tree.
# Source it; it defines functions and changes nothing until they are called.

GVT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

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

# Creates the prefix once (wineboot takes a while) and keeps one wineserver
# running for it, so that every test start reuses both.
gvt_ensure_prefix() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/.gvt-ready-v2" ]; then
      wineboot -i >/dev/null 2>&1 < /dev/null 9>&-
      # Without a window manager Wine waits up to two seconds for every
      # managed window that hides; test windows are left unmanaged instead.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 < /dev/null 9>&-
      touch "$WINEPREFIX/.gvt-ready-v2"
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
