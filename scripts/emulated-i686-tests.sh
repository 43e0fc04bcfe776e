#!/usr/bin/env bash
# The i686 Windows tests where 32-bit code runs only through qemu's user-mode
# emulator. A 32-bit Wine process with several threads now and then dies or
# stalls inside the emulator there, whatever it runs; short single-threaded
# processes do not. So the tests labelled emulator_safe decide (each run up to
# three times); the others run as well, the window tests suite by suite, each
# up to twice, and are reported in build/i686/ctest-emulated.log, not counted.
# Usage (inside a virtual display, the build's wineserver kept alive):
#   scripts/emulated-i686-tests.sh BUILD_DIR   exits non-zero when a deciding test fails
set -uo pipefail
build=$1
log=$build/ctest-emulated.log

ctest --test-dir "$build" --output-on-failure --timeout 600 -L emulator_safe --repeat until-pass:3 > "$build/ctest.log" 2>&1
status=$?

# The report has a time budget of its own (ten minutes keep the whole CI run,
# set-up included, under forty): what does not fit is listed as not run.
deadline=$((SECONDS + ${QM_EMULATED_SECONDS:-600}))
{
  echo "== under the emulator, reported, not counted"
  tests=$build/tests/win/win_tests.exe
  "$build/wine-run" "$tests" --gtest_list_tests > "$build/suites.txt" 2>/dev/null # a file: never a pipe to Wine
  suites=$(tr -d '\r' < "$build/suites.txt" | grep -E '^[^ ].*\.$' | grep -vE '^(Drives|LateImports|ProgramLibraries)\.$')
  for suite in $suites; do
    if [ $SECONDS -ge $deadline ]; then
      echo "win_tests $suite* not run: out of time"
      continue
    fi
    for attempt in 1 2; do
      timeout 120 "$build/wine-run" "$tests" --gtest_filter="$suite*" > "$build/suite.log" 2>&1
      code=$?
      [ $code -eq 0 ] && break
    done
    passed=$(grep -c '^\[       OK' "$build/suite.log")
    failed=$(grep -c '^\[  FAILED  \].*ms)' "$build/suite.log")
    if [ $code -eq 0 ]; then outcome=passed
    elif [ "$failed" -gt 0 ]; then outcome=FAILED
    else outcome="ended by the emulator (exit $code)"; fi
    echo "win_tests $suite* $outcome: $passed passed, $failed failed in the last attempt"
  done
  if [ $SECONDS -lt $deadline ]; then
    timeout $((deadline - SECONDS)) ctest --test-dir "$build" --timeout 120 -LE emulator_safe -E '^win_tests$' \
      --repeat until-pass:2 2>&1 | grep -E 'tests passed|Test +#'
  fi
} > "$log" 2>&1

cat "$log" >> "$build/ctest.log"
exit $status
