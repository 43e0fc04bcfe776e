#!/usr/bin/env bash
# Runs a test program with the prefix's screen at `dpi` pixels per inch, then
# puts the prefix back at Wine's default, whatever the outcome.
# Usage: at_resolution.sh <wine-run> <dpi> <program.exe> [arguments...]
set -euo pipefail
wine=$1 dpi=$2
shift 2
key='HKCU\Control Panel\Desktop'
restore() { "$wine" reg.exe delete "$key" /v LogPixels /f >/dev/null 2>&1 || true; }
trap restore EXIT
"$wine" reg.exe add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
QM_TEST_DPI=$dpi "$wine" "$@"
