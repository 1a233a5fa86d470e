# Shared by the bench scripts: source it.

# Wall-clock seconds of one run of the command that follows; fails when the run fails.
run_seconds() {
  local start end
  start=$(date +%s%N)
  "$@" || { echo "$* failed" >&2; return 1; }
  end=$(date +%s%N)
  awk -v d=$((end - start)) 'BEGIN { printf "%.3f", d / 1e9 }'
}

# The smaller of two numbers of seconds; $1 may be empty (none yet).
smaller_seconds() {
  if [ -z "$1" ] || awk -v a="$2" -v b="$1" 'BEGIN { exit !(a < b) }'; then
    echo "$2"
  else
    echo "$1"
  fi
}

# Best wall-clock seconds of $1 runs of the command that follows; fails when a run fails.
best_seconds() {
  local runs=$1 best="" seconds
  shift
  for _ in $(seq "$runs"); do
    seconds=$(run_seconds "$@") || return 1
    best=$(smaller_seconds "$best" "$seconds")
  done
  echo "$best"
}
