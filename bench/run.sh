#!/usr/bin/env bash
# Builds the x86_64 benchmarks and runs them under Wine on a virtual display:
# start-up and per-tick costs, the information engine, then the resident cost
# of the running program against the floor program (bench/floor_window.cpp),
# both started together: processor clock ticks over SECONDS shown, then over
# SECONDS minimised to the tray, and resident memory, for RUNS runs, with the
# pointer in a corner of the screen. Times come
# from /proc, since Wine reports none for other processes.
# Usage: bench/run.sh [SECONDS, default 60] [RUNS, default 3]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${2:-3}
"$root/scripts/build.sh" x86_64 >/dev/null
cmake --build "$root/build/x86_64" --target benchmarks >/dev/null
bin=$root/build/x86_64
export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  root=$1 bin=$2 seconds=$3 runs=$4
  ticks() { awk "{print \$14 + \$15}" /proc/$1/stat; }
  rss() { awk "/^VmRSS/ {printf \"%.1f\", \$2 / 1024}" /proc/$1/status; }
  ratio() { awk -v a="$1" -v b="$2" "BEGIN { if (b > 0) printf \"%.2f\", a / b; else print \"n/a\" }"; }
  "$root/scripts/wine-run" cmd /c exit >/dev/null 2>&1
  wineserver -p 30
  "$root/scripts/wine-run" "$bin/bench/main_window_bench.exe" > "$bin/bench.log" 2>/dev/null
  echo "== system information" >> "$bin/bench.log"
  "$root/scripts/wine-run" "$bin/bench/system_info_bench.exe" >> "$bin/bench.log" 2>/dev/null
  echo "== resident cost against the floor program, clock ticks of $(getconf CLK_TCK) per second" >> "$bin/bench.log"
  printf "%-4s %-22s %-22s %-22s\n" run "shown ${seconds} s (ratio)" "in tray ${seconds} s (ratio)" "memory MB (ratio)" >> "$bin/bench.log"
  for run in $(seq "$runs"); do
    "$root/scripts/wine-run" "$bin/app/quarrimond.exe" >/dev/null 2>&1 &
    "$root/scripts/wine-run" "$bin/bench/floor_window.exe" >/dev/null 2>&1 &
    # The pointer rests away from both windows: over one, Wine polls every
    # 0.4 s for the pointer leaving it, which the floor program never asks for.
    xdotool mousemove 1023 767
    sleep 8
    program=$(pgrep -n -x quarrimond.exe); floor=$(pgrep -n ^floor_window)
    p0=$(ticks "$program"); f0=$(ticks "$floor")
    sleep "$seconds"
    p1=$(ticks "$program"); f1=$(ticks "$floor")
    pm=$(rss "$program"); fm=$(rss "$floor")
    "$root/scripts/wine-run" "$bin/bench/minimise_windows.exe" "Quarrimond v4.8" Floor >/dev/null 2>&1
    sleep 3
    p2=$(ticks "$program"); f2=$(ticks "$floor")
    sleep "$seconds"
    p3=$(ticks "$program"); f3=$(ticks "$floor")
    shown="$((p1 - p0)) vs $((f1 - f0)) ($(ratio $((p1 - p0)) $((f1 - f0))))"
    tray="$((p3 - p2)) vs $((f3 - f2)) ($(ratio $((p3 - p2)) $((f3 - f2))))"
    memory="$pm vs $fm ($(ratio "$pm" "$fm"))"
    printf "%-4s %-22s %-22s %-22s\n" "$run" "$shown" "$tray" "$memory" >> "$bin/bench.log"
    kill "$program" "$floor" 2>/dev/null || true
    sleep 2
  done
  wineserver -k' _ "$root" "$bin" "$seconds" "$runs"
cat "$bin/bench.log"
