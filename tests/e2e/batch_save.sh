#!/usr/bin/env bash
# Real windows: opens the batch window from the main window with the keyboard,
# makes 1000 passwords and saves them through Qt's file dialog by typing a path.
# Arguments: the program, the screenshots folder.
set -euo pipefail
program=$1
shots=$2
. "$(dirname "$0")/xvfb_lib.sh"
work=$(mktemp -d)
start_xvfb
trap 'stop_xvfb; rm -rf "$work"' EXIT

"$program" &
APP_PID=$!
main=$(wait_for_window Vellumar)
focus_window "$main"

# Focus starts on chkUpper; "Many..." is the eleventh stop and has no access key.
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
batch=$(wait_for_window "Multiple Password Generator")
focus_window "$batch"

# The count field has the focus.
xdotool key ctrl+a
xdotool type --delay 30 1000
xdotool key alt+g
sleep 1

xdotool key alt+s
dialog=$(wait_for_window "Save As")
focus_window "$dialog"
# The file name box has the focus and starts with ".txt"; the dialog adds
# the extension to a name typed without one.
xdotool key ctrl+a
xdotool type --delay 20 "$work/passwords"
xdotool key Return

file="$work/passwords.txt"
for i in $(seq 1 100); do [ -f "$file" ] && break; sleep 0.05; done
[ -f "$file" ] || fail "no file was saved"
size=$(stat -c %s "$file")
[ "$size" -eq $((1000 * 9 + 2)) ] || fail "file is $size bytes, expected 9002"
mode=$(stat -c %a "$file")
[ "$mode" = 600 ] || fail "new file has mode $mode"
# 1000 lines of seven lower-case letters or digits, each ended by CR LF, then
# one more CR LF.
good=$(grep -c -E $'^[a-z0-9]{7}\r$' "$file" || true)
[ "$good" -eq 1000 ] || fail "$good good password lines"
[ "$(tail -c 4 "$file" | od -An -c | tr -d ' ')" = '\r\n\r\n' ] || fail "file does not end with an empty line"
[ "$(wc -l < "$file")" -eq 1001 ] || fail "file does not have 1001 lines"

focus_window "$batch"
sleep 0.3
screenshot_window "$batch" "$shots/batch-window-1000.png"
echo "saved $size bytes; screenshot in $shots"
