#!/usr/bin/env bash
# At 144 and 192 DPI (LogPixels in this script's own prefix) the window and
# its rows grow with the DPI, and the list draws each sample at Size x DPI /
# 96 while the record keeps the size (the list's own test, run at that DPI).
source "$(dirname "$0")/lib/session.sh"

tests_dir=$(dirname "$E2E_EXE")/tests

set_dpi() {
  gvt_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "cannot set LogPixels to $1"
}

# Starts the program without saved settings and echoes the window's width.
window_width() {
  find "$WINEPREFIX/drive_c/users" -name Glyvanter32.config -delete 2>/dev/null
  e2e_start
  e2e_shot "dpi$1"
  xdotool getwindowgeometry --shell "$E2E_WINDOW" | sed -n 's/^WIDTH=//p'
  e2e_key Escape
  e2e_wait_exit; rc=$E2E_RC
  [ "$rc" = 0 ] || fail "at $1 DPI: exit code $rc"
}

set_dpi 96
base=$(window_width 96)
[ -n "$base" ] && [ "$base" -gt 0 ] || fail "no window width at 96 DPI"
report="96 DPI: ${base} px wide"
for dpi in 144 192; do
  set_dpi "$dpi"
  GVT_TEST_DPI=$dpi gvt_wine "$tests_dir/test_fontlist.exe" --gtest_brief=1 \
    --gtest_filter='FontListInput.SamplesAreDrawnAtTheWindowDpi*' >"$E2E_DIR/fontlist$dpi.log" 2>&1 ||
    fail "the list's DPI test failed at $dpi DPI: $(cat "$E2E_DIR/fontlist$dpi.log")"
  width=$(window_width "$dpi")
  # Dialog units follow the font, whose size is rounded, so allow a tenth.
  expected=$((base * dpi / 96))
  [ "$width" -ge $((expected * 9 / 10)) ] && [ "$width" -le $((expected * 11 / 10)) ] ||
    fail "at $dpi DPI the window is $width px wide, expected about $expected"
  report="$report; $dpi DPI: $width px (about $expected)"
done
echo "$report; rows at 144 and 192 DPI measured by the list's own test"
