#!/usr/bin/env bash
# Fonts added from a folder named on the command line: "Only added fonts"
# (Ctrl+L) lists exactly the faces of the folder's font files, the next
# start has them again without probing anything new (the probe cache file
# stays as it was), and "Remove added fonts" brings the installed list back.
# The same folder chosen in the folder picker adds the same faces; cancelling
# the picker adds nothing.
source "$(dirname "$0")/lib/session.sh"

# Seven faces in seven files, a cut file and text with a font's name.
fonts=$E2E_DIR/fonts
/usr/bin/python3 "$GVT_ROOT/bench/make_fonts.py" "$fonts" 7 || fail "could not make the fonts"
folder=$fonts/00
head -c 700 "$folder/f00000-0.ttf" >"$folder/cut.ttf"
echo "no font" >"$folder/text.otf"
expected=$(/usr/bin/python3 - "$folder" <<'PY'
import glob, sys
from fontTools.ttLib import TTFont
names = set()
for path in glob.glob(sys.argv[1] + "/f*.ttf"):
    names.add(TTFont(path)["name"].getName(1, 3, 1, 0x409).toUnicode())
print("\n".join(sorted(names)))
PY
)
[ "$(echo "$expected" | wc -l)" = 7 ] || fail "expected seven faces in the generated files: $expected"
windows_folder="Z:${folder//\//\\}"

# Waits until the status line shows something and stays the same for two
# seconds: the fonts are added and read again.
wait_added() {
  local same=0 last="" picture
  for _ in $(seq 240); do
    if [ "$(e2e_status_ink)" -gt 0 ]; then
      picture=$(identify -format %# "$E2E_DIR/status.png")
      [ "$picture" = "$last" ] && same=$((same + 1)) || same=0
      last=$picture
      [ "$same" -ge 8 ] && return
    fi
    sleep 0.25
  done
  fail "the status line did not settle on the added fonts"
}

copy_styled() {
  xdotool key --clearmodifiers shift+ctrl+c
  sleep 0.2
  e2e_clipboard
}

# The captions of the first and the last row.
ends() {
  e2e_key Home
  copy_styled
  echo
  e2e_key End
  copy_styled
  e2e_key Home
}

# The face names of every row, one a line, each once.
listed_faces() {
  e2e_key Home
  local previous="" caption
  for _ in $(seq 200); do
    caption=$(copy_styled)
    [ "$caption" = "$previous" ] && break
    previous=$caption
    echo "${caption%%, *}"
    xdotool key --clearmodifiers Down
    sleep 0.15
  done | sort -u
}

# Opens "Add fonts from a folder...", the context menu's sixth item, and
# waits for the folder picker, the program's other titled window (its title
# is in the system's language). Its file name field has the focus.
open_picker() {
  xdotool key --clearmodifiers shift+F10
  sleep 0.5
  xdotool key --clearmodifiers Down Down Down Down Down Down Return
  for _ in $(seq 50); do
    [ -n "$(picker_window)" ] && return
    sleep 0.2
  done
  fail "no folder picker"
}

picker_window() {
  local window
  for window in $(xdotool search --onlyvisible --class '^glyvanter\.exe$' 2>/dev/null); do
    [ "$window" != "$E2E_WINDOW" ] && [ -n "$(xdotool getwindowname "$window" 2>/dev/null)" ] && echo "$window"
  done
}

# Waits for the folder picker to close, then clicks the status line to make
# the main window active again, as a user would: with no window manager on
# the display, Wine at times leaves no window active, and keys go nowhere.
wait_picker_closed() {
  local WINDOW="" WIDTH="" HEIGHT="" X="" Y="" SCREEN=""
  for _ in $(seq 50); do
    if [ -z "$(picker_window)" ]; then
      eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
      xdotool mousemove $((X + 30)) $((Y + HEIGHT - 18)) click 1
      return
    fi
    sleep 0.2
  done
  fail "the folder picker stayed open"
}

settings_file() { find "$WINEPREFIX/drive_c/users" -name Glyvanter32.config | head -n1; }
cache_file() { find "$WINEPREFIX/drive_c/users" -name '*.fontcache' | head -n1; }

# The installed fonts alone.
e2e_start
installed=$(ends)
[ -n "$installed" ] || fail "nothing listed before adding"
e2e_key Escape
e2e_wait_exit
[ "$E2E_RC" = 0 ] || fail "first run: exit code $E2E_RC"

# The folder on the command line; Ctrl+L lists exactly its faces.
e2e_launch "$windows_folder"
wait_added
e2e_key ctrl+l
e2e_shot "only_added"
listed=$(listed_faces)
[ "$listed" = "$expected" ] || fail "only added fonts listed:
$listed
expected:
$expected"
e2e_key Escape
e2e_wait_exit
[ "$E2E_RC" = 0 ] || fail "second run: exit code $E2E_RC"
config=$(settings_file)
grep -q "<AddedFonts><Path>${windows_folder//\\/\\\\}</Path></AddedFonts><OnlyAddedFonts>true</OnlyAddedFonts></FontListDlg>" "$config" ||
  fail "the settings file does not keep the added folder and the only-added choice"
cache=$(cache_file)
[ -n "$cache" ] || fail "no probe cache file"
cached=$(md5sum <"$cache")

# The next start adds the folder again, still only its faces listed, and
# probes nothing new: the cache file is not written again.
e2e_launch
wait_added
e2e_shot "next_start"
again=$(listed_faces)
[ "$again" = "$expected" ] || fail "the next start lists:
$again"
e2e_key Escape
e2e_wait_exit
[ "$E2E_RC" = 0 ] || fail "third run: exit code $E2E_RC"
[ "$(md5sum <"$cache")" = "$cached" ] || fail "the next start with the same folder probed again"

e2e_launch
wait_added
# "Remove added fonts": the context menu from the keyboard, its seventh item
# (separators are passed over).
xdotool key --clearmodifiers shift+F10
sleep 0.5
e2e_shot "menu"
xdotool key --clearmodifiers Down Down Down Down Down Down Down Return
sleep 0.5
e2e_wait_read
e2e_shot "removed"
back=$(ends)
[ "$back" = "$installed" ] || fail "after removing, the list runs from
$back
instead of
$installed"
e2e_key Escape
e2e_wait_exit
[ "$E2E_RC" = 0 ] || fail "fourth run: exit code $E2E_RC"
! grep -q "<AddedFonts>\|<OnlyAddedFonts>" "$(settings_file)" || fail "the settings file still names added fonts"

# The folder picker: Escape adds nothing, the status line stays empty; the
# folder's path typed and Enter add its faces as the command line did.
e2e_start
open_picker
e2e_shot "picker"
xdotool key --clearmodifiers Escape
wait_picker_closed
for _ in 1 2 3 4; do
  sleep 0.25
  [ "$(e2e_status_ink)" = 0 ] || fail "cancelling the folder picker changed the status line"
done
open_picker
xdotool type --delay 10 "$windows_folder"
xdotool key --clearmodifiers Return
wait_picker_closed
wait_added
e2e_key ctrl+l
picked=$(listed_faces)
[ "$picked" = "$expected" ] || fail "after picking the folder, only added fonts listed:
$picked"
e2e_key Escape
e2e_wait_exit
[ "$E2E_RC" = 0 ] || fail "fifth run: exit code $E2E_RC"
grep -q "<AddedFonts><Path>${windows_folder//\\/\\\\}</Path></AddedFonts>" "$(settings_file)" ||
  fail "the settings file does not keep the picked folder"
echo "only added fonts: the $(echo "$expected" | wc -l) generated faces; kept for the next start without new probes; removed: the installed list again; the picked folder adds them again"
