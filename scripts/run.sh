#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it under Wine in a Wine
# virtual desktop (window frames and the tray are drawn there). Without a
# display it runs on a virtual one, saves a screenshot and prints its path.
# Usage: scripts/run.sh [x86_64|i686]   (default x86_64; i686 is the 32-bit release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
case $arch in x86_64|i686) ;; *) echo "usage: $0 [x86_64|i686]" >&2; exit 2 ;; esac
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$arch"
exe=$root/build/$arch/app/quarrimond.exe
desktop="explorer /desktop=Quarrimond,1024x768"
export QM_WINE_ARCH=$arch WINEPREFIX=$root/build/wineprefix

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run" $desktop "$exe"
fi

shot=$root/build/screenshots/quarrimond-$arch.png
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1/scripts/wine-run" $2 "$3" >/dev/null 2>&1 &
  sleep 12   # start-up, then a few memory samples
  import -window root "$4"
  wineserver -k' _ "$root" "$desktop" "$exe" "$shot"
echo "Screenshot of the running program: $shot"
