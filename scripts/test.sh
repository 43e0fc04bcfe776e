#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the host logic
# tests (under the sanitizers), fuzzing, and the Windows tests of both builds
# under Wine with Xvfb, the x86_64 and the i686 suites side by side, each with
# its own virtual display and Wine prefix. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" host x86_64
mkdir -p "$root/build"
rm -f "$root"/build/*/ctest.log

# Where 32-bit code runs only through qemu's user-mode emulator (the kernel
# cannot run it; scripts/setup.sh registers the emulator), the i686 tests run
# as scripts/emulated-i686-tests.sh says.
emulated_32bit() { grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; }

# Runs one build's Windows tests on a display of its own; the log is
# build/<arch>/ctest.log. Output goes to files, never through a pipe the
# wineserver would keep open.
windows_tests() { # arch, display number
  local arch=$1 display=$2
  xvfb-run -a -n "$display" -s "-screen 0 1024x768x24" bash -c '
    build=$1 emulated=$2 root=$3
    "$build/wine-run" cmd /c exit >/dev/null 2>&1   # makes the prefix once
    prefix=$("$build/wine-run" --prefix)
    WINEPREFIX=$prefix wineserver -p 60
    if [ "$emulated" = yes ]; then
      "$root/scripts/emulated-i686-tests.sh" "$build"
    else
      ctest --test-dir "$build" --output-on-failure --timeout 600 > "$build/ctest.log" 2>&1
    fi
    rc=$?
    WINEPREFIX=$prefix wineserver -k
    exit $rc' _ "$root/build/$arch" "$([ "$arch" = i686 ] && emulated_32bit && echo yes || echo no)" "$root"
}

# The x86_64 tests start at once; the i686 build takes the idle time while
# they wait on windows, then its tests run beside them.
windows_tests x86_64 90 &
x86_64_tests=$!
(nice -n 10 "$root/scripts/build.sh" i686 > "$root/build/i686-build.log" 2>&1 && windows_tests i686 110) &
i686_tests=$!

status=0
echo "== host tests"
ctest --test-dir "$root/build/host" --output-on-failure || status=1

echo "== fuzzing, ${QM_FUZZ_SECONDS:=10} s per target"
"$root/scripts/build.sh" fuzz > "$root/build/fuzz-build.log" 2>&1 || { echo "fuzz build failed"; tail -30 "$root/build/fuzz-build.log"; status=1; }
for fuzzer in "$root"/build/fuzz/tests/fuzz/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$root/build/fuzz/corpus/$name
  mkdir -p "$corpus"
  if "$fuzzer" -max_total_time="$QM_FUZZ_SECONDS" -print_final_stats=1 "$corpus" > "$root/build/fuzz/$name.log" 2>&1; then
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$root/build/fuzz/$name.log" | grep -o '[0-9]*$') executions, no crash"
  else
    echo "$name: FAILED"; tail -30 "$root/build/fuzz/$name.log"; status=1
  fi
done

for arch in x86_64 i686; do
  pid=x86_64_tests
  [ "$arch" = i686 ] && pid=i686_tests
  if ! wait "${!pid}"; then status=1; fi
  echo "== Windows tests under Wine, $arch"
  if [ "$arch" = i686 ] && [ ! -f "$root/build/i686/ctest.log" ]; then
    echo "i686 build failed:"; tail -30 "$root/build/i686-build.log"; continue
  fi
  grep -vE '^(ALSA|X connection)' "$root/build/$arch/ctest.log" || true
done
exit $status
