#!/usr/bin/env bash
# "Bolder" in the weight box, chosen with the keyboard, leaves only styles
# heavier than Normal: the styled copy of each row ends in such a weight.
source "$(dirname "$0")/lib/session.sh"

heavier() {
  case "$1" in
    Medium|"Semi Bold"|Bold|"Extra Bold"|Heavy) return 0 ;;
    *[!0-9]*|"") return 1 ;;
    *) [ "$1" -gt 400 ] ;;
  esac
}

e2e_start
# The list has the focus; the weight box is the fourth stop from the start.
e2e_key Tab Tab Tab Tab
e2e_key Home
e2e_key Down Down Down
e2e_shot "bolder"
# Italic box, sample text, then the list again.
e2e_key Tab Tab Tab
e2e_key Home
checked=0
for _ in 1 2 3 4 5 6; do
  e2e_key ctrl+c
  name=$(e2e_clipboard)
  e2e_key shift+ctrl+c
  styled=$(e2e_clipboard)
  [ -n "$name" ] || fail "Ctrl+C put nothing on the clipboard"
  rest=${styled#"$name, "}
  [ "$rest" != "$styled" ] || fail "'$styled' does not start with '$name, '"
  weight=${rest%%, *}
  heavier "$weight" || fail "'$styled' has the weight '$weight', not heavier than Normal"
  checked=$((checked + 1))
  e2e_key Down
done
e2e_key Escape
e2e_wait_exit; rc=$E2E_RC
[ "$rc" = 0 ] || fail "exit code $rc"
echo "checked $checked rows, all heavier than Normal; exit code 0"
