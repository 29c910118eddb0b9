#!/usr/bin/env bash
# Runs the README's GNU parallel recipe on shards of a small corpus (the
# shared corpus's texts when they are there) and compares the merged listing
# with a direct count of the same files. Exit 77 (skipped) without parallel.
# Usage: readme_parallel.sh README.md BIN_DIR [CORPUS_TEXT_DIR]
set -euo pipefail
readme="$1" bin=$(cd "$2" && pwd) corpus="${3:-}"
command -v parallel >/dev/null || { echo "GNU parallel is not installed"; exit 77; }

# The block after the README's marker line, between its fences.
recipe=$(awk '/readme_parallel.sh runs this block/ {found=1; next}
              found && /^```sh/ {inside=1; next}
              inside && /^```/ {exit}
              inside {print}' "$readme")
[[ -n "$recipe" ]] || { echo "no recipe found in $readme"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/shards/a" "$work/shards/b" "$work/shards/c"
if [[ -n "$corpus" && -d "$corpus" ]]; then
  i=0
  for f in "$corpus"/*.txt; do
    cp "$f" "$work/shards/$(printf 'abc' | cut -c$((i % 3 + 1)))/"
    i=$((i + 1))
  done
else
  printf 'The cat sat on the mat.\r\nA zebra.\r\n' > "$work/shards/a/1.txt"
  printf 'Caf\xc3\xa9 and cat, the dog.\n' > "$work/shards/b/2.txt"
  printf 'Zebra days; the end of the cat.\r\n' > "$work/shards/c/3.txt"
fi

cd "$work"
export PATH="$bin:$PATH"
bash -euo pipefail -c "$recipe" 2> recipe.err || { cat recipe.err; exit 1; }
kestrawl-count -r shards > direct.txt 2> direct.err
if ! cmp -s words.txt direct.txt; then
  echo "the merged listing differs from the direct count"
  diff <(head -20 words.txt) <(head -20 direct.txt) || true
  exit 1
fi
[[ -s words.txt ]] || { echo "empty listing"; exit 1; }
echo "merged listing of $(ls counts-*.tsv | wc -l) tables equals the direct count ($(wc -l < words.txt) lines)"
