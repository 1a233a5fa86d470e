#!/usr/bin/env bash
# Reading accuracy of the built converter on the development sets (jsut_dev, ita_dev).
#
#   bench/score.sh [BUILD_DIR]     (default: build)
#
# Runs with default settings (an empty settings file) and a private data folder, so neither
# the user's settings nor the user's reading dictionary change the figures.
# ERRORS_DIR=folder keeps every wrong run per set in folder/<set>.errors.tsv.
set -euo pipefail

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
eval_dir="$here/../../shared/eval"
converter="$build/yomika-convert"

[ -x "$converter" ] || { echo "score: $converter not found; build first" >&2; exit 1; }
[ -f "$eval_dir/score_product.py" ] || { echo "score: $eval_dir/score_product.py not found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/empty.ini"
export XDG_DATA_HOME="$work/data"

status=0
for set in jsut_dev ita_dev; do
  if [ -n "${ERRORS_DIR:-}" ]; then
    mkdir -p "$ERRORS_DIR"
    export ERRORS="$ERRORS_DIR/$set.errors.tsv"
  fi
  if result=$(python3 "$eval_dir/score_product.py" "$eval_dir/$set.tsv" -- \
      "$converter" --settings "$work/empty.ini" \
      --set Default/CreateColor=0 --set Default/Convert=0 2>&1); then
    echo "$set: $(echo "$result" | head -n 1)"
    echo "$set: $(echo "$result" | tail -n 1)"
  else
    echo "$set: scoring failed: $result" >&2
    status=1
  fi
done
exit $status
