#!/usr/bin/env bash
# Counts the include arrows between folders of src/: one arrow per pair of
# folders (the including file's, the included file's) joined by at least one
# quoted include. An arrow points upward when it goes from a lower layer to a
# higher one (core < platform < window < qt). Prints every upward arrow, then
#   arrows: N  upward: U
# Exit 1 when any arrow points upward.
# Usage: count_include_arrows.sh [SRC_DIR]   (default: the src folder beside tools/)
set -uo pipefail

src="${1:-$(cd "$(dirname "$0")/.." && pwd)/src}"

rank_of() {
  case "$1" in
    core) echo 0 ;;
    platform) echo 1 ;;
    window) echo 2 ;;
    qt) echo 3 ;;
    *) echo -1 ;;
  esac
}

# The file a quoted include names: beside the including file, else under the
# include roots, the including layer's own first (as the compiler searches),
# then the others, so that a name reaching into a layer it may not see is
# found all the same.
resolve() {
  local dir="$1" layer="$2" name="$3" root
  if [[ -f "$dir/$name" ]]; then echo "$dir/$name"; return; fi
  for root in "$layer" core platform window qt; do
    if [[ -f "$src/$root/$name" ]]; then echo "$src/$root/$name"; return; fi
  done
}

declare -A arrows=()
while IFS= read -r file; do
  rel="${file#"$src"/}"
  layer="${rel%%/*}"
  from=$(dirname "$rel")
  while IFS= read -r name; do
    target=$(resolve "$(dirname "$file")" "$layer" "$name")
    [[ -z "$target" ]] && continue  # not a file of src (a generated or a library header)
    to=$(dirname "$(realpath -m --relative-to="$src" "$target")")
    [[ "$to" != "$from" ]] && arrows["$from -> $to"]=1
  done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

upward=()
for arrow in "${!arrows[@]}"; do
  from="${arrow%% -> *}"
  to="${arrow##* -> }"
  (( $(rank_of "${from%%/*}") < $(rank_of "${to%%/*}") )) && upward+=("$arrow")
done
if (( ${#upward[@]} > 0 )); then printf 'upward: %s\n' "${upward[@]}" | sort; fi
echo "arrows: ${#arrows[@]}  upward: ${#upward[@]}"
(( ${#upward[@]} == 0 ))
