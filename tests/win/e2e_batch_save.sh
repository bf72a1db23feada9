#!/usr/bin/env bash
# The Windows program under wine: "Many..." opens the batch window, 1000
# passwords are made and saved through the Windows Save dialog (wine's common
# dialog) by typing a Windows path; the file has 1000 CR LF lines and one
# more CR LF: 9002 bytes.
# Arguments: the zip, the screenshots folder.
set -euo pipefail
zip=$1
shots=$2
. "$(dirname "$0")/window_lib.sh"
work=$(mktemp -d)
trap 'end_program; rm -rf "$work"' EXIT
folder=$(unpack_program "$zip" "$work/unpacked")
mkdir -p "$work/saved"

start_program "$folder/vellumar.exe"
main=$(wait_for_window Vellumar)
activate_window "$main"

# The focus starts on "Use Upper Case Letters"; "Many..." is the eleventh
# stop and has no access key.
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
batch=$(wait_for_window "Multiple Password Generator")
activate_window "$batch"

# The count field has the focus.
xdotool key ctrl+a
xdotool type --delay 50 1000
xdotool key alt+g

xdotool key alt+s
dialog=$(wait_for_new_window "$main" "$batch")
activate_window "$dialog"
screenshot_window "$dialog" "$shots/wine-save-dialog.png"
# The file name box has the focus; its text is replaced.
xdotool key Home shift+End
xdotool type --delay 30 "$(windows_path "$work/saved/list.txt")"
xdotool key Return

file="$work/saved/list.txt"
wait_for_file "$file"
# The file is written in one go once it exists; wait until it has its size.
for i in $(seq 1 100); do
    [ "$(stat -c %s "$file")" -ge 9002 ] && break
    sleep 0.1
done
size=$(stat -c %s "$file")
[ "$size" -eq 9002 ] || fail "file is $size bytes, expected 9002"
good=$(grep -c -E $'^[a-z0-9]{7}\r$' "$file" || true)
[ "$good" -eq 1000 ] || fail "$good good password lines"
[ "$(tail -c 4 "$file" | od -An -c | tr -d ' ')" = '\r\n\r\n' ] || fail "file does not end with an empty line"
activate_window "$batch"
screenshot_window "$batch" "$shots/wine-batch-window.png"
echo "batch window under wine: passed (9002 bytes saved)"
