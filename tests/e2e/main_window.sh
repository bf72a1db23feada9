#!/usr/bin/env bash
# Starts the built program under a private Xvfb as a user would and drives
# the main window from outside with the keyboard only.
set -euo pipefail
program=$1
shots=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_xvfb

clipboard() { xclip -o -selection clipboard 2>/dev/null; }
wait_for_clipboard_matching() {
    local pattern=$1 i
    for i in $(seq 1 100); do
        if grep -Eqx "$pattern" <<<"$(clipboard)"; then return 0; fi
        sleep 0.05
    done
    fail "clipboard '$(clipboard || true)' never matched $pattern"
}
wait_for_exit() {
    local i
    for i in $(seq 1 100); do
        kill -0 "$APP_PID" 2>/dev/null || { wait "$APP_PID" || true; return 0; }
        sleep 0.05
    done
    fail "the program did not end"
}

"$program" &
APP_PID=$!
win=$(wait_for_window Vellumar)
focus_window "$win"
screenshot_window "$win" "$shots/main-window.png"

# Default options: 7 characters from a-z and 0-9. Alt+P creates, Alt+W copies.
xdotool key alt+p
sleep 0.3
xdotool key alt+w
wait_for_clipboard_matching '[a-z0-9]{7}'

# The focus starts on "Use Upper Case Letters"; Space ticks it, two Tabs reach
# the length field.
xdotool key space Tab Tab ctrl+a
xdotool type 12
xdotool key alt+p
sleep 0.3
xdotool key alt+w
wait_for_clipboard_matching '[A-Za-z0-9]{12}'
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
