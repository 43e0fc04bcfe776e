#!/usr/bin/env bash
# Builds the x86_64 benchmarks and runs them under Wine on a virtual display:
# start-up and per-tick costs, then the processor time of the running main
# window against a bare window with a one-second timer over the same period
# (read from /proc, since Wine reports no times for other processes).
# Usage: bench/run.sh [SECONDS for the idle comparison, default 60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/build.sh" x86_64 >/dev/null
bin=$root/build/x86_64
export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  root=$1 bin=$2 seconds=$3
  cpu_ticks() { awk "{print \$14 + \$15}" /proc/$1/stat; }
  "$root/scripts/wine-run" cmd /c exit >/dev/null 2>&1
  wineserver -p 30
  "$root/scripts/wine-run" "$bin/bench/main_window_bench.exe" > "$bin/bench.log" 2>/dev/null
  echo "== system information" >> "$bin/bench.log"
  "$root/scripts/wine-run" "$bin/bench/system_info_bench.exe" >> "$bin/bench.log" 2>/dev/null
  "$root/scripts/wine-run" "$bin/app/quarrimond.exe" >/dev/null 2>&1 &
  "$root/scripts/wine-run" "$bin/bench/bare_window.exe" >/dev/null 2>&1 &
  sleep 3
  program=$(pgrep -n -x quarrimond.exe)
  bare=$(pgrep -n -x bare_window.exe)
  p0=$(cpu_ticks "$program"); b0=$(cpu_ticks "$bare")
  sleep "$seconds"
  p1=$(cpu_ticks "$program"); b1=$(cpu_ticks "$bare")
  hz=$(getconf CLK_TCK)
  awk -v p=$((p1 - p0)) -v b=$((b1 - b0)) -v hz="$hz" -v s="$seconds" "BEGIN {
    printf \"CPU time over %d s: main window %.2f s, bare window %.2f s, ratio %s\n\",
      s, p / hz, b / hz, (b > 0 ? sprintf(\"%.2f\", p / b) : \"n/a (bare window below the clock tick)\") }" >> "$bin/bench.log"
  wineserver -k' _ "$root" "$bin" "$seconds"
cat "$bin/bench.log"
