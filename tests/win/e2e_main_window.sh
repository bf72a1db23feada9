#!/usr/bin/env bash
# The Windows program under wine, driven with the keyboard: "Help Contents..."
# opens vellumar100.chm beside it in wine's hh.exe, and without the file a
# message names its full path; Alt+P then Alt+W puts a password on the (X)
# clipboard, and "&Copy and Close" ends the program leaving a new one there,
# marked to stay out of Windows' clipboard history. From a folder named in
# Cyrillic, Help opens the help file by its full path (with a stand-in viewer:
# wine's hh.exe opens no file from such a folder).
# Arguments: the zip, the screenshots folder, the clipboard format reader,
# the marker program.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
need_wine
zip=$1 shots=$2 formats=$3 marker=$4
help_title='Vellumar Help'
close_help() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$help_title\$" 2>/dev/null || true); do
        xdotool windowactivate --sync "$id" key alt+F4 2>/dev/null || true
    done
}
# .chm files open in $viewer for a while (wine reads no per-user classes).
viewer="$work/viewer.exe"
chm_class='HKCR\vellumar.test.chm'
chm_default=$(wine reg query 'HKCR\.chm' /ve 2>/dev/null | sed -n 's/.*REG_SZ *//p' | tr -d '\r' || true)
forget_viewer() {
    wine reg add 'HKCR\.chm' /ve /d "${chm_default:-chm.file}" /f >/dev/null 2>&1 || true
    wine reg delete "$chm_class" /f >/dev/null 2>&1 || true
}
trap 'close_help; forget_viewer; cleanup' EXIT
# Alt selects the menu bar, Right moves to "Help", Down opens it with "Help
# Contents..." selected, Return takes it.
open_help() {
    activate_window "$main"
    xdotool key --delay 150 alt Right Down Return
}

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

cp "$marker" "$viewer"
wine reg add 'HKCR\.chm' /ve /d vellumar.test.chm /f >/dev/null
wine reg add "$chm_class\shell\open\command" /ve /d "\"$(windows_path "$viewer")\" \"%1\"" /f >/dev/null
start_unpacked "$zip"
open_help
poll_until test -s "$viewer.ran" || fail "Help from $folder did not open the help file"
grep -qF "$(windows_path "$folder/vellumar100.chm")" "$viewer.ran" || fail "Help opened: $(cat "$viewer.ran")"
activate_window "$main"
xdotool key alt+F4
wait_for_exit "$APP_PID"
