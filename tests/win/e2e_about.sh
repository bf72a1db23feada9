#!/usr/bin/env bash
# The Windows program under wine: the About window's "&System Info..." starts
# the program that HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO value PATH
# names (in a folder named in Cyrillic, with a blank), and not the decoy
# Системные.exe that a command line split at the blank would start; with
# neither of the two entries it shows "System Information Is Unavailable At
# This Time".
# Arguments: the zip, the screenshots folder, the marker program.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
need_wine
zip=$1 shots=$2 marker=$3
msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
forget_entries() {
    wine reg delete "$msinfo_key" /v PATH /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /v MSINFO /f >/dev/null 2>&1 || true
}
trap 'forget_entries; cleanup' EXIT
tool="$work/Системные сведения/msinfo32.exe" decoy="$work/Системные.exe"
mkdir "$(dirname "$tool")"
cp "$marker" "$tool"
cp "$marker" "$decoy"
forget_entries
wine reg add "$msinfo_key" /v PATH /t REG_SZ /d "$(windows_path "$tool")" /f >/dev/null

start_unpacked "$zip"
# Alt selects the menu bar, Right moves to "Help", Down opens it, "a" is
# "&About Vellumar...".
xdotool key --delay 150 alt Right Down a
about=$(wait_for_window "About Vellumar")
activate_window "$about"
screenshot "$about" "$shots/wine-about-window.png"
xdotool key alt+s
poll_until test -e "$tool.ran" -o -e "$decoy.ran" || fail "System Info did not start $tool"
[ ! -e "$decoy.ran" ] || fail "System Info started $decoy: the path was split at its blank"

# Neither entry: the message, in a box titled like the main window; Ctrl+C
# copies its text. (The tool just started may have taken the focus.)
forget_entries
activate_window "$about"
xdotool key alt+s
box=$(wait_for_message_box "$main")
activate_window "$box"
screenshot "$box" "$shots/wine-sysinfo-message.png"
xdotool key ctrl+c
poll_until clipboard_has 'System Information Is Unavailable At This Time' || fail "message: $(clipboard)"
xdotool key Return
