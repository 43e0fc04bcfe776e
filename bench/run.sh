#!/usr/bin/env bash
# Builds the x86_64 benchmarks and runs them under Wine on a virtual display,
# in the build's own Wine prefix (build/x86_64/wine-run), as its tests run:
# start to the main window's first paint, the per-tick and paint costs, the
# information engine, then the resident cost of the running program against
# the floor program (bench/floor_window.cpp), both started together, for RUNS
# runs, from the end of the program's start (its fade-in included):
# processor time over SECONDS shown with the pointer away from both
# windows, over SECONDS with the pointer resting on each one's trace in turn,
# over SECONDS minimised to the tray, and resident memory after the first
# period. Processor time is summed over the process's threads from /proc
# (Wine reports none for other processes), in milliseconds.
# With each run, the same fixed work timed on each processor before and after
# it, so that a run on unevenly fast processors can be told apart.
# Usage: bench/run.sh [SECONDS, default 60] [RUNS, default 3]
#   QM_BENCH_DISPLAY  the first X display number tried (default 130)
#   QM_BENCH          the parts run (default "start main sysinfo resident")
#   QM_BENCH_BUILD    an x86_64 build whose benchmarks are already built, run
#                     as it is (another checkout's, to compare); default: this
#                     checkout's build/x86_64, built first
#   QM_BENCH_PROGRAM  the program whose resident cost is measured (default
#                     the build's app/quarrimond.exe)
#   QM_BENCH_PREFIX   a Wine prefix of its own (default the build's), so the
#                     bench can run beside that build's tests, and two builds
#                     be measured in the same prefix
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${2:-3}
bin=${QM_BENCH_BUILD:-}
if [ -z "$bin" ]; then
  bin=$root/build/x86_64
  "$root/scripts/build.sh" x86_64 >/dev/null
  cmake --build "$bin" --target benchmarks >/dev/null
fi
bin=$(cd "$bin" && pwd)
program=${QM_BENCH_PROGRAM:-$bin/app/quarrimond.exe}
wine=$bin/wine-run
if [ -n "${QM_BENCH_PREFIX:-}" ]; then
  mkdir -p "$QM_BENCH_PREFIX"
  export WINEPREFIX=$(cd "$QM_BENCH_PREFIX" && pwd) QM_WINE_ARCH=x86_64
  wine=$root/scripts/wine-run
fi
xvfb-run -a -n "${QM_BENCH_DISPLAY:-130}" -s "-screen 0 1024x768x24" bash -c '
  bin=$1 seconds=$2 runs=$3 parts=" $4 " measured=$5
  wine=$6 log=$bin/bench.log
  cpu_ms() { cat /proc/$1/task/*/schedstat | awk "{ns += \$1} END {printf \"%d\", ns / 1e6}"; }
  rss() { awk "/^VmRSS/ {printf \"%.1f\", \$2 / 1024}" /proc/$1/status; }
  ratio() { awk -v a="$1" -v b="$2" "BEGIN { if (b > 0) printf \"%.2f\", a / b; else print \"n/a\" }"; }
  versus() { echo "$1 vs $2 ($(ratio "$1" "$2"))"; }
  median() { sort -n | awk "{v[NR] = \$1} END {print v[int((NR + 1) / 2)]}"; }
  away() { xdotool mousemove 1023 767; }
  # The same fixed work timed on each processor, in ms. On a virtual machine
  # the processors can differ by half for the same work and change within a
  # minute: a run taken while they do says more about them than the program.
  speeds() {
    local TIMEFORMAT=%3U
    for cpu in $(seq 0 $(($(nproc) - 1))); do
      { time taskset -c "$cpu" awk "BEGIN { for (i = 0; i < 3000000; i++) s += i }" >/dev/null; } 2>&1 |
        awk "{printf \"%d \", \$1 * 1000}"
    done
  }
  # The newest process of that name in this prefix (tests and other
  # checkouts may run the same programs beside the bench).
  ours() {
    for pid in $(pgrep "$1" | sort -rn); do
      if tr "\0" "\n" < /proc/$pid/environ 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
        echo "$pid"
        return
      fi
    done
  }
  # Onto the middle of the trace, at the same client point in both windows.
  rest_on() {
    "$wine" "$bin/bench/point_at.exe" "$1" 173 116 > "$bin/point.txt" 2>/dev/null
    xdotool mousemove $(tr -d "\r" < "$bin/point.txt")
  }
  "$wine" cmd /c exit >/dev/null 2>&1
  export WINEPREFIX=$("$wine" --prefix)
  wineserver -p 30

  : > "$log"
  if [[ $parts == *" start "* ]]; then
    echo "== start to the main window first painted (fade-in excluded), warm" >> "$log"
    "$wine" "$bin/bench/start_bench.exe" >/dev/null 2>&1 # warms the files and the server
    : > "$bin/start.txt"
    for run in 1 2 3 4 5; do
      "$wine" "$bin/bench/start_bench.exe" >> "$bin/start.txt" 2>/dev/null
    done
    awk -F" [|] " "{split(\$1, t, \" \"); printf \"run %d: first paint %7.1f ms, end of the fade-in %7.1f ms\n  %s\n\", NR, t[1], t[2], \$2}" "$bin/start.txt" >> "$log"
    echo "median first paint $(cut -d" " -f1 "$bin/start.txt" | median) ms" >> "$log"
  fi
  if [[ $parts == *" main "* ]]; then
    echo "== main window" >> "$log"
    "$wine" "$bin/bench/main_window_bench.exe" >> "$log" 2>/dev/null
  fi
  if [[ $parts == *" sysinfo "* ]]; then
    echo "== system information" >> "$log"
    "$wine" "$bin/bench/system_info_bench.exe" >> "$log" 2>/dev/null
  fi
  if [[ $parts == *" resident "* ]]; then
    echo "== resident cost against the floor program: processor ms over ${seconds} s, memory MB" >> "$log"
    printf "%-4s %-26s %-26s %-26s %-26s\n" run "shown, pointer away" "shown, pointer over" "in the tray" "memory" >> "$log"
  else
    runs=0
  fi
  for run in $(seq "$runs"); do
    before=$(speeds)
    "$wine" "$measured" >/dev/null 2>&1 &
    "$wine" "$bin/bench/floor_window.exe" >/dev/null 2>&1 &
    away
    # From the end of the start (the fade-in takes seconds under load), not
    # from a fixed time: counted as rest, it made the program look dearer.
    "$wine" "$bin/bench/wait_answering.exe" "Quarrimond v4.8" >/dev/null 2>&1
    "$wine" "$bin/bench/wait_answering.exe" Floor >/dev/null 2>&1
    sleep 3
    program=$(ours ^quarrimond.exe$); floor=$(ours ^floor_window)
    p0=$(cpu_ms "$program"); f0=$(cpu_ms "$floor")
    sleep "$seconds"
    p1=$(cpu_ms "$program"); f1=$(cpu_ms "$floor")
    memory=$(versus "$(rss "$program")" "$(rss "$floor")")
    # One pointer: each program is measured with it resting on its own trace.
    rest_on "Quarrimond v4.8"
    sleep 2
    p2=$(cpu_ms "$program")
    sleep "$seconds"
    p3=$(cpu_ms "$program")
    rest_on Floor
    sleep 2
    f2=$(cpu_ms "$floor")
    sleep "$seconds"
    f3=$(cpu_ms "$floor")
    away
    tray=""
    "$wine" "$bin/bench/minimise_windows.exe" "Quarrimond v4.8" Floor >/dev/null 2>&1 || tray=" NOT HIDDEN"
    sleep 3
    p4=$(cpu_ms "$program"); f4=$(cpu_ms "$floor")
    sleep "$seconds"
    p5=$(cpu_ms "$program"); f5=$(cpu_ms "$floor")
    printf "%-4s %-26s %-26s %-26s %-26s\n" "$run" "$(versus $((p1 - p0)) $((f1 - f0)))" \
      "$(versus $((p3 - p2)) $((f3 - f2)))" "$(versus $((p5 - p4)) $((f5 - f4)))$tray" "$memory" >> "$log"
    echo "     the same work on each processor, ms: ${before}before, $(speeds)after" >> "$log"
    kill "$program" "$floor" 2>/dev/null || true
    sleep 2
  done
  wineserver -k' _ "$bin" "$seconds" "$runs" "${QM_BENCH:-start main sysinfo resident}" "$program" "$wine"
cat "$bin/bench.log"
