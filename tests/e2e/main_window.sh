#!/usr/bin/env bash
# Starts the built program under a private Xvfb as a user would and drives
# the main window from outside with the keyboard only.
set -euo pipefail
program=$1
shots=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_xvfb

"$program" &
APP_PID=$!
win=$(wait_for_window Vellumar)
focus_window "$win"
screenshot_window "$win" "$shots/main-window.png"

# Default options: 7 characters from a-z and 0-9. Alt+P creates, Alt+W copies.
xdotool key alt+p
sleep 0.3
xdotool key alt+w
wait_for_output_matching '^[a-z0-9]{7}$' clipboard

# The focus starts on "Use Upper Case Letters"; Space ticks it, two Tabs reach
# the length field.
xdotool key space Tab Tab ctrl+a
xdotool type 12
xdotool key alt+p
sleep 0.3
xdotool key alt+w
wait_for_output_matching '^[A-Za-z0-9]{12}$' clipboard
password=$(clipboard)

# "Copy and Close": the program ends and the password stays on the clipboard.
xdotool key alt+p
sleep 0.3
xdotool key alt+c
wait_for_exit
sleep 0.2
after=$(clipboard)
grep -Eqx '[A-Za-z0-9]{12}' <<<"$after" || fail "clipboard after exit: '$after'"
[ "$after" != "$password" ] || fail "Copy and Close did not copy the new password"

# Once more at twice the scale, for a screenshot.
QT_SCALE_FACTOR=2 "$program" &
APP_PID=$!
win=$(wait_for_window Vellumar)
focus_window "$win"
screenshot_window "$win" "$shots/main-window-scale2.png"
xdotool key alt+e
wait_for_exit
echo "main window real-window test passed"
