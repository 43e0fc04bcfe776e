#!/usr/bin/env bash
# Screenshots of what a person sees: the main window with its banner, the two
# information dialogs, the window minimised to the tray and back, the system information. Saved in
# build/screenshots/tour-N.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" x86_64 >/dev/null
out=$root/build/screenshots
mkdir -p "$out"
export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1/scripts/wine-run" explorer /desktop=Tour,1024x768 "$1/build/x86_64/tests/win/tour.exe" >/dev/null 2>&1 &
  sleep 5;  import -window root "$2/tour-1.png"   # banner
  sleep 3;  import -window root "$2/tour-2.png"   # shares
  sleep 3;  import -window root "$2/tour-3.png"   # defrag
  sleep 3;  import -window root "$2/tour-4.png"   # in the tray
  sleep 3;  import -window root "$2/tour-5.png"   # back
  sleep 3;  import -window root "$2/tour-6.png"   # system information
  wineserver -k' _ "$root" "$out"
ls "$out"/tour-*.png
