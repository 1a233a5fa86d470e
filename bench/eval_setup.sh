# Shared by the scripts that score the converter on the development sets: source it with
# the script's name, the scorer it runs and the build folder, e.g.
#   source "$here/eval_setup.sh" score score_product.py "${1:-build}"
# Sets eval_dir, converter and work (a private folder with an empty settings file, removed
# on exit) and gives the converter a private data folder, so neither the user's settings nor
# the user's reading dictionary change the figures.

eval_name=$1
eval_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../../shared/eval"
converter="$3/yomika-convert"

[ -x "$converter" ] || { echo "$eval_name: $converter not found; build first" >&2; exit 1; }
[ -f "$eval_dir/$2" ] || { echo "$eval_name: $eval_dir/$2 not found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/empty.ini"
export XDG_DATA_HOME="$work/data"
