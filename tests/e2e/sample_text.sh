#!/usr/bin/env bash
# Typing a sample text redraws the rows with it; Enter in the field keeps the
# window open and copies nothing; a larger size makes the rows taller; Enter
# in the list copies the selected name and ends the program with code 0.
source "$(dirname "$0")/lib/session.sh"

window_exists() {
  xdotool search --name '^Glyvanter$' >/dev/null 2>&1
}

e2e_start
e2e_shot "before"
# The sample-text field is the stop just before the list.
e2e_key shift+Tab
xdotool type --delay 50 "Quick brown fox 0123"
sleep 0.5
printf 'untouched' | xclip -selection clipboard
sleep 0.5
e2e_key Return
window_exists || fail "Enter in the sample-text field closed the window"
[ "$(e2e_clipboard)" = untouched ] || fail "Enter in the sample-text field changed the clipboard to '$(e2e_clipboard)'"
e2e_shot "sample_text"

# Back to the list, then to the size box, the third stop from the start.
e2e_key Tab
e2e_key Tab Tab Tab
e2e_key Down Down Down Down Down Down Down Down Down Down
e2e_shot "larger"
window_exists || fail "the window went away after the size change"
differing=$(compare -metric AE "$E2E_DIR/sample_text.png" "$E2E_DIR/larger.png" null: 2>&1 >/dev/null || true)
[ "${differing%% *}" != 0 ] || fail "the rows look the same after the size change"

# Weight, italic, sample text, list: Enter there copies and ends.
e2e_key Tab Tab Tab Tab
e2e_key Home
e2e_key Return
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "exit code $rc"
name=$(e2e_clipboard)
[ -n "$name" ] && [ "$name" != untouched ] || fail "Enter in the list copied nothing ('$name')"
echo "typed a sample text, grew the rows ($differing pixels changed), Enter copied '$name'; exit code 0"
