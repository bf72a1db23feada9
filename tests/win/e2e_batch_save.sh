#!/usr/bin/env bash
# The Windows program under wine, started from another working directory:
# 1000 passwords of the batch window saved through wine's Save dialog, which
# starts in the program's (Cyrillic) folder every time, also after a save
# elsewhere and after No to the overwrite question.
# Arguments: the zip, the screenshots folder.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
need_wine
zip=$1 shots=$2
# wine's common dialogs have no title to look for: a window of the program
# other than the main and batch windows.
new_window() { xdotool search --onlyvisible --class '^vellumar\.exe$' | grep -vxm1 -e "$1" -e "$2"; }
no_message_box() { ! message_box "$1"; }
# Types $1 into the open Save dialog's focused name box (screenshot to $2).
save_as() {
    dialog=$(poll_until new_window "$main" "$batch") || fail "no Save dialog"
    activate_window "$dialog"
    [ -z "${2:-}" ] || screenshot "$dialog" "$2"
    xdotool key Home shift+End
    xdotool type --delay 30 "$1"
    xdotool key Return
}
# The overwrite question, answered with the access key $1.
answer_question() {
    box=$(wait_for_message_box "$main")
    activate_window "$box"
    xdotool key "$1"
    poll_until no_message_box "$main" || fail "the question stays"
}

mkdir "$work/elsewhere"
cd "$work/elsewhere"
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
save_as "$(windows_path "$work/list.txt")" "$shots/wine-save-dialog.png"
check_saved_list "$work/list.txt"

# A bare name lands in the program's folder.
activate_window "$batch"
xdotool key alt+s
save_as where
check_saved_list "$folder/where.txt"
: >"$folder/where.txt"
# list.txt exists: No opens the dialog again, in the program's folder, where
# where.txt is found and replaced after Yes.
activate_window "$batch"
xdotool key alt+s
save_as "$(windows_path "$work/list.txt")"
answer_question alt+n
save_as where
answer_question alt+y
check_saved_list "$folder/where.txt"
activate_window "$batch"
screenshot "$batch" "$shots/wine-batch-window.png"
