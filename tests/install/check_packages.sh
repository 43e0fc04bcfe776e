#!/usr/bin/env bash
# An installer and portable archive as a user meets them, under Wine:
# a silent install with auto-start, what it put where (files, Start-menu
# shortcuts, the uninstall entry, the run entry and the wizard's option), the
# installed program started and closed with the keyboard, the run entry still
# there after it, then a silent uninstall that removes all it installed but
# the registry backup; a second round without auto-start, whose program does
# not bring the entry back, removes the settings on request. Last, the
# archive's contents.
# Usage: check_packages.sh WINE_RUN x86_64|i686 SETUP.exe PORTABLE.zip VERSION
# (WINE_RUN: the build's Wine, which runs reg.exe in the installer's registry view)
set -uo pipefail
wine_run=$1 arch=$2 setup=$3 archive=$4 version=$5
WINEPREFIX=$("$wine_run" --prefix)
export WINEPREFIX
run() { "$wine_run" "$@"; }
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
# A 32-bit installer on 64-bit Windows installs where 32-bit programs go.
program_files='Program Files'
[ "$arch" = i686 ] && program_files='Program Files (x86)'
folder="$WINEPREFIX/drive_c/$program_files/Quarrimond"
windows_folder="C:\\$program_files\\Quarrimond"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quarrimond"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quarrimond'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
value() { # key, name: the value's data as reg prints it
  run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
exists() { [ -e "$1" ]; }
absent() { [ ! -e "$1" ]; }
equals() { [ "$1" = "$2" ] || { echo "     got '$1', expected '$2'"; false; }; }
wait_for() { # seconds, command...
  local limit=$1; shift
  for _ in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
entry_gone() { ! run reg query "$uninstall_key" >/dev/null 2>&1; }
run_value_gone() { [ -z "$(value "$run_key" quarrimond.exe)" ]; }
wizard_settings='HKCU\Quarrimond\OptWizSettings'
program_gone() { # none of the installed program's processes left in this prefix
  local pid
  for pid in $(pgrep -f 'Quarrimond.quarrimond\.exe'); do
    grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null && return 1
  done
  return 0
}
settings_gone() { ! run reg query 'HKCU\Quarrimond' >/dev/null 2>&1; }
uninstaller_done() { ! pgrep -x 'Au_.exe' >/dev/null; }
window_shown() { xdotool search --onlyvisible --name '^Quarrimond v4.8$' >/dev/null 2>&1; }
no_window() { ! xdotool search --name '^Quarrimond v4.8$' >/dev/null 2>&1; }
# Closes the program as a person does: a click on its caption, then Alt+F4.
close_with_keyboard() {
  local window X Y WIDTH HEIGHT SCREEN WINDOW
  window=$(xdotool search --onlyvisible --name '^Quarrimond v4.8$' | head -n 1)
  [ -n "$window" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH / 3)) $((Y + 8)) click 1 && sleep 0.5 && xdotool key alt+F4
}

# A clean start: nothing of an earlier run, no registry backup in the user's
# application-data folder either (a copy there counts as made).
rm -rf "$folder" "$menu" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Quarrimond/regbkup
run reg delete "$uninstall_key" /f >/dev/null 2>&1
run reg delete "$run_key" /v quarrimond.exe /f >/dev/null 2>&1
run reg delete "$wizard_settings" /v FlatCheckBox6_Checked /f >/dev/null 2>&1

check "silent install exits with 0" run "$setup" /S /AUTOSTART
for file in quarrimond.exe quarrimond-report.exe quarrim.chm uninstall.exe; do
  check "installed $file" exists "$folder/$file"
done
check "the installed program is the built one" cmp -s "$folder/quarrimond.exe" "$(dirname "$archive")/../app/quarrimond.exe"
for link in "Quarrimond.lnk" "Quarrimond Help.lnk" "Uninstall Quarrimond.lnk"; do
  check "Start-menu shortcut $link" exists "$menu/$link"
done
check "uninstall entry: name" equals "$(value "$uninstall_key" DisplayName)" "Quarrimond"
check "uninstall entry: version" equals "$(value "$uninstall_key" DisplayVersion)" "$version"
check "uninstall entry: publisher" equals "$(value "$uninstall_key" Publisher)" "Quarrimond developers"
check "uninstall entry: icon" equals "$(value "$uninstall_key" DisplayIcon)" "$windows_folder\\quarrimond.exe,0"
check "uninstall entry: uninstaller" equals "$(value "$uninstall_key" UninstallString)" "\"$windows_folder\\uninstall.exe\""
size=$(value "$uninstall_key" EstimatedSize)
installed_kb=$(du -sk --apparent-size "$folder" | cut -f1)
check "uninstall entry: size near the installed files' ($size against $installed_kb KB)" \
  [ $((size)) -ge $((installed_kb * 9 / 10)) -a $((size)) -le $((installed_kb * 11 / 10 + 8)) ]
check "auto-start: the wizard's run entry" equals "$(value "$run_key" quarrimond.exe)" "$windows_folder\\quarrimond.exe"
check "auto-start: the wizard's option" equals "$(value "$wizard_settings" FlatCheckBox6_Checked)" "True"

# The installed program starts and shows its window; it writes its backup
# beside itself. Closed, it leaves the auto-start entry as it found it.
run "$folder/quarrimond.exe" >/dev/null 2>&1 &
check "the installed program shows its window" wait_for 60 window_shown
check "its registry backup is beside it" wait_for 20 exists "$folder/regbkup/bkkey1.reg"
check "closed with Alt+F4" close_with_keyboard
check "the program ended" wait_for 30 no_window
check "the program's process ended" wait_for 30 program_gone
check "auto-start: the run entry outlives the first start" \
  equals "$(value "$run_key" quarrimond.exe)" "$windows_folder\\quarrimond.exe"
run reg add 'HKCU\Quarrimond\MainFormSettings' /v Probe /d kept /f >/dev/null 2>&1
run "$folder/quarrimond.exe" >/dev/null 2>&1 &
check "the installed program shows its window again" wait_for 60 window_shown
check "the run entry is there before uninstalling" \
  equals "$(value "$run_key" quarrimond.exe)" "$windows_folder\\quarrimond.exe"

# Silent uninstall, while the program runs: it closes it and removes all it
# installed. The uninstaller runs on from a copy of itself after it returns:
# each removal is waited for.
check "silent uninstall exits with 0" run "$folder/uninstall.exe" /S
check "the running program was closed" wait_for 30 no_window
check "the uninstaller removed itself" wait_for 60 absent "$folder/uninstall.exe"
for file in quarrimond.exe quarrimond-report.exe quarrim.chm; do
  check "removed $file" absent "$folder/$file"
done
check "kept the registry backup" exists "$folder/regbkup/bkkey1.reg"
check "removed the Start-menu group" wait_for 30 absent "$menu"
check "removed the uninstall entry" wait_for 30 entry_gone
check "removed the run entry" wait_for 30 run_value_gone
check "the uninstaller ended" wait_for 30 uninstaller_done
check "kept the settings without /REMOVESETTINGS" equals "$(value 'HKCU\Quarrimond\MainFormSettings' Probe)" "kept"
check "the kept wizard option says auto-start is off" equals "$(value "$wizard_settings" FlatCheckBox6_Checked)" "False"

# Again, without auto-start, and remove the settings on request.
check "second silent install" run "$setup" /S
check "no run entry without /AUTOSTART" equals "$(value "$run_key" quarrimond.exe)" ""
run "$folder/quarrimond.exe" >/dev/null 2>&1 &
check "the second installation's program shows its window" wait_for 60 window_shown
check "closed with Alt+F4 again" close_with_keyboard
check "the program ended again" wait_for 30 program_gone
check "the kept settings bring no run entry back" equals "$(value "$run_key" quarrimond.exe)" ""
check "silent uninstall with /REMOVESETTINGS" run "$folder/uninstall.exe" /S /REMOVESETTINGS
check "the uninstaller removed itself again" wait_for 60 absent "$folder/uninstall.exe"
check "removed the uninstall entry again" wait_for 30 entry_gone
check "removed the settings on request" wait_for 30 settings_gone
rm -rf "$folder"

# The portable archive: the two programs, the help and the text, in one folder.
listing=$(unzip -Z1 "$archive" | sort | tr '\n' ' ')
check "portable archive contents" equals "$listing" \
  "Quarrimond/ Quarrimond/Quarrimond.txt Quarrimond/quarrim.chm Quarrimond/quarrimond-report.exe Quarrimond/quarrimond.exe "
check "portable text names the version" bash -c "unzip -p '$archive' Quarrimond/Quarrimond.txt | grep -q 'Quarrimond $version'"

echo "$failures failures"
[ "$failures" -eq 0 ]
