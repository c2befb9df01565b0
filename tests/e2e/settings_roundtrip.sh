#!/usr/bin/env bash
# The settings file carries the weight filter, the selected font, the size,
# the sample text and its history from one run to the next; an unreadable file makes the program ask 58611, and
# refusing leaves the file exactly as it was.
source "$(dirname "$0")/lib/session.sh"

# Echoes the id of the first window whose name matches $1, waiting for it.
wait_window() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && break
    kill -0 "$E2E_PID" 2>/dev/null || break
    sleep 0.2
  done
  echo "$id"
}

settings_file() {
  find "$WINEPREFIX/drive_c/users" -name Glyvanter32.config 2>/dev/null | head -n1
}

# First run: "Bolder" in the weight box, the third row selected, size
# 22 + 3 = 25 and a typed sample text, then Escape.
e2e_start
e2e_key Tab Tab Tab Tab
e2e_key Down Down Down
e2e_key shift+Tab shift+Tab shift+Tab shift+Tab
e2e_key Home
e2e_key Down Down
e2e_key shift+ctrl+c
selected=$(e2e_clipboard)
[ -n "$selected" ] || fail "first run: nothing selected to copy"
e2e_key Tab Tab Tab
e2e_key Down Down Down
e2e_key Tab Tab Tab
xdotool type --delay 50 "Roundtrip one"
sleep 0.5
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "first run: exit code $rc"
config=$(settings_file)
[ -n "$config" ] || fail "no Glyvanter32.config under $WINEPREFIX/drive_c/users"
echo "settings file: ${config#"$WINEPREFIX/"}"
grep -q '<Size>25</Size>' "$config" || fail "first run: Size 25 not saved"
grep -q '<SampleText>Roundtrip one</SampleText>' "$config" || fail "first run: sample text not saved"
grep -q '<Item>Roundtrip one</Item>' "$config" || fail "first run: sample text not in the history"
grep -q '<Weight>BOLDER</Weight>' "$config" || fail "first run: the weight filter was not saved"
grep -q "<lfFaceName>${selected%%, *}</lfFaceName>" "$config" || fail "first run: the selected font '$selected' was not saved"

# Second run: the saved values come back; a new text joins the history.
e2e_start
e2e_shot "second_run"
e2e_key shift+ctrl+c
again=$(e2e_clipboard)
[ "$again" = "$selected" ] || fail "second run: selected '$again', expected the saved '$selected'"
e2e_key Tab Tab Tab
e2e_key Down
e2e_key Tab Tab Tab
e2e_key ctrl+a
xdotool type --delay 50 "Roundtrip two"
sleep 0.5
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "second run: exit code $rc"
grep -q '<Size>26</Size>' "$config" || fail "second run: Size did not go on from the saved 25"
grep -q '<SampleText>Roundtrip two</SampleText>' "$config" || fail "second run: sample text not saved"
grep -q '<Item>Roundtrip one</Item>' "$config" || fail "second run: the first text left the history"
grep -q '<Item>Roundtrip two</Item>' "$config" || fail "second run: the second text is not in the history"
grep -q '<Weight>BOLDER</Weight>' "$config" || fail "second run: the weight filter did not come back"

# A corrupt file: the question appears; Cancel keeps the file untouched.
printf 'this is not a settings document' >"$config"
cp "$config" "$E2E_DIR/corrupt.config"
gvt_wine "$E2E_EXE" >"$E2E_DIR/program.log" 2>&1 </dev/null &
E2E_PID=$!
query=$(wait_window '^(Query|確認)$')
[ -n "$query" ] || fail "no question box after a corrupt settings file"
e2e_shot "query"
xdotool windowfocus --sync "$query" 2>/dev/null || xdotool windowfocus "$query"
e2e_key Escape
E2E_WINDOW=$(wait_window '^Glyvanter$')
[ -n "$E2E_WINDOW" ] || fail "the dialog did not open after the question"
sleep 1
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || xdotool windowfocus "$E2E_WINDOW"
e2e_key Tab Tab Tab
e2e_key Down
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "corrupt run: exit code $rc"
cmp -s "$config" "$E2E_DIR/corrupt.config" || fail "the refused file was rewritten"
echo "weight filter, selected font ($selected), size and sample texts kept across two runs; the corrupt file was left as it was; exit codes 0"
