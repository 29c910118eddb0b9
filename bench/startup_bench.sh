#!/usr/bin/env bash
# Times the main window's start: from just before the process is started to
# the end of the window's first paint (kestrawl with KWL_TRACE_STARTUP=1),
# the median of several runs, under Qt's offscreen platform and, when Xvfb
# is installed, under an X server on display :90. The settings folder is an
# empty temporary one, so every run is a first start. Not part of the test
# run.
#
#   bench/startup_bench.sh [runs]      (default 10)
#
# Environment: KWL_BIN_DIR (folder of kestrawl; default ../build/bin from
# here), KWL_XVFB_DISPLAY (default :90).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="${KWL_BIN_DIR:-$here/../build/bin}/kestrawl"
runs="${1:-10}"
display="${KWL_XVFB_DISPLAY:-:90}"

if [[ ! -x "$bin" ]]; then
  echo "startup_bench.sh: $bin not found; build it first (make build)" >&2
  exit 1
fi

config="$(mktemp -d "${TMPDIR:-/tmp}/kwl-startup.XXXXXX")"
xvfb_pid=""
cleanup() {
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$config"
}
trap cleanup EXIT

# Runs kestrawl `runs` times with the given environment and prints the
# median, least and greatest time to the first paint, measured from before
# the start of the process, and the median time from the start of main.
measure() {
  local label="$1"
  shift
  env "$@" XDG_CONFIG_HOME="$config" KWL_TRACE_STARTUP=1 python3 - "$bin" "$runs" "$label" <<'PY'
import os, statistics, subprocess, sys, time
program, runs, label = sys.argv[1], int(sys.argv[2]), sys.argv[3]
whole, from_main = [], []
for _ in range(runs):
    start = time.monotonic()
    out = subprocess.run([program], capture_output=True, text=True, timeout=60).stdout
    line = next((l for l in out.splitlines() if l.startswith("startup:")), None)
    if line is None:
        sys.exit(f"startup_bench.sh: no start-up line from {program}:\n{out}")
    whole.append((float(line.rsplit(" ", 1)[1]) - start) * 1000)
    from_main.append(float(line.split(", ")[1].split(" ms")[0]))
print(f"  {label:<10} median {statistics.median(whole):6.1f} ms  (least {min(whole):6.1f}, greatest {max(whole):6.1f});"
      f" from main {statistics.median(from_main):6.1f} ms  [{runs} runs]")
PY
}

echo "Start to first paint of the main window:"
measure offscreen QT_QPA_PLATFORM=offscreen
if command -v Xvfb >/dev/null; then
  if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      xdpyinfo -display "$display" >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
  measure "Xvfb $display" QT_QPA_PLATFORM=xcb DISPLAY="$display"
else
  echo "  Xvfb: skipped, not installed"
fi
