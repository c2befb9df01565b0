#!/usr/bin/env bash
# The stored window placement at start: a window maximised in the first run
# (no rectangle stored) reopens maximised and stays so, also with windows
# left to a window manager that is not there; a rectangle with the most
# extreme coordinates still opens a window on the screen within seconds.
source "$(dirname "$0")/lib/session.sh"
# Only the window counts here, not its list: the program is not waited for
# to read its fonts, and a maximised or unmanaged window's status line is
# not where a capture looks for it.

settings_file() {
  find "$WINEPREFIX/drive_c/users" -name Glyvanter32.config 2>/dev/null | head -n1
}

# Writes the given <WindowLayout> content into the settings file.
store_layout() {
  sed -i -e "s|<WindowLayout>.*</WindowLayout>|<WindowLayout>$1</WindowLayout>|" "$config"
  grep -q "<WindowLayout>$1</WindowLayout>" "$config" || fail "could not store the layout $1"
}

stored_layout() {
  grep -o '<WindowLayout>.*</WindowLayout>' "$config"
}

# Echoes "x y width height" of the program's window as X shows it.
geometry() {
  xdotool getwindowgeometry --shell "$E2E_WINDOW" | awk -F= '
    $1 == "X" { x = $2 } $1 == "Y" { y = $2 } $1 == "WIDTH" { w = $2 } $1 == "HEIGHT" { h = $2 }
    END { print x, y, w, h }'
}

# Ends the program with Escape and checks its exit code.
close_program() {
  e2e_key Escape
  e2e_wait_exit
  [ "$E2E_RC" = 0 ] || fail "$1: exit code $E2E_RC"
}

read -r screen_w screen_h < <(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

# Maximised during the very first run: the file keeps Maximized true with no
# rectangle, since the window was never moved while normal.
e2e_launch
e2e_key alt+space
e2e_key x
close_program "first run"
config=$(settings_file)
[ -n "$config" ] || fail "no Glyvanter32.config under $WINEPREFIX/drive_c/users"
zero='<Rect><left>0</left><top>0</top><right>0</right><bottom>0</bottom></Rect>'
[ "$(stored_layout)" = "<WindowLayout><Maximized>true</Maximized>$zero</WindowLayout>" ] ||
  fail "first run, maximised from the system menu, saved $(stored_layout)"

# The next start fills the screen and stays so.
e2e_launch
sleep 2
read -r x y w h < <(geometry)
e2e_shot "maximized_empty_rect"
[ "$w" -ge "$screen_w" ] && [ "$h" -ge "$screen_h" ] ||
  fail "not maximised: the window is ${w}x$h at $x,$y on a ${screen_w}x$screen_h screen"
close_program "maximised, empty rectangle"
stored_layout | grep -q '<Maximized>true</Maximized>' || fail "maximised run saved $(stored_layout)"

# The most extreme rectangle: the window is there at once and its top-left
# corner is on the screen.
store_layout "<Maximized>false</Maximized><Rect><left>-2147483648</left><top>-2147483648</top><right>2147483647</right><bottom>2147483647</bottom></Rect>"
started=$(date +%s)
e2e_launch
took=$(($(date +%s) - started))
[ "$took" -le 10 ] || fail "the window took $took s to appear"
read -r x y w h < <(geometry)
e2e_shot "extreme_rectangle"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ "$x" -lt "$screen_w" ] && [ "$y" -lt "$screen_h" ] ||
  fail "the window is at $x,$y, off the ${screen_w}x$screen_h screen"
[ "$w" -gt 0 ] && [ "$h" -gt 0 ] || fail "the window is ${w}x$h"
close_program "extreme rectangle"
echo "extreme rectangle: window after ${took} s at $x,$y, ${w}x$h; stored now: $(stored_layout)"

# Maximised with no rectangle once more, now with windows left to a window
# manager that never comes: X keeps the normal geometry, and the window must
# not take that for a restore. The state it saves at exit shows what it was.
gvt_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1 </dev/null
store_layout "<Maximized>true</Maximized>$zero"
e2e_launch
sleep 2
e2e_shot "maximized_empty_rect_managed"
close_program "maximised, empty rectangle, managed"
stored_layout | grep -q '<Maximized>true</Maximized>' || fail "managed: the window fell back to normal, saved $(stored_layout)"
echo "maximised with an empty rectangle reopened maximised, unmanaged and managed; exit codes 0"
