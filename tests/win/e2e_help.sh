#!/usr/bin/env bash
# The Windows program under wine: "Help Contents..." opens vellumar100.chm,
# which lies beside the program, through the shell (wine's hh.exe shows it);
# with the file removed, the message names its full path.
# Arguments: the zip, the screenshots folder.
set -euo pipefail
zip=$1
shots=$2
. "$(dirname "$0")/window_lib.sh"
work=$(mktemp -d)
help_title='Vellumar Help'
close_help() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$help_title\$" 2>/dev/null || true); do
        xdotool windowactivate --sync "$id" key alt+F4 2>/dev/null || true
    done
}
trap 'end_program; close_help; rm -rf "$work"' EXIT
folder=$(unpack_program "$zip" "$work/unpacked")

# Alt selects the menu bar, Right moves to "Help", Down opens it with
# "Help Contents..." selected, Return takes it.
open_help() {
    activate_window "$main"
    xdotool key --delay 150 alt Right Down Return
}

start_program "$folder/vellumar.exe"
main=$(wait_for_window Vellumar)
open_help
help=$(wait_for_window "$help_title")
screenshot_window "$help" "$shots/wine-help-window.png"
close_help
wait_for_no_window "$help_title"

# Without the help file: the message with the path the shell was given.
rm "$folder/vellumar100.chm"
open_help
box=$(wait_for_message_box "$main")
activate_window "$box"
screenshot_window "$box" "$shots/wine-help-message.png"
# Ctrl+C copies a message box's text.
path=$(windows_path "$folder/vellumar100.chm")
xdotool key ctrl+c
for i in $(seq 1 100); do
    xclip -o -selection clipboard 2>/dev/null | grep -qiF "$path" && break
    sleep 0.1
done
text=$(xclip -o -selection clipboard 2>/dev/null || true)
printf '%s' "$text" | grep -qF "don't have a default browser set." || fail "message: $text"
printf '%s' "$text" | grep -qiF "$path" || fail "message without the path $path: $text"
xdotool key Return
echo "help under wine: passed"
