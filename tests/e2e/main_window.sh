#!/usr/bin/env bash
# The real program under Xvfb: move through the list, copy the name with and
# without style, close with Escape.
source "$(dirname "$0")/lib/session.sh"

e2e_start
e2e_shot "started"
e2e_key Home
e2e_key Down
e2e_key ctrl+c
name=$(e2e_clipboard)
[ -n "$name" ] || fail "Ctrl+C put nothing on the clipboard"
e2e_key shift+ctrl+c
styled=$(e2e_clipboard)
case "$styled" in
  "$name, "*) ;;
  *) fail "Shift+Ctrl+C gave '$styled', expected '$name, <weight>...'" ;;
esac
e2e_key Up
e2e_key ctrl+c
first=$(e2e_clipboard)
[ -n "$first" ] || fail "no name for the first row"
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "exit code $rc"
echo "copied '$first' and '$name' / '$styled'; exit code 0"
