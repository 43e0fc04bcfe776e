#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the host logic
# tests (under the sanitizers) and the Windows tests under Wine with Xvfb.
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" host x86_64 fuzz
# The 32-bit release builds while the tests run, which mostly wait on windows.
mkdir -p "$root/build"
# At low priority: the tests' windows come first, the build takes the idle time.
nice -n 15 "$root/scripts/build.sh" i686 > "$root/build/i686-build.log" 2>&1 &
i686_build=$!

status=0
echo "== host tests"
ctest --test-dir "$root/build/host" --output-on-failure || status=1

echo "== fuzzing, ${QM_FUZZ_SECONDS:=10} s per target"
for fuzzer in "$root"/build/fuzz/tests/fuzz/*_fuzz; do
  name=$(basename "$fuzzer")
  corpus=$root/build/fuzz/corpus/$name
  mkdir -p "$corpus"
  if "$fuzzer" -max_total_time="$QM_FUZZ_SECONDS" -print_final_stats=1 "$corpus" > "$root/build/fuzz/$name.log" 2>&1; then
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$root/build/fuzz/$name.log" | grep -o '[0-9]*$') executions, no crash"
  else
    echo "$name: FAILED"; tail -30 "$root/build/fuzz/$name.log"; status=1
  fi
done

echo "== Windows tests under Wine"
export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all
# One virtual display and one warm wineserver for all test programs; output
# goes to files, never through a pipe the wineserver would keep open.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1/scripts/wine-run" cmd /c exit >/dev/null 2>&1   # creates the prefix once
  wineserver -p 60
  ctest --test-dir "$1/build/x86_64" --output-on-failure --timeout 600 > "$1/build/x86_64/ctest.log" 2>&1
  rc=$?
  wineserver -k
  exit $rc' _ "$root" || status=1
grep -vE '^(ALSA|X connection)' "$root/build/x86_64/ctest.log" || true

if ! wait "$i686_build"; then
  echo "i686 build failed:"; tail -30 "$root/build/i686-build.log"; status=1
fi
for output in app/quarrimond.exe app/quarrimond-report.exe app/quarrim.chm packages/quarrimond-*-i686-setup.exe \
              packages/quarrimond-*-i686-portable.zip; do
  compgen -G "$root/build/i686/$output" >/dev/null || { echo "i686 build missing $output"; status=1; }
done
exit $status
