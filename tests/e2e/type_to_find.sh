#!/usr/bin/env bash
# Typing the first letters of a face in the list selects it (Ctrl+C copies
# its name); Ctrl+G with a Japanese sample text leaves only faces that have
# kana, Ctrl+G again lists the others again, and the setting is saved only
# while it is on.
source "$(dirname "$0")/lib/session.sh"

settings_file() {
  find "$WINEPREFIX/drive_c/users" -name Glyvanter32.config 2>/dev/null | head -n1
}

# Copies every row with its style from the first one down (at most 60);
# echoes one per line.
list_rows() {
  local row previous="" count=0
  e2e_key Home
  while [ "$count" -lt 60 ]; do
    e2e_key shift+ctrl+c
    row=$(e2e_clipboard)
    [ "$row" = "$previous" ] && break
    echo "$row"
    previous=$row
    count=$((count + 1))
    xdotool key --clearmodifiers Down
    sleep 0.2
  done
}

e2e_start
xdotool type --delay 80 "dejavu sa"
sleep 0.5
e2e_key ctrl+c
found=$(e2e_clipboard)
[ "$found" = "DejaVu Sans" ] || fail "typing 'dejavu sa' selected '$found', not DejaVu Sans"
# After a pause longer than the timeout a new prefix starts.
sleep 1.5
xdotool type --delay 80 "dejavu sans m"
sleep 0.5
e2e_key ctrl+c
found=$(e2e_clipboard)
[ "$found" = "DejaVu Sans Mono" ] || fail "typing 'dejavu sans m' selected '$found', not DejaVu Sans Mono"
e2e_shot "found"

# The sample-text field is the stop just before the list.
e2e_key shift+Tab
xdotool type --delay 80 "あいう"
sleep 0.5
e2e_key Tab
e2e_key ctrl+g
e2e_shot "glyph_filter"
names=$(list_rows)
[ -n "$names" ] || fail "the glyph filter left no row"
echo "$names" | grep -q '^IPA' || fail "no IPA face among the rows left: $(echo "$names" | tr '\n' '|')"
if echo "$names" | grep -q '^DejaVu'; then
  fail "a DejaVu face, which has no kana, is still listed: $(echo "$names" | tr '\n' '|')"
fi
kept=$(echo "$names" | wc -l)

# Off again, the faces without kana are back.
e2e_key ctrl+g
sleep 1.5
xdotool type --delay 80 "dejavu sa"
sleep 0.5
e2e_key ctrl+c
found=$(e2e_clipboard)
[ "$found" = "DejaVu Sans" ] || fail "with the filter off again 'dejavu sa' selected '$found'"
e2e_key ctrl+g
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "exit code $rc"
config=$(settings_file)
grep -q '</Italic><GlyphFilter>true</GlyphFilter><SampleText>' "$config" || fail "the filter was not saved after Italic"

# A run that turns it off writes no element at all.
e2e_start
e2e_key ctrl+g
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "second run: exit code $rc"
if grep -q 'GlyphFilter' "$config"; then
  fail "the filter is off but its element was written"
fi
echo "typing selected DejaVu Sans and DejaVu Sans Mono; Ctrl+G kept $kept rows, all with kana:" \
  "$(echo "$names" | tr '\n' '|')"
