# Shared by the end-to-end scripts: a virtual display, a fresh Wine prefix
# and helpers to drive the real Glyvanter window with xdotool.
set -u
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../scripts" && pwd)/wine-env.sh"

E2E_EXE=$(realpath "$1")
E2E_NAME=$(basename "$0" .sh)
E2E_DIR=$(dirname "$E2E_EXE")/e2e/$E2E_NAME
rm -rf "$E2E_DIR"
mkdir -p "$E2E_DIR"
export WINEPREFIX=$E2E_DIR/prefix
export WINEDEBUG=-all
gvt_use_wine_for "$E2E_EXE"

# A display of its own: keyboard focus and the clipboard belong to this
# script alone, whatever else runs at the same time.
for n in $(seq 110 199); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    E2E_DISPLAY=:$n
    break
  fi
done
export DISPLAY=$E2E_DISPLAY
gvt_ensure_xvfb "$DISPLAY" 1280x1024x24
gvt_ensure_prefix
gvt_set_language "${GVT_TEST_LANG:-en}"

e2e_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  gvt_stop_xvfb "$E2E_DISPLAY"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  e2e_shot "failure"
  exit 1
}

e2e_shot() {
  import -window root "$E2E_DIR/$1.png" 2>/dev/null || true
}

# Starts the program with the arguments given; sets E2E_PID and E2E_WINDOW.
# The window shows at once and fills while the fonts are read.
e2e_launch() {
  gvt_wine "$E2E_EXE" "$@" >"$E2E_DIR/program.log" 2>&1 </dev/null &
  E2E_PID=$!
  E2E_WINDOW=""
  for _ in $(seq 600); do
    E2E_WINDOW=$(xdotool search --name '^Glyvanter$' 2>/dev/null | head -n1 || true)
    [ -n "$E2E_WINDOW" ] && break
    kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.2
  done
  [ -n "$E2E_WINDOW" ] || fail "no window named Glyvanter"
  # The window is shown once its loop runs; give it a moment to be mapped.
  sleep 1
  xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || xdotool windowfocus "$E2E_WINDOW"
}

# Captures the status line (the strip between the list and the bottom
# frame: near the bottom in proportion, and in a large window within the last
# 28 pixels) to status.png and echoes how many of its pixels differ from its
# most common colour, the background: 0 when the line is empty, -1 when no
# capture could be taken.
e2e_status_ink() {
  local WINDOW="" WIDTH="" HEIGHT="" X="" Y="" SCREEN=""
  eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW" 2>/dev/null)"
  [ -n "$WIDTH" ] || { echo -1; return; }
  local top=$((HEIGHT * 92 / 100)) height=$((HEIGHT * 5 / 100))
  [ "$top" -lt $((HEIGHT - 28)) ] && top=$((HEIGHT - 28))
  [ "$height" -gt 20 ] && height=20
  import -window root -crop "$((WIDTH * 6 / 10))x$height+$((X + 8))+$((Y + top))" \
    +repage "$E2E_DIR/status.png" 2>/dev/null || { echo -1; return; }
  convert "$E2E_DIR/status.png" -format %c histogram:info:- |
    awk '{ n = $1 + 0; all += n; if (n > most) most = n } END { print all - most }'
}

# Waits until the reading is over: the status line, which counts while a
# reading lasts longer than half a second, stays empty for two seconds.
# Fails after a minute.
e2e_wait_read() {
  local empty=0
  for _ in $(seq 240); do
    [ "$(e2e_status_ink)" = 0 ] && empty=$((empty + 1)) || empty=0
    [ "$empty" -ge 8 ] && return
    sleep 0.25
  done
  fail "the status line did not stay empty: the fonts were still being read"
}

# Starts the program and waits until its list is complete.
e2e_start() {
  e2e_launch
  e2e_wait_read
}

e2e_key() {
  xdotool key --clearmodifiers "$@"
  sleep 0.5
}

e2e_clipboard() {
  xclip -o -selection clipboard 2>/dev/null || true
}

# Waits for the program to end and sets E2E_RC to its exit code, or to
# "timeout" (the program is then ended). Call it directly, not in a command
# substitution: a subshell cannot wait for the program, which is not its child.
e2e_wait_exit() {
  for _ in $(seq 300); do
    kill -0 "$E2E_PID" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$E2E_PID" 2>/dev/null; then
    kill "$E2E_PID"
    E2E_RC=timeout
    return
  fi
  E2E_RC=0
  wait "$E2E_PID" || E2E_RC=$?
}
