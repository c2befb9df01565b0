#!/usr/bin/env bash
# Times adding a folder of 1,000 and then of 5,000 generated font files
# (make_fonts.py) as its user meets it: the program started with the folder
# on its command line, from the start of the process to the filled list with
# the status line's account of the added fonts, and the longest the window
# took to answer WM_NULL (sent every 20 ms) meanwhile. The anchor, in the
# same run and prefix: a process that loads the same files in a bare
# AddFontResourceExW loop and then runs the bare probe loop over everything
# (catalogue_bench --add). Both start without a cache file.
#
# Usage: bench/added_fonts_bench.sh  (display GVT_BENCH_DISPLAY, default
# :232; GVT_BENCH_RUNS runs a median is taken of, default 3;
# GVT_BENCH_COUNTS the file counts, default "1000 5000")
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"
gvt_choose_tree
for target in Glyvanter answer_times catalogue_bench; do
  bash "$root/scripts/build.sh" --target "$target" >/dev/null
done

# 3,200 faces are 5,120 files: seven single faces, two four-file families
# and a CJK face in every ten.
fonts=$BUILD_DIR/added-bench-fonts
if [ ! -f "$fonts/.made-3200" ]; then
  rm -rf "$fonts"
  /usr/bin/python3 "$root/bench/make_fonts.py" "$fonts/all" 3200
  touch "$fonts/.made-3200"
fi

exe=$BUILD_DIR/Glyvanter.exe
answer=$BUILD_DIR/bench/answer_times.exe
bare=$BUILD_DIR/bench/catalogue_bench.exe
runs=${GVT_BENCH_RUNS:-3}
work=$BUILD_DIR/added-fonts-bench
export DISPLAY=${GVT_BENCH_DISPLAY:-:232}
export WINEPREFIX=$work/prefix
gvt_use_wine_for "$exe"
gvt_ensure_xvfb "$DISPLAY" 1280x1024x24
gvt_ensure_prefix
gvt_set_language en
trap 'wineserver -k >/dev/null 2>&1 || true; gvt_stop_xvfb "$DISPLAY"' EXIT

windows_path() {
  local path=$1
  echo "Z:${path//\//\\}"
}

# A folder of the first $1 files, as links to the generated ones.
folder_of() {
  local count=$1 folder=$fonts/add-$1
  if [ ! -d "$folder" ]; then
    mkdir -p "$folder"
    find "$fonts/all" -name '*.ttf' | sort | head -n "$count" | xargs ln -t "$folder"
  fi
  echo "$folder"
}

# Every run starts without settings and without a cache file.
forget() {
  find "$WINEPREFIX/drive_c/users" \( -path '*/Glyvanter/*.config' -o -name '*.fontcache' \) -delete 2>/dev/null || true
}

# Runs answer_times.exe with the arguments into file $1; a failed run is told
# and left out.
scene() {
  local out=$work/runs/$1
  shift
  forget
  local what=$1
  shift
  if ! timeout -k 10 900 "$GVT_WINE" "$answer" "$what" --timeout 600 "$@" >"$out" 2>"$out.err" </dev/null; then
    echo "  run $(basename "$out") failed: $(tail -n1 "$out.err")"
    rm -f "$out"
  fi
}

values() {
  local name=$1
  shift
  { cat "$@" 2>/dev/null || true; } | awk -v n="$name" '$1 == n { print $2 }'
}

field() {
  local name=$1 f=$2
  shift 2
  { cat "$@" 2>/dev/null || true; } | awk -v n="$name" -v f="$f" '$1 == n { print $f }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "nan" }'; }

load() { echo "load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"; }

echo "added_fonts_bench: $exe under $(gvt_wine --version), $runs runs a median"
# Wine reads its own fonts once at the first start of a prefix.
mkdir -p "$work/runs"
scene warmup start --settle 2 -- "$(windows_path "$exe")"
for count in ${GVT_BENCH_COUNTS:-1000 5000}; do
  folder=$(folder_of "$count")
  rm -rf "$work/runs"
  mkdir -p "$work/runs"
  for ((i = 1; i <= runs; i++)); do
    scene "bare-$i" run -- "$(windows_path "$bare")" --add "$(windows_path "$folder")"
    scene "added-$i" start --status "1 folder: " --settle 3 -- "$(windows_path "$exe")" "$(windows_path "$folder")"
  done
  cd "$work/runs"
  bare_add=$(values bare_add bare-* | median)
  bare_all=$(values bare_from_start bare-* | median)
  added=$(values filled added-* | median)
  longest=$(field answers_start 5 added-* | median)
  p99=$(field answers_start 4 added-* | median)
  shown_longest=$(field answers_start_shown 5 added-* | median)
  shown_p99=$(field answers_start_shown 4 added-* | median)
  echo "== a folder of $count files: $(values bare_add_files bare-1) loaded by the bare loop, $(values filled_rows added-1) rows listed; $(load)"
  awk -v v="$bare_add" 'BEGIN { printf "  %-52s %8.3f s\n", "bare AddFontResourceExW loop", v }'
  awk -v v="$bare_all" 'BEGIN { printf "  %-52s %8.3f s\n", "bare: process start to loop and probing done", v }'
  awk -v v="$added" -v a="$bare_all" 'BEGIN {
    printf "  %-52s %8.3f s  %6.2f x bare  target 1.2 x\n", "program: start to the added fonts listed", v, v / a }'
  awk -v m="$longest" -v p="$p99" 'BEGIN {
    printf "  %-52s %8.1f ms (p99 %.1f ms)  target 100 ms\n", "longest the window did not answer meanwhile", m, p }'
  awk -v m="$shown_longest" -v p="$shown_p99" 'BEGIN {
    printf "  %-52s %8.1f ms (p99 %.1f ms)  target 100 ms\n", "  the same, once the window is shown", m, p }'
  cd "$root"
done
