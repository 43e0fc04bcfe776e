#!/usr/bin/env bash
# Gives the test prefix two more drives, or takes them away again:
#   A:  a floppy drive without a disk
#   D:  a fixed drive that is a folder, labelled QMDATA with serial 0000ABCD
# Usage: drives_fixture.sh setup|cleanup FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix} WINEDEBUG=-all
folder=$2
devices=$WINEPREFIX/dosdevices
case $1 in
  setup)
    mkdir -p "$folder"
    echo QMDATA > "$folder/.windows-label"
    echo 0000ABCD > "$folder/.windows-serial"
    ln -sfn "$folder" "$devices/d:"
    ln -sfn /nonexistent-quarrimond-floppy "$devices/a:"
    "$root/scripts/wine-run" reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f >/dev/null 2>&1 ;;
  cleanup)
    rm -f "$devices/d:" "$devices/a:"
    "$root/scripts/wine-run" reg delete 'HKLM\Software\Wine\Drives' /v a: /f >/dev/null 2>&1 || true ;;
esac
# The drive list is read when the server starts.
wineserver -k || true
