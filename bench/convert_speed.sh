#!/usr/bin/env bash
# Throughput and peak memory of yomika-convert on about 1 MB of Japanese text, next to plain
# MeCab word splitting of the same text in the same run (best of 5 each, taking turns); also the throughput
# of yomika-convert --review (a JSON line per kanji run with its doubt and candidates).
#
#   bench/convert_speed.sh [BUILD_DIR]     (default: build)
#
# Targets: converter throughput at least half of MeCab's; converter peak RSS at most 100 MB;
# --review throughput at least a quarter of MeCab's.
# Builds nothing; needs mecab, mecab-ipadic-utf8 and, for the peak RSS, GNU time (package
# "time"; without it the peak is sampled from /proc).
set -euo pipefail

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"
corpus="$here/../../shared/eval/jsut_dev.tsv"
converter="$build/yomika-convert"
dictionary=/var/lib/mecab/dic/ipadic-utf8
target_bytes=1000000
runs=5

fail() { echo "convert_speed: $*" >&2; exit 1; }
[ -x "$converter" ] || fail "$converter not found; build first (ninja -C $build)"
[ -f "$corpus" ] || fail "$corpus not found"
command -v mecab >/dev/null || fail "mecab not found: sudo apt-get install mecab"
[ -d "$dictionary" ] || fail "$dictionary not found: sudo apt-get install mecab-ipadic-utf8"

build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
case "$build_type" in
  Release | RelWithDebInfo | MinSizeRel) ;;
  *) echo "warning: $build is not an optimised build (CMAKE_BUILD_TYPE='$build_type');" \
       "configure with -DCMAKE_BUILD_TYPE=Release for meaningful figures" >&2 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/empty.ini"
# A private data folder, so the user's own reading dictionary plays no part.
export XDG_DATA_HOME="$work/data"

cut -f2 "$corpus" > "$work/sentences.txt"
: > "$work/input.txt"
while [ "$(stat -c %s "$work/input.txt")" -lt "$target_bytes" ]; do
  cat "$work/sentences.txt" >> "$work/input.txt"
done
bytes=$(stat -c %s "$work/input.txt")
lines=$(wc -l < "$work/input.txt")

convert() {
  "$converter" --settings "$work/empty.ini" --set Default/CreateColor=0 --set Default/Convert=0 \
    < "$work/input.txt" > "$work/out.html"
}
review() {
  "$converter" --settings "$work/empty.ini" --set Default/CreateColor=0 --set Default/Convert=0 \
    --review < "$work/input.txt" > "$work/out.jsonl"
}
split_words() {
  mecab -d "$dictionary" -Owakati < "$work/input.txt" > "$work/out.txt"
}

# Peak resident set of one converter run, in kB.
peak_kb() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M -o "$work/time.txt" \
      "$converter" --settings "$work/empty.ini" --set Default/CreateColor=0 \
      --set Default/Convert=0 < "$work/input.txt" > /dev/null
    tail -n 1 "$work/time.txt"
    return
  fi
  "$converter" --settings "$work/empty.ini" --set Default/CreateColor=0 --set Default/Convert=0 \
    < "$work/input.txt" > /dev/null &
  local pid=$! peak=0 now
  while kill -0 "$pid" 2>/dev/null; do
    now=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$now" ] && [ "$now" -gt "$peak" ] && peak=$now
    sleep 0.02
  done
  wait "$pid"
  echo "$peak"
}

convert || fail "yomika-convert failed on the benchmark text"
out_lines=$(awk 'END { print NR }' RS='\r\n' "$work/out.html")
[ "$out_lines" -eq "$lines" ] || echo "warning: $lines input lines gave $out_lines output lines" >&2

# The three take turns, so a busy moment of a shared machine does not fall on one of them
# alone; each keeps its best time.
converter_s="" review_s="" mecab_s=""
for _ in $(seq "$runs"); do
  converter_s=$(smaller_seconds "$converter_s" "$(run_seconds convert)")
  review_s=$(smaller_seconds "$review_s" "$(run_seconds review)")
  mecab_s=$(smaller_seconds "$mecab_s" "$(run_seconds split_words)")
done
peak=$(peak_kb)

awk -v bytes="$bytes" -v lines="$lines" -v cs="$converter_s" -v ms="$mecab_s" -v kb="$peak" \
    -v rs="$review_s" \
    -v runs="$runs" 'BEGIN {
  mb = bytes / 1e6
  cr = mb / cs; mr = mb / ms; ratio = cr / mr; rss = kb / 1024
  printf "input:          %.2f MB UTF-8, %d lines\n", mb, lines
  printf "yomika-convert: %7.2f MB/s  (best of %d: %.3f s)\n", cr, runs, cs
  printf "mecab -Owakati: %7.2f MB/s  (best of %d: %.3f s)\n", mr, runs, ms
  printf "ratio:          %7.2f      (target >= 0.5) %s\n", ratio, (ratio >= 0.5 ? "ok" : "BELOW TARGET")
  rr = (mb / rs) / mr
  printf "--review:       %7.2f MB/s  (best of %d: %.3f s)\n", mb / rs, runs, rs
  printf "review ratio:   %7.2f      (target >= 0.25) %s\n", rr, (rr >= 0.25 ? "ok" : "BELOW TARGET")
  printf "peak RSS:       %7.1f MB   (target <= 100 MB) %s\n", rss, (rss <= 100 ? "ok" : "ABOVE TARGET")
}'
