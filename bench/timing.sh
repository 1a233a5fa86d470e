# Shared by the bench scripts: source it.

# Best wall-clock seconds of $1 runs of the command that follows; fails when a run fails.
best_seconds() {
  local runs=$1 best="" start end seconds
  shift
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@" || { echo "$* failed" >&2; return 1; }
    end=$(date +%s%N)
    seconds=$(awk -v d=$((end - start)) 'BEGIN { printf "%.3f", d / 1e9 }')
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
    fi
  done
  echo "$best"
}
