#!/usr/bin/env bash
# Times kestrawl-count against a yardstick measured in the same run, case by
# case, and says which goal each figure meets (PASS or MISS):
#   - kjvbible.txt (shared corpus) concatenated 10 times, about 43 MB, with
#     the default settings, against `wc -w` (goal: at most 1.0x);
#   - the same with --unicode (words in every script) against the mode off
#     (goal: at most 1.5x);
#   - the same with every word rule and filter switched on (a settings file,
#     a common-words file, words to ignore), against `wc -w` (reported);
#   - an HTML file of the corpus repeated to about 30 MB (markup and
#     character entities), against `wc -w` (reported);
#   - 1,000,000 distinct words against the pipeline
#     `tr -cs 'A-Za-z' '\n' | tr A-Z a-z | sort | uniq -c | sort -rn`
#     (goal: at most 0.5x, peak memory at most 100 MiB);
#   - the texts of the corpus's text/ folder counted as one corpus with -j 1
#     and -j 2 (corpus_bench.sh; the speed-up reported, the goal is the same
#     output from both);
#   - 10,000,000 distinct words (goal: completes, in at most 10x the time of
#     the 1,000,000 case; peak memory reported);
#   - hostile inputs, each beside its ordinary twin: 400,000 distinct words
#     chosen to collide in an unkeyed hash against as many ordinary ones
#     (goal: at most 2x), twenty copies of a novel counted with a
#     110,000-word list of words to ignore against without it (goal: at most
#     2x), and one line of 200 MB (goal: peak under 2x the line);
#   - then, when the window is built, 400,000 lines listed into the main
#     window's text box (kwl-listing-bench; goal: under 2 s each);
#   - the kjvbible count in the window, offscreen (kwl-count-bench; goals: at
#     most 1.3x kestrawl-count, the event loop at least 10 times a second).
# Each time is the median of RUNS runs (default 3); the peak is the largest
# resident memory of those runs. The goals are on wall time, which on a busy
# machine includes waiting for a core: Kestrawl's processor time is printed
# beside it (the pipeline spreads over both cores; Kestrawl counts on one). Runs in a few minutes on 2 cores. Not part
# of the test run: `make bench`, or `cmake --build build --target bench`.
#
# Environment: KWL_BIN_DIR (folder of kestrawl-count, set by the bench
# target), KWL_CORPUS (corpus folder; default ../../shared/corpus from here),
# KWL_DATA (folder of the common-words files; default ../data from here),
# RUNS.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="${KWL_BIN_DIR:-$here/../build/bin}/kestrawl-count"
corpus="${KWL_CORPUS:-$here/../../shared/corpus}"
data="${KWL_DATA:-$here/../data}"
runs="${RUNS:-3}"

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
passed=0
missed=0

# Runs a shell command once: sets run_seconds, run_kib and run_cpu (wall
# time, the peak resident memory of the largest process, processor time), or
# returns non-zero with its error in $work/stderr. /usr/bin/time measures when it is installed (Debian
# package "time"), else Python's resource module.
run_once() {
  local command="$1" status=0
  if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f '%e %M %U %S' -o "$work/timing" bash -c "$command" >/dev/null 2>"$work/stderr" || status=$?
  else
    python3 - "$command" >"$work/timing" 2>"$work/stderr" <<'PY' || status=$?
import resource, subprocess, sys, time
start = time.monotonic()
code = subprocess.call(["bash", "-c", sys.argv[1]], stdout=subprocess.DEVNULL)
elapsed = time.monotonic() - start
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{elapsed:.2f} {usage.ru_maxrss} {usage.ru_utime:.2f} {usage.ru_stime:.2f}")
sys.exit(code)
PY
  fi
  [[ $status -eq 0 ]] || return $status
  local user system
  read -r run_seconds run_kib user system < <(tail -n 1 "$work/timing")
  run_cpu=$(python3 -c "import sys; print(float(sys.argv[1]) + float(sys.argv[2]))" "$user" "$system")
}

# Runs a command `count` times (default RUNS): sets seconds and cpu (the
# medians) and kib (the largest peak); on a failure prints it, sets failed=1
# and seconds=0.
measure() {
  local command="$1" count="${2:-$runs}" times=() cpus=() k
  kib=0
  failed=0
  for ((k = 0; k < count; k++)); do
    if ! run_once "$command"; then
      printf '    failed: %s\n' "$(head -c 300 "$work/stderr" | tr '\n' ' ')"
      failed=1
      seconds=0
      cpu=0
      return
    fi
    times+=("$run_seconds")
    cpus+=("$run_cpu")
    ((run_kib > kib)) && kib=$run_kib
  done
  seconds=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((count + 1) / 2))p")
  cpu=$(printf '%s\n' "${cpus[@]}" | sort -g | sed -n "$(((count + 1) / 2))p")
}

# Prints the verdict of one goal and counts it: verdict "text" condition...
# (a Python expression over the figures passed as name=value).
verdict() {
  local text="$1" expression="$2"
  shift 2
  if python3 -c "import sys; v = dict(a.split('=') for a in sys.argv[2:]); v = {k: float(x) for k, x in v.items()}; sys.exit(0 if eval(sys.argv[1], {}, v) else 1)" \
    "$expression" "$@"; then
    printf '    %-52s PASS\n' "$text"
    passed=$((passed + 1))
  else
    printf '    %-52s MISS\n' "$text"
    missed=$((missed + 1))
  fi
}

# One result line: label, Kestrawl's seconds, peak KiB and processor
# seconds (on a busy machine the wall time counts the waits for a core too),
# the yardstick's name and seconds (or "-" for none).
report() {
  local label="$1" kwl_s="$2" kwl_kib="$3" kwl_cpu="$4" yard="$5" yard_s="$6"
  python3 - "$label" "$kwl_s" "$kwl_kib" "$kwl_cpu" "$yard" "$yard_s" <<'PY'
import sys
label, s, kib, cpu = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
yard, ys = sys.argv[5], sys.argv[6]
line = f"  {label:<34} kestrawl {s:6.2f} s (cpu {cpu:5.2f} s)  peak {kib / 1024:7.1f} MiB"
if yard != "-":
    ys = float(ys)
    ratio = s / ys if ys > 0 else float("inf")
    line += f"   {yard} {ys:6.2f} s   ratio {ratio:5.2f}"
print(line)
PY
}

ratio_of() { python3 -c "import sys; a, b = map(float, sys.argv[1:]); print(a / b if b > 0 else float('inf'))" "$1" "$2"; }

# Kestrawl's command against a yardstick's, each measured `count` times
# (default RUNS), with one result line: versus label command yardstick
# yardstick-command [count]. Sets case_seconds, case_kib and case_failed
# (Kestrawl's), case_yard (the yardstick's seconds) and case_ratio.
versus() {
  local label="$1" command="$2" yard="$3" yard_command="$4" count="${5:-$runs}"
  measure "$command" "$count"
  case_seconds=$seconds
  case_kib=$kib
  case_failed=$failed
  local kwl_cpu=$cpu
  measure "$yard_command" "$count"
  case_yard=$seconds
  report "$label" "$case_seconds" "$case_kib" "$kwl_cpu" "$yard" "$case_yard"
  case_ratio=$(ratio_of "$case_seconds" "$case_yard")
}

# kestrawl-count and wc -w on one input; extra options for kestrawl-count.
versus_wc() {
  local label="$1" input="$2" options="$3"
  versus "$label" "'$bin' $options --output '$work/kwl.out' '$input'" "wc -w" "wc -w '$input'" "${4:-$runs}"
}

mb_of() { python3 -c "import os, sys; print(f'{os.path.getsize(sys.argv[1]) / 1e6:.0f}')" "$1"; }

echo "kestrawl-count: $bin"
echo "machine: $(nproc) CPU(s), $(uname -sr), load $(cut -d' ' -f1-3 /proc/loadavg); times are medians of $runs runs"
echo

if [[ -f "$corpus/kjvbible.txt" ]]; then
  for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$corpus/kjvbible.txt"; done > "$work/kjvbible_x10.txt"
  echo "kjvbible.txt x 10 ($(mb_of "$work/kjvbible_x10.txt") MB):"
  versus_wc "default settings" "$work/kjvbible_x10.txt" ""
  verdict "time at most 1.0x wc -w" "r <= 1.0 and f == 0" r="$case_ratio" f="$case_failed"

  # Words in every script: the same count with --unicode against the count
  # without, both timed in this run.
  versus "words in every script (--unicode)" "'$bin' --unicode --output '$work/kwl.out' '$work/kjvbible_x10.txt'" \
    "the mode off" "'$bin' --output '$work/kwl.out' '$work/kjvbible_x10.txt'"
  verdict "time at most 1.5x the mode off" "r <= 1.5 and f == 0" r="$case_ratio" f="$case_failed"

  # The same count in the window (offscreen), from the click on "Count words"
  # to the end of the listing, against kestrawl-count's time above; and how
  # often the window ran its event loop meanwhile.
  window_bench="$(dirname "$bin")/kwl-count-bench"
  if [[ -x "$window_bench" ]]; then
    "$window_bench" --runs "$runs" "$work/kjvbible_x10.txt" "$work/window.out" 2>/dev/null | tail -n "$runs" >"$work/window.txt"
    window_s=$(grep -o '^[a-z ]*: [0-9.]* s' "$work/window.txt" | grep -o '[0-9.]*' | sort -g | sed -n "$(((runs + 1) / 2))p")
    window_rate=$(grep -o '([0-9]*/s)' "$work/window.txt" | tr -dc '0-9\n' | sort -g | head -n 1)
    printf '  %-34s window   %6.2f s   kestrawl-count %6.2f s   ratio %5.2f   event loop at least %s/s\n' \
      "the window, default settings" "${window_s:-0}" "$case_seconds" "$(ratio_of "${window_s:-99}" "$case_seconds")" "${window_rate:-0}"
    verdict "window at most 1.3x kestrawl-count" "w <= 1.3 * c" w="${window_s:-99}" c="$case_seconds"
    verdict "window's event loop at least 10 times a second" "r >= 10" r="${window_rate:-0}"
  fi

  # Every word rule and filter on: lines 11 to 27 and 38 of the settings
  # file checked, words to ignore, the English common words.
  python3 - "$work/all_rules.kwl" <<'PY'
import sys
texts = ["", "", "lord thee thou unto", "/*", "*/", "//", ""]
numbers = [1, 7, 0] + [1] * 17 + [0, 0, 1, 0, 0, 0, 0, 0, 0]
lines = [f'"{t}"' for t in texts] + [str(n) for n in numbers] + ['""', "1"]
assert len(lines) == 38
with open(sys.argv[1], "w", newline="") as f:
    f.write("".join(line + "\r\n" for line in lines))
PY
  if [[ -f "$data/cwds_en.txt" ]]; then
    versus_wc "every rule and filter on" "$work/kjvbible_x10.txt" \
      "--settings '$work/all_rules.kwl' --common-words '$data/cwds_en.txt' --ansi"
    echo "    (reported; no goal)"
  else
    echo "  every rule and filter on: skipped, $data/cwds_en.txt not found"
  fi
else
  echo "kjvbible.txt: skipped, $corpus/kjvbible.txt not found"
fi

html_file="$corpus/markup/de_apache-httpd_mod-core.html"
if [[ -f "$html_file" ]]; then
  # Repeated to about 30 MB, the .html name kept: the markup rules apply.
  python3 - "$html_file" "$work/markup.html" <<'PY'
import sys
piece = open(sys.argv[1], "rb").read()
with open(sys.argv[2], "wb") as f:
    f.write(piece * (30_000_000 // len(piece) + 1))
PY
  echo
  echo "$(basename "$html_file") repeated ($(mb_of "$work/markup.html") MB):"
  versus_wc "HTML, default settings" "$work/markup.html" ""
  echo "    (reported; no goal)"
fi
echo

# A corpus of many files: the texts of text/ counted as one, on one thread
# and on two (reported; the goal is that both complete with the same output).
if [[ -d "$corpus/text" ]]; then
  if bash "$here/corpus_bench.sh" "$bin" "$corpus/text" "$runs"; then corpus_ok=1; else corpus_ok=0; fi
  verdict "-j 1 and -j 2 complete with the same output" "ok == 1" ok="$corpus_ok"
else
  echo "corpus text/: skipped, $corpus/text not found"
fi
echo

# Distinct words of letters only (no default rule drops them), ten to a
# line: "q" and then the number i in base 24 written lowest digit first, in
# letters without v or x (no word is taken for a Roman numeral), so the
# words are found in an order far from sorted.
distinct_words() {
  python3 - "$1" "$2" "$3" <<'PY'
import itertools, sys
path, count, digits = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
letters = "abcdefghijklmnopqrstuwyz"
words = ("q" + "".join(t[::-1]) for t in itertools.islice(itertools.product(letters, repeat=digits), count))
with open(path, "w", newline="") as f:
    while chunk := list(itertools.islice(words, 100_000)):
        f.writelines(" ".join(chunk[k:k + 10]) + "\n" for k in range(0, len(chunk), 10))
PY
}

distinct_words "$work/distinct.txt" 1000000 5
echo "1,000,000 distinct words ($(mb_of "$work/distinct.txt") MB):"
versus "1,000,000 distinct words" "'$bin' --output '$work/kwl.out' '$work/distinct.txt'" "pipeline" \
  "tr -cs 'A-Za-z' '\n' < '$work/distinct.txt' | tr A-Z a-z | sort | uniq -c | sort -rn > '$work/pipe.out'"
million_s=$case_seconds
verdict "time at most 0.5x the pipeline" "r <= 0.5 and f == 0" r="$case_ratio" f="$case_failed"
verdict "peak at most 100 MiB" "k <= 100 * 1024 and f == 0" k="$case_kib" f="$case_failed"
echo

distinct_words "$work/distinct10.txt" 10000000 6
echo "10,000,000 distinct words ($(mb_of "$work/distinct10.txt") MB):"
measure "'$bin' --output '$work/kwl.out' '$work/distinct10.txt'" 1
report "10,000,000 distinct words (1 run)" "$seconds" "$kib" "$cpu" "1,000,000 case" "$million_s"
verdict "completes" "f == 0" f="$failed"
verdict "time at most 10x the 1,000,000 case" "a <= 10 * b and f == 0" a="$seconds" b="$million_s" f="$failed"
rm -f "$work/distinct10.txt" "$work/kwl.out"

# The default settings, one line changed: line 3 (the words to ignore).
settings_with_ignore_list() {
  local out="$1" words="$2"
  {
    printf '""\r\n""\r\n"%s"\r\n' "$words"
    printf '%s\r\n' '"/*"' '"*/"' '"//"' '""' 1 7 0 1 0 0 1 1 1 0 0 1 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 '""' 0
  } > "$out"
}

echo
echo "Hostile inputs:"
python3 "$here/fnv_collisions.py" "$work/colliding.txt" 400000 >/dev/null 2>&1
python3 "$here/fnv_collisions.py" "$work/ordinary.txt" 400000 --ordinary >/dev/null 2>&1
versus "400,000 colliding words" "'$bin' --output '$work/kwl.out' '$work/colliding.txt'" \
  "ordinary" "'$bin' --output '$work/kwl.out' '$work/ordinary.txt'"
verdict "colliding at most 2x ordinary" "r <= 2" r="$case_ratio"

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
  versus "novel x 20, 110,000 words ignored" "'$bin' --settings '$work/ignore.kwl' --utf8 --output '$work/kwl.out' '$novel'" \
    "none ignored" "'$bin' --settings '$work/plain.kwl' --utf8 --output '$work/kwl.out' '$novel'"
  verdict "ignoring at most 2x none ignored" "r <= 2" r="$case_ratio"
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
line_kib=$(($(stat -c %s "$work/oneline.txt") / 1024))
for encoding in ansi utf8; do
  versus_wc "one line of 200 MB, --$encoding (1 run)" "$work/oneline.txt" "--$encoding" 1
  verdict "peak under 2x the line ($((line_kib / 1024)) MiB)" "k < 2 * l" k="$case_kib" l="$line_kib"
done
rm -f "$work/oneline.txt"

# The listing into the window's text box (goal: 400,000 lines in under 2 s,
# each end of count and each listing again).
listing="$(dirname "$bin")/kwl-listing-bench"
if [[ -x "$listing" ]]; then
  echo
  echo "Listing into the window's text box:"
  "$listing" 400000 | tee "$work/listing.txt" | sed 's/^/  /'
  slowest=$(grep -o '[0-9.]* s (cpu' "$work/listing.txt" | cut -d' ' -f1 | sort -g | tail -n 1)
  verdict "every listing under 2 s (slowest ${slowest:-?} s)" "s < 2" s="${slowest:-99}"
fi

echo
echo "Goals: $passed PASS, $missed MISS"
