#!/usr/bin/env bash
# What the ruby settings leave on real text: ruby elements at RUBY/Level 0, 2, 4, 6, 7 and 8,
# and how many kanji runs RUBY/Mono divides or keeps whole.
#
#   bench/ruby_targets.sh [BUILD_DIR] [TEXT_FILE]
#
# TEXT_FILE: one sentence a line (default: the sentences of jsut_dev, column 2). Runs with an
# empty settings file and a private data folder, like score.sh. EVAL_DIR: where jsut_dev.tsv
# is (default: ../shared/eval beside the checkout).
set -euo pipefail

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
converter="$build/yomika-convert"
[ -x "$converter" ] || { echo "ruby_targets: $converter not found; build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/empty.ini"
export XDG_DATA_HOME="$work/data"
if [ -n "${2:-}" ]; then
  cp "$2" "$work/text.txt"
else
  cut -f2 "${EVAL_DIR:-$here/../../shared/eval}/jsut_dev.tsv" > "$work/text.txt"
fi

convert() {
  "$converter" --settings "$work/empty.ini" --set Default/CreateColor=0 \
    --set Default/Convert=0 "$@" "$work/text.txt"
}

echo "| RUBY/Level | ruby elements | share of level 0 |"
echo "|---|---|---|"
all=$(convert | grep -o '<ruby>' | wc -l)
for level in 0 2 4 6 7 8; do
  count=$(convert --set RUBY/Level=$level | grep -o '<ruby>' | wc -l)
  echo "| $level | $count | $(( all > 0 ? (count * 100 + all / 2) / all : 0 )) % |"
done

echo "RUBY/FirstOnly: $(convert --set RUBY/FirstOnly=1 | grep -o '<ruby>' | wc -l) ruby elements"
convert > "$work/whole.html"
convert --set RUBY/Mono=1 > "$work/mono.html"
python3 - "$work/whole.html" "$work/mono.html" <<'PY'
import re, sys
# An element or one plain character.
token = re.compile(r'<ruby>(.*?)<rt>(.*?)</rt></ruby>|(.)', re.S)
def tokens(path):
    return [(m.group(1), m.group(2), m.group(3)) for m in token.finditer(open(path, encoding='utf-8').read())]
whole, mono = tokens(sys.argv[1]), tokens(sys.argv[2])
divided = kept = single = 0
j = 0
for base, reading, plain in whole:
    if base is None:
        j += 1
        continue
    if len(base) == 1:
        single += 1
        j += 1
    elif mono[j][0] == base:
        kept += 1
        j += 1
    else:
        divided += 1
        j += len(base)
runs = divided + kept
print(f"RUBY/Mono: {divided} runs of two or more characters divided, {kept} kept whole "
      f"({divided * 100 / max(runs, 1):.1f} % divided); {single} one-kanji runs")
PY
