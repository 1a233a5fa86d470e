#!/usr/bin/env bash
# How well yomika-convert --review points at wrong readings, on the development sets
# (jsut_dev, ita_dev): the share of runs marked uncertain, the share of wrong runs marked, and
# the share of wrong runs whose right reading is among the candidates.
#
#   bench/review_score.sh [BUILD_DIR]     (default: build)
#
# Targets: uncertain <= 10 % of runs; >= 60 % of wrong runs marked; right reading a candidate
# for >= 80 % of wrong runs. Default settings, private data folder, as bench/score.sh.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/eval_setup.sh" review_score score_review.py "${1:-build}"

status=0
for set in jsut_dev ita_dev; do
  if result=$(python3 "$eval_dir/score_review.py" "$eval_dir/$set.tsv" -- \
      "$converter" --settings "$work/empty.ini" \
      --set Default/CreateColor=0 --set Default/Convert=0 2>&1); then
    echo "$set: $(echo "$result" | tail -n 1)"
    echo "$result" | head -n 1 | python3 -c '
import json, sys
s = json.load(sys.stdin)
ok = lambda good: "ok" if good else "BELOW TARGET"
print("  uncertain share      %6.2f %%  (target <= 10)  %s" % (s["uncertain_pct"], ok(s["uncertain_pct"] <= 10)))
print("  wrong runs flagged   %6.2f %%  (target >= 60)  %s" % (s["wrong_flagged_pct"], ok(s["wrong_flagged_pct"] >= 60)))
print("  right reading listed %6.2f %%  (target >= 80)  %s" % (s["wrong_with_right_candidate_pct"], ok(s["wrong_with_right_candidate_pct"] >= 80)))'
  else
    echo "$set: scoring failed: $result" >&2
    status=1
  fi
done
exit $status
