#!/usr/bin/env bash
# The batch window under openbox: minimised and back, messages, saving a list
# over Qt's file dialog, one password a line, a long batch stopped with Esc,
# the largest list made and saved.
# Arguments: the program, the screenshots folder.
set -euo pipefail
program=$1 shots=$2
. "$(dirname "$0")/window_lib.sh"
start_display

start_program "$program"
# "Many..." (no access key) is the eleventh stop from "Use Upper Case Letters".
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
batch=$(wait_for_window "Multiple Password Generator")
activate_window "$batch"
screenshot "$batch" "$shots/batch-window.png"

# Minimised, it comes back with "Many..." (which keeps the focus).
timeout 60 xdotool windowminimize --sync "$batch"
activate_window "$main"
xdotool key space
batch=$(wait_for_window "Multiple Password Generator")
poll_until active "$batch" || fail "the batch window came back inactive"

# A count that is no number: the message box has the focus, then the batch window.
xdotool key ctrl+a
xdotool type --delay 30 abc
xdotool key alt+g
box=$(wait_for_message_box "$main")
poll_until active "$box" || fail "the message box is not active"
xdotool key Return
poll_until active "$batch" || fail "the focus did not come back to the batch window"

# 1000 passwords saved under a name without extension: the dialog adds ".txt".
save_as() {  # types $1 into the Save dialog's name box
    xdotool key alt+s
    activate_window "$(wait_for_window "Save As")"
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
}
xdotool key ctrl+a
xdotool type --delay 30 1000
xdotool key alt+g
save_as "$work/passwords"
poll_until test -e "$work/passwords.txt" || fail "no file was saved"
check_saved_list "$work/passwords.txt"
[ "$(stat -c %a "$work/passwords.txt")" = 600 ] || fail "the new file has mode $(stat -c %a "$work/passwords.txt")"

# Saving a new list over it asks once, in the program's words: No brings the
# dialog back, Esc there keeps the file; Esc or the close box on the question
# keeps it too; Yes replaces it.
old=$(md5sum <"$work/passwords.txt")
changed() { [ "$(md5sum <"$work/passwords.txt")" != "$old" ]; }
activate_window "$batch"
xdotool key alt+g
save_as "$work/passwords.txt"
activate_window "$(wait_for_message_box "$main")"
xdotool key alt+n
activate_window "$(wait_for_window "Save As")"
xdotool key Escape
poll_until no_window "Save As" || fail "Esc did not close the Save dialog"
! changed || fail "the file was replaced without Yes"
for key in Escape alt+F4; do
    save_as "$work/passwords.txt"
    activate_window "$(wait_for_message_box "$main")"
    xdotool key "$key"
    poll_until active "$batch" || fail "$key on the question did not end the save"
    ! changed && no_window "Save As" || fail "$key on the question went on saving"
done
save_as "$work/passwords.txt"
activate_window "$(wait_for_message_box "$main")"
xdotool key alt+y
poll_until changed || fail "Yes did not replace the file"
check_saved_list "$work/passwords.txt"
activate_window "$batch"
screenshot "$batch" "$shots/batch-window-1000.png"

# One password per line: a triple-click selects exactly one, which copies without its line end.
xdotool mousemove --window "$batch" 100 130 click --repeat 3 --delay 80 1
xdotool key ctrl+c
poll_until clipboard_matching '[a-z0-9]{7}' >/dev/null || fail "a triple-click copied '$(clipboard | od -c)'"

# A long batch stops on Esc and keeps what it made. Esc is queued right after the key that
# starts it (Space on Generate clicks as it is released; Alt+G would click 100 ms later): the
# batch takes input once it has run for half a second, so Esc stops it however fast the
# machine makes the list (waiting for the progress title first raced a quick machine).
activate_window "$main"
xdotool key --delay 30 Tab Tab Tab ctrl+a  # from "Many..." round to the length field
xdotool type --delay 30 2046
activate_window "$batch"
xdotool key --delay 30 Tab Tab ctrl+a  # from the list, past Close, to the count
xdotool type --delay 30 32767
xdotool key --delay 30 Tab Tab space Escape  # past Save to Generate
# Clicks and keys during the batch are dropped, so the list is clicked and copied until that works.
copy_list() { xdotool mousemove --window "$batch" 100 130 click 1 key ctrl+a ctrl+c; clipboard_matching "$1"; }
poll_until copy_list '[a-z0-9]{2046}.*' >/dev/null || fail "the list was not copied"
lines=$(clipboard | wc -l)
[ "$lines" -gt 0 ] && [ "$lines" -lt 32767 ] || fail "$lines lines after Esc"

# The largest list, 32767 x 2046, shows its progress, completes and saves whole:
# 32767 x (2046 + 2) + 2 bytes.
activate_window "$batch"
xdotool key alt+g
wait_for_window 'Multiple Password Generator \(.* of 32.767\)' >/dev/null
POLL_SECONDS=240 wait_for_window 'Multiple Password Generator' >/dev/null
save_as "$work/largest"
POLL_SECONDS=240 poll_until has_size "$work/largest.txt" 67106818 ||
    fail "the largest list saved $(stat -c %s "$work/largest.txt" 2>&1) bytes"
activate_window "$main"
xdotool key alt+e
wait_for_exit "$APP_PID"
