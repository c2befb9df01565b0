#!/usr/bin/env bash
# Times the real program with the 10,000 generated faces (make_fonts.py)
# installed in a Wine prefix of its own: from the start of the process to the
# painted list, a switch of the character set, and the switch back, first
# with no cache file and then with the one the first run left.
#
# The list area is captured over and over with timestamps; a step counts as
# done at the end of the first capture that equals the settled picture.
# Captures take a tenth of a second or so, which bounds the resolution.
#
# For comparison it also times Wine's own start of a window with the same
# fonts installed (Notepad), which no program can go below.
#
# Usage: bench/program_timing.sh  (display GVT_TIMING_DISPLAY, default :212;
# GVT_TIMING_EXE times another build of the program in the same prefix,
# GVT_TIMING_RUNS sets the runs with the cache file, default 5, and
# GVT_TIMING_SETTLE the seconds without change that end a step, default 3;
# a build that probes for longer than that without painting needs more)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"
gvt_choose_tree
bash "$root/scripts/build.sh" --target Glyvanter

fonts=$BUILD_DIR/bench-fonts
if [ ! -f "$fonts/09/f09999-0.ttf" ]; then
  rm -rf "$fonts"
  /usr/bin/python3 "$root/bench/make_fonts.py" "$fonts" 10000
fi

exe=${GVT_TIMING_EXE:-$BUILD_DIR/Glyvanter.exe}
work=$BUILD_DIR/program-timing
export WINEPREFIX=$work/prefix
export DISPLAY=${GVT_TIMING_DISPLAY:-:212}
gvt_use_wine_for "$exe"
gvt_ensure_xvfb "$DISPLAY" 1280x1024x24
gvt_ensure_prefix
gvt_set_language en
trap 'wineserver -k >/dev/null 2>&1 || true; gvt_stop_xvfb "$DISPLAY"' EXIT

if [ ! -f "$WINEPREFIX/.gvt-timing-fonts" ]; then
  gvt_install_fonts Bench "$fonts"/*/*.ttf
  touch "$WINEPREFIX/.gvt-timing-fonts"
fi

now() { date +%s.%N; }

window=""
area=""
# Captures the list area to $work/shots/NAME-<end time>.png until the
# pictures stop changing for `settle` seconds.
capture_until_settled() {
  local name=$1 settle=${GVT_TIMING_SETTLE:-3} last="" same_since
  same_since=$(now)
  while :; do
    local shot=$work/shots/$name-tmp.png
    import -window root -crop "$area" "$shot" 2>/dev/null || continue
    local t
    t=$(now)
    mv "$shot" "$work/shots/$name-$t.png"
    local sum
    sum=$(md5sum <"$work/shots/$name-$t.png" | cut -d' ' -f1)
    if [ "$sum" != "$last" ]; then
      last=$sum
      same_since=$t
    elif awk -v a="$t" -v b="$same_since" -v s="$settle" 'BEGIN { exit !(a - b >= s) }'; then
      return
    fi
  done
}

# Seconds from $2 to the end of the first capture of step $1 that shows the
# settled picture.
time_to_settled() {
  local name=$1 start=$2 final first
  final=$(ls "$work/shots/$name-"*.png | sort | tail -n1)
  for f in $(ls "$work/shots/$name-"*.png | sort); do
    if cmp -s <(convert "$f" rgb:-) <(convert "$final" rgb:-); then
      first=${f##*-}
      first=${first%.png}
      awk -v a="$first" -v b="$start" 'BEGIN { printf "%.2f", a - b }'
      return
    fi
  done
}

run() {
  local label=$1
  rm -rf "$work/shots"
  mkdir -p "$work/shots"
  local t0
  t0=$(now)
  gvt_wine "$exe" >"$work/program.log" 2>&1 </dev/null &
  local pid=$!
  window=""
  while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name '^Glyvanter$' 2>/dev/null | head -n1 || true)
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && rc=0 || rc=$?
      echo "the program ended with $rc before its window showed:" >&2
      cat "$work/program.log" >&2
      exit 1
    fi
    [ -n "$window" ] || sleep 0.02
  done
  # The list box fills the window but for the combo boxes above it and the
  # status line below; the middle of it is enough.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  area=$((WIDTH * 8 / 10))x$((HEIGHT * 4 / 10))+$((X + WIDTH / 10))+$((Y + HEIGHT * 4 / 10))
  capture_until_settled start
  local started
  started=$(time_to_settled start "$t0")

  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers alt+c
  sleep 0.5
  local t1
  t1=$(now)
  xdotool key --clearmodifiers Down
  capture_until_settled switch
  local switched
  switched=$(time_to_settled switch "$t1")

  local t2
  t2=$(now)
  xdotool key --clearmodifiers Up
  capture_until_settled back
  local back
  back=$(time_to_settled back "$t2")
  if ! cmp -s <(convert "$(ls "$work/shots/start-"*.png | sort | tail -n1)" rgb:-) \
              <(convert "$(ls "$work/shots/back-"*.png | sort | tail -n1)" rgb:-); then
    echo "the list after switching back differs from the list at start" >&2
  fi
  import -window root "$work/$label.png" 2>/dev/null || true
  xdotool key --clearmodifiers Escape
  wait "$pid" || true
  printf '%-34s start to painted list %6s s, switch %6s s, switch back %6s s\n' "$label" "$started" "$switched" "$back"
  echo "$started $switched $back" >>"$work/times"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Wine's own cost of a window with these fonts installed: Notepad.
floor() {
  local t0 w="" pid
  t0=$(now)
  gvt_wine notepad >/dev/null 2>&1 </dev/null &
  pid=$!
  while [ -z "$w" ]; do
    w=$(xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -n1 || true)
    [ -n "$w" ] || sleep 0.02
  done
  awk -v a="$(now)" -v b="$t0" 'BEGIN { printf "%.2f", a - b }'
  xdotool windowfocus --sync "$w" 2>/dev/null || true
  xdotool key --clearmodifiers alt+F4
  wait "$pid" || true
}

cache=$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Morvell/Glyvanter/Glyvanter32.fontcache
rm -f "$cache"
# Wine's own first reading of the fonts is not the program's.
run "warm-up" >/dev/null
rm -f "$cache"
run "no cache file"
if [ -f "$cache" ]; then
  echo "cache file: $(($(stat -c %s "$cache") / 1024)) KiB"
fi
rm -f "$work/times"
for _ in $(seq "${GVT_TIMING_RUNS:-5}"); do
  run "cache file from the run before"
done
printf 'medians of the runs with the cache file: start %s s, switch %s s, switch back %s s\n' \
  "$(cut -d' ' -f1 "$work/times" | median)" "$(cut -d' ' -f2 "$work/times" | median)" \
  "$(cut -d' ' -f3 "$work/times" | median)"
floors=""
for _ in 1 2 3 4 5; do
  floors="$floors $(floor)"
done
printf 'Notepad, start to visible window:%s s (median %s s)\n' "$floors" "$(echo $floors | tr ' ' '\n' | median)"
