#!/usr/bin/env bash
# Reading accuracy of the built converter on the development sets (jsut_dev, ita_dev).
#
#   bench/score.sh [BUILD_DIR]     (default: build)
#
# Runs with default settings (an empty settings file) and a private data folder, so neither
# the user's settings nor the user's reading dictionary change the figures.
# ERRORS_DIR=folder keeps every wrong run per set in folder/<set>.errors.tsv.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/eval_setup.sh" score score_product.py "${1:-build}"

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
