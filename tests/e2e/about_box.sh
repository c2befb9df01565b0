#!/usr/bin/env bash
# The About box from the keyboard: Shift+F10 opens the context menu, Up
# reaches its last item; Escape closes the box and a second one the program.
source "$(dirname "$0")/lib/session.sh"

about_window() {
  xdotool search --name '^About Glyvanter$' 2>/dev/null | head -n1 || true
}

e2e_start
e2e_key shift+F10
e2e_shot "menu"
e2e_key Up
e2e_key Return
about=""
for _ in $(seq 50); do
  about=$(about_window)
  [ -n "$about" ] && break
  sleep 0.2
done
[ -n "$about" ] || fail "no window named 'About Glyvanter'"
sleep 0.5
e2e_shot "about"
xdotool windowfocus --sync "$about" 2>/dev/null || xdotool windowfocus "$about"
e2e_key Escape
for _ in $(seq 25); do
  [ -z "$(about_window)" ] && break
  sleep 0.2
done
[ -z "$(about_window)" ] || fail "Escape did not close the About box"
kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended with the About box"
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || xdotool windowfocus "$E2E_WINDOW"
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "exit code $rc"
echo "the About box opened from the context menu and closed with Escape; exit code 0"
