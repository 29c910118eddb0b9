#!/usr/bin/env bash
# The texts of the corpus's text/ folder counted as one corpus by
# kestrawl-count with -j 1 and with -j 2: the median wall and processor times
# of RUNS runs each, the speed-up of -j 2, and whether both wrote the same
# output file (they must). No goal beyond that: the speed-up depends on the
# machine's free cores. Exit 1 when a run fails or the outputs differ.
# Usage: corpus_bench.sh KESTRAWL_COUNT TEXT_FOLDER [RUNS]
set -euo pipefail
bin="$1" texts="$2" runs="${3:-3}"
work="$(mktemp -d "${TMPDIR:-/tmp}/kwl-corpus-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

python3 - "$bin" "$texts" "$runs" "$work" <<'PY'
import os, resource, statistics, subprocess, sys, time
binary, texts, runs, work = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
files = sorted(f for f in os.listdir(texts) if os.path.isfile(os.path.join(texts, f)))
size = sum(os.path.getsize(os.path.join(texts, f)) for f in files)
print(f"{len(files)} texts of {texts} counted as one ({size / 1e6:.1f} MB), median of {runs} runs:")
figures = {}
for threads in (1, 2):
    walls, cpus = [], []
    out = os.path.join(work, f"j{threads}.out")
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        done = subprocess.run([binary, "-j", str(threads), "--output", out, texts],
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        walls.append(time.monotonic() - start)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpus.append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
        if done.returncode != 0:
            sys.exit(f"  -j {threads} failed ({done.returncode}): {done.stderr.decode(errors='replace')[:300]}")
    figures[threads] = statistics.median(walls)
    print(f"  -j {threads}   {figures[threads]:6.2f} s (cpu {statistics.median(cpus):5.2f} s)")
speedup = figures[1] / figures[2] if figures[2] > 0 else float("inf")
same = open(os.path.join(work, "j1.out"), "rb").read() == open(os.path.join(work, "j2.out"), "rb").read()
print(f"  speed-up of -j 2 over -j 1: {speedup:.2f}x; outputs {'identical' if same else 'DIFFERENT'}")
sys.exit(0 if same else 1)
PY
