#!/usr/bin/env bash
# Takes the help's pictures from the real windows on a virtual display, with
# real clicks: the main window, its tray menu, the wizard's first pages and
# System info. Writes help/images/*.png; run it after a window changes and
# commit the pictures with the change.
# Usage: scripts/help_pictures.sh [x86_64|i686 [FOLDER]]   (the 32-bit program's
# pictures go to FOLDER, default build/screenshots/i686)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
out=${2:-$root/help/images}
[ "$arch" = i686 ] && out=${2:-$root/build/screenshots/i686}
mkdir -p "$out"
# Only the program: the help itself needs these pictures to build.
cmake --build "$root/build/$arch" --target quarrimond >/dev/null
export QM_WINE_ARCH=$arch WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all
# 32-bit Wine may run under an emulator here: give each step more time.
pause=1.5
[ "$arch" = i686 ] && pause=5
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  root=$1 arch=$2 out=$3 pause=$4
  window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
  shot() { sleep "$pause"; import -window "$(window "$1")" "$out/$2"; }
  # Clicks point (x, y) of a window, counted from its top-left corner.
  click() { xdotool mousemove --window "$(window "$1")" "$2" "$3" click "${4:-1}"; }
  "$root/scripts/wine-run" cmd /c exit >/dev/null 2>&1
  "$root/scripts/wine-run" "$root/build/$arch/app/quarrimond.exe" >/dev/null 2>&1 &
  sleep $((${pause%.*} * 4 + 2)) # start-up and the fade-in
  shot "Quarrimond v4.8" main.png

  click "Quarrimond v4.8" 210 60 # "Optimize it!"
  shot "Quarrimond Optimization Wizard" wizard.png
  click "Quarrimond Optimization Wizard" 282 362 # Next
  shot "Quarrimond Optimization Wizard" wizard_step1.png
  click "Quarrimond Optimization Wizard" 282 362
  shot "Quarrimond Optimization Wizard" wizard_step2.png
  xdotool key Escape # hides the wizard

  click "Quarrimond v4.8" 50 60 # "System info..."
  shot "Quarrimond Advanced System Profiler" system_info.png
  xdotool key Escape

  # Minimised to the tray, then the menu from a right click on the icon.
  id=$(window "Quarrimond v4.8")
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + WIDTH - 48)) $((Y + 11)) click 1
  sleep "$pause"
  tray=$(window "Wine System Tray")
  xdotool mousemove --window "$tray" 12 32 click 3
  sleep "$pause"
  import -window root -crop 200x120+0+0 +repage "$out/tray_menu.png"
  xdotool mousemove 600 600 click 1
  "$root/scripts/wine-run" cmd /c exit >/dev/null 2>&1
  wineserver -k' _ "$root" "$arch" "$out" "$pause"
ls -l "$out"
