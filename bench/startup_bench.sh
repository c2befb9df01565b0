#!/usr/bin/env bash
# Times the real program as its user meets it, with 1,000 and then 10,000
# generated faces (make_fonts.py) installed in a Wine prefix per count, each
# figure against an anchor measured in the same run:
#   - warm start (the cache file of the run before): start of the process to
#     the filled list shown, against Notepad's start to its window shown;
#   - cold start (no cache file): to the window shown (against Notepad), to
#     the first rows, and to the last row, against a process that starts and
#     runs the bare probe loop of the same GDI calls (catalogue_bench
#     --installed);
#   - the window's answer time to WM_NULL every 20 ms during a cold start
#     (from the window's creation, and once it shows) and the glyph filter's
#     first pass, against Notepad's while idle;
#   - with the glyph filter on, a keystroke of a character already asked
#     about (against one with the filter off) and of a new one;
#   - the close, Escape to the end of the process, idle and during a cold
#     start's reading, against Notepad's close.
# answer_times.exe starts every program and reads the window's state from
# outside (see there); it is the origin of every time.
#
# Usage: bench/startup_bench.sh  (display GVT_BENCH_DISPLAY, default :231;
# GVT_BENCH_EXE times another build of the program; GVT_BENCH_RUNS sets the
# runs a median is taken of, default 3; GVT_BENCH_COUNTS the face counts,
# default "1000 10000")
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"
gvt_choose_tree
for target in Glyvanter answer_times catalogue_bench; do
  bash "$root/scripts/build.sh" --target "$target" >/dev/null
done

fonts=$BUILD_DIR/bench-fonts
if [ ! -f "$fonts/09/f09999-0.ttf" ]; then
  rm -rf "$fonts"
  /usr/bin/python3 "$root/bench/make_fonts.py" "$fonts" 10000
fi

exe=${GVT_BENCH_EXE:-$BUILD_DIR/Glyvanter.exe}
answer=$BUILD_DIR/bench/answer_times.exe
bare=$BUILD_DIR/bench/catalogue_bench.exe
runs=${GVT_BENCH_RUNS:-3}
work=$BUILD_DIR/startup-bench
export DISPLAY=${GVT_BENCH_DISPLAY:-:231}
gvt_use_wine_for "$exe"
gvt_ensure_xvfb "$DISPLAY" 1280x1024x24
gvt_set_language en
trap 'if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi; gvt_stop_xvfb "$DISPLAY"' EXIT

# Wine's drive Z: is the root of this machine.
windows_path() {
  local path=$1
  echo "Z:${path//\//\\}"
}

# Installs the first $1 faces, once per prefix.
install_fonts() {
  local count=$1 folder
  [ -f "$WINEPREFIX/.gvt-bench-fonts" ] && return
  local files=()
  for ((folder = 0; folder < count / 1000; folder++)); do
    files+=("$fonts/$(printf %02d $folder)"/*.ttf)
  done
  gvt_install_fonts Bench "${files[@]}"
  touch "$WINEPREFIX/.gvt-bench-fonts"
}

forget_cache() {
  find "$WINEPREFIX/drive_c/users" -name '*.fontcache' -delete
}

# Every run starts from the default settings: glyph filter off, no sample
# text, the window centred.
forget_settings() {
  find "$WINEPREFIX/drive_c/users" -path '*/Glyvanter/*.config' -delete
}

# Runs answer_times.exe with the given arguments into file $1. A run that
# fails (it says why: which wait timed out, or the program's early end) is
# told and left out of the medians.
scene() {
  local name=$1 out=$work/runs/$1 errors=$work/errors/$1
  shift
  forget_settings
  if ! timeout -k 10 600 "$GVT_WINE" "$answer" "$@" >"$out" 2>"$errors" </dev/null; then
    mv "$out" "$errors.out"
    echo "  run $name failed: $(tail -n1 "$errors")"
    return 1
  fi
}

# Field $2 (from 2) of the lines named $1 in the files of the runs that
# succeeded, one a line.
field() {
  local name=$1 field=$2
  shift 2
  { cat "$@" 2>/dev/null || true; } | awk -v n="$name" -v f="$field" '$1 == n { print $f }'
}

values() {
  local name=$1
  shift
  field "$name" 2 "$@"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "nan" }'; }

# "p50/p99/max ms" of the answer times of a phase: the medians over the runs.
answers() {
  local phase=$1
  shift
  local p50 p99 max
  p50=$(field "answers_$phase" 3 "$@" | median)
  p99=$(field "answers_$phase" 4 "$@" | median)
  max=$(field "answers_$phase" 5 "$@" | median)
  echo "$p50 $p99 $max"
}

anchor() {
  awk -v what="$1" -v v="$2" -v more="${3:-}" 'BEGIN { printf "  %-44s %8.3f s  %s\n", what, v, more }'
}

# A line of figures: what, seconds, anchor's seconds, anchor's name, target.
figure() {
  awk -v what="$1" -v v="$2" -v a="$3" -v name="$4" -v target="$5" 'BEGIN {
    printf "  %-44s %8.3f s  %6.2f x %-9s (%+.3f s)  target %s\n", what, v, v / a, name, v - a, target }'
}

answer_line() {
  local what=$1 target=$2 p50 p99 max a50 a99 amax
  read -r p50 p99 max <<<"$3"
  read -r a50 a99 amax <<<"$4"
  awk -v what="$what" -v p50="$p50" -v p99="$p99" -v max="$max" -v a50="$a50" -v a99="$a99" -v amax="$amax" \
      -v target="$target" 'BEGIN {
    printf "  %-44s p50 %7.1f  p99 %7.1f  max %7.1f ms  = %6.1f / %6.1f / %6.1f x Notepad idle  target %s\n",
      what, p50, p99, max, p50 / a50, p99 / a99, max / amax, target }'
}

load() { echo "load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"; }

bench_count() {
  local count=$1
  export WINEPREFIX=$work/prefix-$count
  gvt_ensure_prefix
  install_fonts "$count"
  rm -rf "$work/runs" "$work/errors"
  mkdir -p "$work/runs" "$work/errors"
  local program
  program=$(windows_path "$exe")

  # Wine's own first reading of the fonts is not the program's; these runs
  # also find the counts a finished list and a finished glyph pass reach.
  forget_cache
  scene warmup start --settle 2 -- "$program" || exit 1
  local rows glyph_rows
  rows=$(values filled_rows "$work/runs/warmup")
  scene glyph-warmup glyph --rows "$rows" --settle 2 -- "$program" || exit 1
  glyph_rows=$(values glyph_pass_rows "$work/runs/glyph-warmup")

  echo "== $count faces: $rows rows, $glyph_rows with the glyph filter on sample text \"Aあ\"; $(load)"
  # Figures and anchors take turns, so that both see the same load; Wine's
  # own start varies by seconds with 10,000 faces.
  local i
  for ((i = 1; i <= runs; i++)); do
    scene "notepad-$i" start --class Notepad --title '*' -- notepad.exe || true
    forget_cache
    scene "reading-close-$i" start --rows "$rows" --close reading -- "$program" || true
    scene "bare-$i" run -- "$(windows_path "$bare")" --installed || true
    forget_cache
    scene "cold-$i" start --rows "$rows" -- "$program" || true
    scene "warm-$i" start --rows "$rows" -- "$program" || true
  done
  scene glyph glyph --rows "$rows" --glyph-rows "$glyph_rows" -- "$program" || true

  cd "$work/runs"
  local notepad notepad_close bare_start bare_loop
  notepad=$(values visible notepad-* | median)
  notepad_close=$(values close notepad-* | median)
  bare_start=$(values bare_from_start bare-* | median)
  bare_loop=$(values bare_first bare-* | median)
  echo "anchors (medians of $runs runs):"
  anchor "Notepad: start to window shown" "$notepad"
  anchor "Notepad: close to the end of the process" "$notepad_close"
  anchor "bare probe loop: process start to loop end" "$bare_start"
  anchor "bare probe loop alone" "$bare_loop" "$(values bare_faces bare-1) faces"
  echo "figures (medians of $runs runs, the glyph filter's of one):"
  figure "warm start to the filled list shown" "$(values filled warm-* | median)" "$notepad" Notepad "1.10 x"
  figure "cold start to the window shown" "$(values visible cold-* | median)" "$notepad" Notepad "+0.300 s"
  figure "cold start to the first rows" "$(values first_rows cold-* | median)" "$bare_start" "bare loop" "-"
  figure "cold start to the last row" "$(values filled cold-* | median)" "$bare_start" "bare loop" "1.05 x"
  figure "the glyph filter's first pass" "$(values glyph_pass glyph)" "$bare_loop" "bare loop" "-"
  local idle
  idle=$(answers idle notepad-*)
  answer_line "answers during a cold start" "p99 50, max 150" "$(answers start cold-*)" "$idle"
  answer_line "  the same, once the window is shown" "p99 50, max 150" "$(answers start_shown cold-*)" "$idle"
  answer_line "answers during the glyph filter's first pass" "p99 50, max 150" "$(answers glyph_pass glyph)" "$idle"
  answer_line "answers during a new character's pass" "answering" "$(answers key_new glyph)" "$idle"
  awk -v known="$(values key_known_ms glyph)" -v new="$(values key_new_ms glyph)" \
      -v plain="$(values key_plain_ms glyph)" -v done="$(values key_new_done glyph)" 'BEGIN {
    printf "  %-44s %8.1f ms %7.2f x filter off (%.1f ms)  target 50 ms\n", "keystroke, known character, filter on",
      known, known / plain, plain
    printf "  %-44s %8.1f ms %7.2f x filter off, its pass done after %.3f s\n", "keystroke, new character, filter on",
      new, new / plain, done }'
  figure "close, idle (warm and cold runs)" "$(values close warm-* cold-* | median)" "$notepad_close" Notepad "+0.100 s"
  figure "close during a cold start's reading" "$(values close reading-close-* | median)" "$notepad_close" Notepad "+0.100 s"
  local reading
  reading=$(values reading_at_close reading-close-* | awk '{ s += $1 } END { print s + 0 }')
  echo "  (the reading was still going on at $reading of $runs of those Escapes: status line shown or rows missing)"
  echo "  $(load)"
  cd "$root"
  wineserver -k >/dev/null 2>&1 || true
}

echo "startup_bench: $exe under $(gvt_wine --version), $runs runs a median"
for count in ${GVT_BENCH_COUNTS:-1000 10000}; do
  bench_count "$count"
done
