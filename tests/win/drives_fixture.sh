#!/usr/bin/env bash
# Gives the test prefix two more drives, or takes them away again:
#   A:  a floppy drive without a disk
#   D:  a fixed drive that is a folder, labelled QMDATA with serial 0000ABCD
# Usage: drives_fixture.sh WINE_RUN setup|cleanup FOLDER   (WINE_RUN: the build's Wine)
set -euo pipefail
wine_run=$1
shift
WINEPREFIX=$("$wine_run" --prefix)
export WINEPREFIX
folder=$2
devices=$WINEPREFIX/dosdevices
case $1 in
  setup)
    mkdir -p "$folder"
    echo QMDATA > "$folder/.windows-label"
    echo 0000ABCD > "$folder/.windows-serial"
    ln -sfn "$folder" "$devices/d:"
    ln -sfn /nonexistent-quarrimond-floppy "$devices/a:"
    "$wine_run" reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f /reg:64 >/dev/null 2>&1 ;;
  cleanup)
    rm -f "$devices/d:" "$devices/a:"
    "$wine_run" reg delete 'HKLM\Software\Wine\Drives' /v a: /f /reg:64 >/dev/null 2>&1 || true ;;
esac
# Wine's own drive list is in the 64-bit view; it is read when the server starts.
wineserver -k || true
