#!/usr/bin/env bash
# The Windows program under wine: "Many..." opens the batch window, 1000
# passwords are made and saved through the Windows Save dialog (wine's common
# dialog) by typing a Windows path.
# Arguments: the zip, the screenshots folder.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
need_wine
zip=$1 shots=$2
# wine's common dialogs have no title to look for: a window of the program
# other than the main and batch windows.
new_window() { xdotool search --onlyvisible --class '^vellumar\.exe$' | grep -vxm1 -e "$1" -e "$2"; }

start_unpacked "$zip"
# The focus starts on "Use Upper Case Letters"; "Many..." is the eleventh
# stop and has no access key.
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
batch=$(wait_for_window "Multiple Password Generator")
activate_window "$batch"
# The count field has the focus.
xdotool key ctrl+a
xdotool type --delay 50 1000
xdotool key alt+g alt+s
dialog=$(poll_until new_window "$main" "$batch") || fail "no Save dialog"
activate_window "$dialog"
screenshot "$dialog" "$shots/wine-save-dialog.png"
# The file name box has the focus; its text is replaced.
xdotool key Home shift+End
xdotool type --delay 30 "$(windows_path "$work/list.txt")"
xdotool key Return
poll_until test -e "$work/list.txt" || fail "no file was saved"
check_saved_list "$work/list.txt"
activate_window "$batch"
screenshot "$batch" "$shots/wine-batch-window.png"
