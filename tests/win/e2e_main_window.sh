#!/usr/bin/env bash
# The Windows program under wine, driven with the keyboard: "Help Contents..."
# opens vellumar100.chm beside it in wine's hh.exe, and without the file a
# message names its full path; Alt+P then Alt+W puts a password on the (X)
# clipboard, and "&Copy and Close" ends the program leaving a new one there,
# marked to stay out of Windows' clipboard history.
# Arguments: the zip, the screenshots folder, the clipboard format reader.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
need_wine
zip=$1 shots=$2 formats=$3
help_title='Vellumar Help'
close_help() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$help_title\$" 2>/dev/null || true); do
        xdotool windowactivate --sync "$id" key alt+F4 2>/dev/null || true
    done
}
trap 'close_help; cleanup' EXIT
# Alt selects the menu bar, Right moves to "Help", Down opens it with "Help
# Contents..." selected, Return takes it.
open_help() {
    activate_window "$main"
    xdotool key --delay 150 alt Right Down Return
}

# Help from a folder named in Cyrillic shows no help window under wine yet
# (whether wine's hh.exe or the program is at fault is not known): ASCII here.
start_unpacked "$zip" unpacked
screenshot "$main" "$shots/wine-main-window.png"
open_help
help=$(wait_for_window "$help_title")
screenshot "$help" "$shots/wine-help-window.png"
close_help
poll_until no_window "$help_title" || fail "the help window is still there"

rm "$folder/vellumar100.chm"
open_help
box=$(wait_for_message_box "$main")
activate_window "$box"
screenshot "$box" "$shots/wine-help-message.png"
# Ctrl+C copies a message box's text.
path=$(windows_path "$folder/vellumar100.chm")
xdotool key ctrl+c
poll_until clipboard_has -i "$path" || fail "message without the path $path: $(clipboard)"
clipboard_has "don't have a default browser set." || fail "message: $(clipboard)"
xdotool key Return
poll_until active "$main" || fail "the focus did not come back to the main window"
activate_window "$main"

# The defaults: 7 characters from a-z and 0-9.
xdotool key alt+p alt+w
first=$(poll_until clipboard_matching '[a-z0-9]{7}')
xdotool key alt+p alt+c
wait_for_exit "$APP_PID"
second=$(poll_until clipboard_matching '[a-z0-9]{7}' "$first")
sleep 1
[ "$(clipboard)" = "$second" ] || fail "the clipboard lost the password after the program ended"
wine "$formats" "$second" || fail "the clipboard's Windows formats"
