#!/usr/bin/env bash
# Checks the layering of src/ on the include lines themselves:
#   core      includes core only (and the standard library, libzip, xxHash, ICU)
#   platform  includes platform and core
#   window    includes window, core and platform
#   qt        includes qt, window, platform and core
# Every quoted include must name a file of a layer the including file may
# see; Qt headers appear only in qt. Prints each crossing; exit 1 if any.
# Usage: check_layers.sh [SRC_DIR]   (default: the src folder beside tools/)
set -uo pipefail

src="${1:-$(cd "$(dirname "$0")/.." && pwd)/src}"
status=0

# The include roots a layer may see, in the order the compiler searches them.
roots_of() {
  case "$1" in
    core) echo "core" ;;
    platform) echo "platform core" ;;
    window) echo "window core platform" ;;
    qt) echo "qt window core platform" ;;
  esac
}

while IFS= read -r file; do
  rel="${file#"$src"/}"
  layer="${rel%%/*}"
  roots=$(roots_of "$layer")
  if [[ -z "$roots" ]]; then
    echo "$rel: not in a layer (core, platform, window, qt)"
    status=1
    continue
  fi
  while IFS= read -r line; do
    name=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$line")
    found=""
    # A name with ".." could leave the layer's roots however it resolves.
    if [[ "$name" != *..* ]]; then
      [[ -f "$(dirname "$file")/$name" && "$(dirname "$file")" == "$src/$layer"* ]] && found=yes
      for root in $roots; do
        [[ -f "$src/$root/$name" ]] && found=yes
      done
    fi
    if [[ -z "$found" ]]; then
      echo "$rel: includes \"$name\", which the $layer layer may not see"
      status=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
  if [[ "$layer" != qt ]] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file"; then
    echo "$rel: includes a Qt header outside the qt layer"
    status=1
  fi
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [[ $status -eq 0 ]]; then echo "check_layers: every include keeps to its layer"; fi
exit $status
