#!/usr/bin/env bash
# Configures and builds: the host logic with its tests (sanitizers on), and for
# x86_64 and i686 the Windows programs, their tests, help, installer and archive.
# Usage: scripts/build.sh [host] [x86_64] [i686] [fuzz]   (default: the first three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
jobs=$(nproc)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(host x86_64 i686)

configure() { # dir, extra cmake args...
  local dir=$1; shift
  if [ ! -f "$build/$dir/build.ninja" ]; then
    cmake -S "$root" -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  fi
}

for target in "${targets[@]}"; do
  case $target in
    host)
      configure host -DQM_SANITIZE=ON
      cmake --build "$build/host" -j "$jobs" ;;
    fuzz)
      configure fuzz -DQM_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
      cmake --build "$build/fuzz" -j "$jobs" ;;
    x86_64|i686)
      configure "$target" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$target-w64-mingw32.cmake"
      cmake --build "$build/$target" -j "$jobs" ;;
    *) echo "unknown target: $target" >&2; exit 2 ;;
  esac
done
