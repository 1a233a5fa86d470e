#!/usr/bin/env bash
# Time per character of yomika-convert on about 1 MB of kanji-only text in one line, next to
# about 1 MB of ordinary text (the development sentences), best of 3 each, and the peak
# memory of the kanji-only run.
#
#   bench/long_runs.sh [BUILD_DIR]     (default: build)
#
# Target: kanji-only text at most 3 times the time per character of ordinary text.
# Builds nothing; needs python3 and, for the peak RSS, GNU time (package "time").
set -euo pipefail

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"
corpus="$here/../../shared/eval/jsut_dev.tsv"
converter="$build/yomika-convert"
runs=3

fail() { echo "long_runs: $*" >&2; exit 1; }
[ -x "$converter" ] || fail "$converter not found; build first (ninja -C $build)"
[ -f "$corpus" ] || fail "$corpus not found"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/empty.ini"
export XDG_DATA_HOME="$work/data"  # no user reading dictionary

python3 - "$corpus" "$work" <<'PY'
import sys
corpus, work = sys.argv[1], sys.argv[2]
sentences = [line.split('\t')[1] for line in open(corpus, encoding='utf-8') if '\t' in line]
def fill(block):
    out = block
    while len(out.encode()) < 1_000_000:
        out += block
    return out
ordinary = fill('\n'.join(sentences) + '\n')
kanji = fill(''.join(c for s in sentences for c in s if 0x4E00 <= ord(c) <= 0x9FFF))
open(f'{work}/ordinary.txt', 'w', encoding='utf-8').write(ordinary)
open(f'{work}/kanji.txt', 'w', encoding='utf-8').write(kanji + '\n')
for name, text in (('ordinary', ordinary), ('kanji', kanji)):
    open(f'{work}/{name}.chars', 'w').write(str(len(text)))
PY

convert() {
  "$converter" --settings "$work/empty.ini" --set Default/CreateColor=0 --set Default/Convert=0 \
    < "$work/$1.txt" > "$work/$1.html"
}

ordinary_s=$(best_seconds "$runs" convert ordinary)
kanji_s=$(best_seconds "$runs" convert kanji)
peak=0
if [ -x /usr/bin/time ]; then
  /usr/bin/time -f %M -o "$work/time.txt" "$converter" --settings "$work/empty.ini" \
    --set Default/CreateColor=0 --set Default/Convert=0 < "$work/kanji.txt" > /dev/null
  peak=$(tail -n 1 "$work/time.txt")
fi

awk -v oc="$(cat "$work/ordinary.chars")" -v kc="$(cat "$work/kanji.chars")" \
    -v os="$ordinary_s" -v ks="$kanji_s" -v kb="$peak" -v runs="$runs" 'BEGIN {
  ou = os / oc * 1e6; ku = ks / kc * 1e6; ratio = ku / ou
  printf "ordinary text:   %7d characters, %.3f s, %.2f us per character (best of %d)\n", oc, os, ou, runs
  printf "kanji-only line: %7d characters, %.3f s, %.2f us per character (best of %d)\n", kc, ks, ku, runs
  printf "ratio:           %7.2f  (target <= 3) %s\n", ratio, (ratio <= 3 ? "ok" : "ABOVE TARGET")
  if (kb > 0) printf "kanji-only peak RSS: %.1f MB\n", kb / 1024
}'
