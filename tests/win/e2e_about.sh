#!/usr/bin/env bash
# The Windows program under wine: the About window's "&System Info..." starts
# the program that HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO value PATH
# names (in a folder whose name has a blank); with neither of the two
# entries it shows "System Information Is Unavailable At This Time".
# Arguments: the zip, the screenshots folder, the marker program.
set -euo pipefail
zip=$1
shots=$2
marker=$3
. "$(dirname "$0")/window_lib.sh"
work=$(mktemp -d)
msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
location_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
forget_entries() {
    wine reg delete "$msinfo_key" /v PATH /f >/dev/null 2>&1 || true
    wine reg delete "$location_key" /v MSINFO /f >/dev/null 2>&1 || true
}
trap 'end_program; forget_entries; rm -rf "$work"' EXIT
folder=$(unpack_program "$zip" "$work/unpacked")
tool_folder="$work/System Info Tools"
mkdir -p "$tool_folder"
cp "$marker" "$tool_folder/msinfo32.exe"
forget_entries
wine reg add "$msinfo_key" /v PATH /t REG_SZ /d "$(windows_path "$tool_folder/msinfo32.exe")" /f >/dev/null

# Opens the About window from the menu bar with the keyboard: Alt selects
# the bar, Right moves to "Help", Down opens it, "a" is "&About Vellumar...".
open_about() {
    activate_window "$main"
    xdotool key --delay 150 alt Right Down a
    about=$(wait_for_window "About Vellumar")
    activate_window "$about"
}

start_program "$folder/vellumar.exe"
main=$(wait_for_window Vellumar)
open_about
screenshot_window "$about" "$shots/wine-about-window.png"
xdotool key alt+s
wait_for_file "$tool_folder/msinfo32.exe.ran"

# Neither entry: the message, in a box titled like the main window.
forget_entries
xdotool key alt+s
box=$(wait_for_message_box "$main")
activate_window "$box"
screenshot_window "$box" "$shots/wine-sysinfo-message.png"
# Ctrl+C copies a message box's text.
xdotool key ctrl+c
for i in $(seq 1 100); do
    xclip -o -selection clipboard 2>/dev/null | grep -q 'System Information Is Unavailable At This Time' && break
    sleep 0.1
done
xclip -o -selection clipboard 2>/dev/null | grep -q 'System Information Is Unavailable At This Time' \
    || fail "message: $(xclip -o -selection clipboard 2>/dev/null || true)"
xdotool key Return
echo "About window under wine: passed"
