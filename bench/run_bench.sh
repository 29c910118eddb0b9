#!/usr/bin/env bash
# Times kestrawl-count with its default settings against two common ways of
# counting words: the classic shell pipeline and Python's collections.Counter,
# on the same inputs:
#   - the King James Bible from the shared corpus, concatenated 10 times
#     (about 43 MB; skipped with a message when the corpus is absent);
#   - a generated file of 1,000,000 distinct words (a large word table);
#   - hostile inputs, each beside its ordinary twin, with the ratio printed:
#     400,000 distinct words chosen to collide in an unkeyed hash against as
#     many ordinary ones (goal: at most 2x), twenty copies of a novel counted
#     with a 110,000-word list of words to ignore against without it (goal:
#     at most 2x), and one line of 200 MB (goal: peak under 2x the line plus
#     a few MiB);
#   - then, when the window is built, 400,000 lines listed into the main
#     window's text box (kwl-listing-bench; goal: under 2 s).
# Prints wall time, throughput and peak memory of each run. Not part of the
# test run: `make bench`, or `cmake --build build --target bench`.
#
# Environment: KWL_BIN_DIR (folder of kestrawl-count, set by the bench
# target), KWL_CORPUS (corpus folder; default ../../shared/corpus from here).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="${KWL_BIN_DIR:-$here/../build/bin}/kestrawl-count"
corpus="${KWL_CORPUS:-$here/../../shared/corpus}"

if [[ ! -x "$bin" ]]; then
  echo "run_bench.sh: $bin not found; build it first (make build)" >&2
  exit 1
fi
if ! command -v python3 >/dev/null; then
  echo "run_bench.sh: python3 is needed to generate inputs and measure" >&2
  exit 1
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/kwl-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# Runs a shell command and prints one result line. Wall time and the peak
# resident memory of the largest process come from /usr/bin/time when it is
# installed (Debian package "time"), else from Python's resource module.
measure() {
  local label="$1" input="$2" command="$3"
  local bytes seconds kib status=0
  bytes=$(stat -c %s "$input")
  if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f '%e %M' -o "$work/timing" bash -c "$command" >/dev/null 2>"$work/stderr" || status=$?
    read -r seconds kib < <(tail -n 1 "$work/timing")
  else
    python3 - "$command" >"$work/timing" 2>"$work/stderr" <<'PY' || status=$?
import resource, subprocess, sys, time
start = time.monotonic()
code = subprocess.call(["bash", "-c", sys.argv[1]], stdout=subprocess.DEVNULL)
elapsed = time.monotonic() - start
print(f"{elapsed:.2f} {resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss}")
sys.exit(code)
PY
    read -r seconds kib < "$work/timing"
  fi
  if [[ $status -ne 0 ]]; then
    printf '  %-22s failed (exit %d): %s\n' "$label" "$status" "$(head -c 300 "$work/stderr" | tr '\n' ' ')"
    last_seconds=0
    last_kib=0
    return
  fi
  last_seconds=$seconds
  last_kib=$kib
  python3 - "$label" "$bytes" "$seconds" "$kib" <<'PY'
import sys
label, size, seconds, kib = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
rate = size / 1e6 / seconds if seconds > 0 else float("inf")
print(f"  {label:<22} {seconds:8.2f} s {rate:9.1f} MB/s {kib / 1024:9.1f} MiB peak")
PY
}

run_all() {
  local name="$1" input="$2"
  local mb
  mb=$(python3 -c "import os,sys; print(f'{os.path.getsize(sys.argv[1]) / 1e6:.1f}')" "$input")
  echo "$name ($mb MB):"
  measure "kestrawl-count" "$input" "'$bin' --output '$work/kwl.out' '$input'"
  sed -n '/^Number of words in this list/p' "$work/stderr" | sed 's/^/      /'
  measure "tr|sort|uniq pipeline" "$input" \
    "tr 'A-Z' 'a-z' < '$input' | tr -cs 'a-z' '\n' | LC_ALL=C sort | uniq -c | LC_ALL=C sort -rn > '$work/pipe.out'"
  measure "python Counter" "$input" \
    "python3 -c \"import collections, re, sys; c = collections.Counter(); [c.update(re.findall(r'[a-z]+', l.lower())) for l in open(sys.argv[1], encoding='latin-1')]; sys.stdout.writelines(f'{n} {w}\\n' for w, n in c.most_common())\" '$input' > '$work/py.out'"
}

echo "kestrawl-count: $bin"
echo "machine: $(nproc) CPU(s), $(uname -sr)"
echo

if [[ -f "$corpus/kjvbible.txt" ]]; then
  for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$corpus/kjvbible.txt"; done > "$work/kjvbible_x10.txt"
  run_all "kjvbible.txt x 10" "$work/kjvbible_x10.txt"
else
  echo "kjvbible.txt x 10: skipped, $corpus/kjvbible.txt not found"
fi
echo

# 1,000,000 distinct words of letters only (six or seven letters, so no
# default rule drops them), ten to a line.
python3 - "$work/distinct.txt" <<'PY'
import sys
letters = "abcdefghijklmnopqrstuwyz"  # no v or x: no word is taken for a Roman numeral
def word(i):
    s = ""
    for _ in range(5):
        s += letters[i % len(letters)]
        i //= len(letters)
    return "q" + s
with open(sys.argv[1], "w", newline="") as f:
    for start in range(0, 1_000_000, 10):
        f.write(" ".join(word(i) for i in range(start, start + 10)) + "\n")
PY
run_all "1,000,000 distinct words" "$work/distinct.txt"

# Prints "  label: a / b = ratio (goal)" for the last two timings.
ratio() {
  python3 - "$@" <<'PY'
import sys
label, a, b, goal = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
print(f"  {label}: {a:.2f} / {b:.2f} = {a / b if b > 0 else float('inf'):.2f} (goal: {goal})")
PY
}

# The default settings, one line changed: line 3 (the words to ignore).
settings_with_ignore_list() {
  local out="$1" words="$2"
  {
    printf '""\r\n""\r\n"%s"\r\n' "$words"
    printf '%s\r\n' '"/*"' '"*/"' '"//"' '""' 1 7 0 1 0 0 1 1 1 0 0 1 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 '""' 0
  } > "$out"
}

echo
echo "Hostile inputs:"
python3 "$here/fnv_collisions.py" "$work/colliding.txt" 400000 >/dev/null 2>&1
python3 "$here/fnv_collisions.py" "$work/ordinary.txt" 400000 --ordinary >/dev/null 2>&1
measure "400,000 colliding" "$work/colliding.txt" "'$bin' --output '$work/kwl.out' '$work/colliding.txt'"
colliding=$last_seconds
measure "400,000 ordinary" "$work/ordinary.txt" "'$bin' --output '$work/kwl.out' '$work/ordinary.txt'"
ratio "colliding / ordinary" "$colliding" "$last_seconds" "at most 2"

novel_file="$corpus/text/fr_flaubert_madame-bovary_pg14155.utf8bom.crlf.txt"
if [[ -f "$novel_file" ]]; then
  # Twenty copies, so that the times are well above the clock's resolution.
  novel="$work/novel_x20.txt"
  for _ in $(seq 20); do cat "$novel_file"; done > "$novel"
  ignore=$(python3 -c "
letters = 'abcdefghijklmnopqrstuwyz'
def word(i):
    s = ''
    for _ in range(6):
        s += letters[i % len(letters)]
        i //= len(letters)
    return 'k' + s
print(' '.join(word(i * 7919) for i in range(110000)))")
  settings_with_ignore_list "$work/ignore.kwl" "$ignore"
  settings_with_ignore_list "$work/plain.kwl" ""
  measure "novel, 110,000 ignored" "$novel" "'$bin' --settings '$work/ignore.kwl' --utf8 --output '$work/kwl.out' '$novel'"
  ignored=$last_seconds
  measure "novel, none ignored" "$novel" "'$bin' --settings '$work/plain.kwl' --utf8 --output '$work/kwl.out' '$novel'"
  ratio "110,000 ignored / none" "$ignored" "$last_seconds" "at most 2"
else
  echo "  ignore list: skipped, $novel_file not found"
fi

# One line of 200 MB: ordinary words, with UTF-8 letters and typographic
# quotes for the UTF-8 repairs to work on.
python3 - "$work/oneline.txt" <<'PY'
import sys
piece = "the quick brown fox jumps over the lazy dog caf\u00e9 \u2019quoted\u2019 ".encode("utf-8")
size = 200_000_000
with open(sys.argv[1], "wb") as f:
    f.write(piece * (size // len(piece)))
PY
line_mib=$(python3 -c "import os,sys; print(f'{os.path.getsize(sys.argv[1]) / 1048576:.1f}')" "$work/oneline.txt")
for encoding in ansi utf8; do
  measure "one line, --$encoding" "$work/oneline.txt" "'$bin' --$encoding --output '$work/kwl.out' '$work/oneline.txt'"
  python3 -c "import sys; print(f'  peak / line: {int(sys.argv[1]) / 1024:.1f} MiB / {sys.argv[2]} MiB = {int(sys.argv[1]) / 1024 / float(sys.argv[2]):.2f} (goal: under 2)')" "$last_kib" "$line_mib"
done

# The listing into the window's text box (goal: 400,000 lines in under 2 s).
listing="$(dirname "$bin")/kwl-listing-bench"
if [[ -x "$listing" ]]; then
  echo
  echo "Listing into the window's text box:"
  "$listing" 400000
fi
