#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it under Wine in a Wine
# virtual desktop (window frames and the tray are drawn there). Without a
# display it runs on a virtual one, saves a screenshot and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64
exe=$root/build/x86_64/app/quarrimond.exe
desktop="explorer /desktop=Quarrimond,1024x768"

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run" $desktop "$exe"
fi

shot=$root/build/screenshots/quarrimond.png
mkdir -p "$(dirname "$shot")"
export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1/scripts/wine-run" $2 "$3" >/dev/null 2>&1 &
  sleep 8   # start-up, then a few memory samples
  import -window root "$4"
  wineserver -k' _ "$root" "$desktop" "$exe" "$shot"
echo "Screenshot of the running program: $shot"
