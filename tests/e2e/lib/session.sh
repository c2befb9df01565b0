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

# Starts the program; sets E2E_PID and E2E_WINDOW.
e2e_start() {
  gvt_wine "$E2E_EXE" >"$E2E_DIR/program.log" 2>&1 </dev/null &
  E2E_PID=$!
  E2E_WINDOW=""
  for _ in $(seq 600); do
    E2E_WINDOW=$(xdotool search --name '^Glyvanter$' 2>/dev/null | head -n1 || true)
    [ -n "$E2E_WINDOW" ] && break
    kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.2
  done
  [ -n "$E2E_WINDOW" ] || fail "no window named Glyvanter"
  # The list is filled before the window shows; give the first paint a moment.
  sleep 1
  xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || xdotool windowfocus "$E2E_WINDOW"
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
