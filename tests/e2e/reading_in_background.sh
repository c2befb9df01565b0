#!/usr/bin/env bash
# A cold start with a few thousand faces: the window is there while
# they are read and the status line counts them; Escape ends the program at
# once and keeps what was read, and the next start reads only the rest,
# after which the status line is empty.
source "$(dirname "$0")/lib/session.sh"

# Enough faces that a cold reading under Wine lasts several seconds.
faces=3000
fonts=$(dirname "$E2E_EXE")/e2e-fonts
if [ ! -f "$fonts/.made-$faces" ]; then
  rm -rf "$fonts"
  /usr/bin/python3 "$GVT_ROOT/bench/make_fonts.py" "$fonts" "$faces" || fail "could not make $faces faces"
  touch "$fonts/.made-$faces"
fi
gvt_install_fonts E2E "$fonts"/*/*.ttf

# Entries of the cache file, and how many of the generated faces they name.
# The file: a 36-byte header of stamps, the entry count, then 100 bytes an
# entry, a LOGFONTW (its face name at 28) and two DWORDs.
cache_counts() {
  /usr/bin/python3 - "$1" <<'EOF'
import re, struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"GvtProbe", "not a probe cache file"
count = struct.unpack_from("<I", data, 36)[0]
names = {data[40 + i * 100 + 28:40 + i * 100 + 92].decode("utf-16-le").split("\0")[0] for i in range(count)}
print(count, len({m.group(1) for m in (re.search(r"^Gvt .* (\d{5})$", n) for n in names) if m}))
EOF
}

# First start, no cache file: the status line changes while the window is
# there; Escape half a second later, well before the end.
e2e_launch
first="" moved=""
for _ in $(seq 80); do
  if [ "$(e2e_status_ink)" -gt 0 ]; then
    picture=$(identify -format %# "$E2E_DIR/status.png")
    first=${first:-$picture}
    [ "$picture" != "$first" ] && moved=1 && break
  fi
  kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended during the first reading"
  sleep 0.25
done
e2e_shot "reading"
[ -n "$first" ] || fail "no progress on the status line during the first reading"
[ -n "$moved" ] || fail "the progress on the status line did not change"
sleep 0.5
t0=$(date +%s.%N)
xdotool key --clearmodifiers Escape
e2e_wait_exit
took=$(awk -v a="$(date +%s.%N)" -v b="$t0" 'BEGIN { printf "%.2f", a - b }')
[ "$E2E_RC" = 0 ] || fail "Escape during the reading: exit code $E2E_RC"
echo "Escape during the reading: the program ended after $took s"
awk -v t="$took" 'BEGIN { exit !(t <= 3) }' || fail "the program took $took s to end after Escape"
config=$(find "$WINEPREFIX/drive_c/users" -name Glyvanter32.config | head -n1)
[ -n "$config" ] || fail "no settings file after Escape"
grep -o '<TopLogFont>.*</TopLogFont>' "$config" | grep -q '<lfFaceName>[^<]' ||
  fail "the settings file does not name the top row shown"
cache=$(find "$WINEPREFIX/drive_c/users" -name '*.fontcache' | head -n1)
[ -n "$cache" ] || fail "no cache file after Escape"
read -r entries1 read1 <<<"$(cache_counts "$cache")"
echo "cache after Escape: $entries1 entries, $read1 of the $faces generated faces"
[ "$read1" -gt 0 ] && [ "$read1" -lt "$faces" ] || fail "expected a part of the $faces faces in the cache, found $read1"

# Second start: the rest is read, and the status line then stays empty.
e2e_start
e2e_shot "read"
xdotool key --clearmodifiers Escape
e2e_wait_exit
[ "$E2E_RC" = 0 ] || fail "second run: exit code $E2E_RC"
read -r entries2 read2 <<<"$(cache_counts "$cache")"
echo "cache after the second run: $entries2 entries, $read2 of the $faces generated faces"
[ "$read2" = "$faces" ] && [ "$entries2" -gt "$entries1" ] || fail "the second run did not read the rest"
