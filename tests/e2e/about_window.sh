#!/usr/bin/env bash
# Opens the About window of the built program under a private Xvfb, takes
# screenshots of it and of the batch window, starts a system-information tool
# found on PATH and closes the About window with Esc.
set -euo pipefail
program=$1
shots=$2
. "$(dirname "$0")/xvfb_lib.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb
trap 'stop_xvfb; rm -rf "$work"' EXIT

# A stand-in system-information tool, found on PATH at start.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho ran > "%s/hardinfo.log"\n' "$work" > "$work/bin/hardinfo"
chmod +x "$work/bin/hardinfo"

PATH="$work/bin:$PATH" "$program" &
APP_PID=$!
main=$(wait_for_window Vellumar)
focus_window "$main"

# Help menu (second entry of the menu bar), then "About Vellumar..." by its
# access key.
xdotool mousemove --window "$main" 115 9 click 1
sleep 0.4
xdotool key a
about=$(wait_for_window "About Vellumar")
focus_window "$about"
sleep 0.3
screenshot_window "$about" "$shots/about-window.png"

# Alt+S presses "System Info...": the tool found on PATH starts.
xdotool key alt+s
for i in $(seq 1 100); do [ -f "$work/hardinfo.log" ] && break; sleep 0.05; done
[ -f "$work/hardinfo.log" ] || fail "System Info did not start the tool found on PATH"

# Asking again keeps the one window; Esc closes it.
focus_window "$main"
xdotool mousemove --window "$main" 115 9 click 1
sleep 0.4
xdotool key a
sleep 0.4
count=$(xdotool search --onlyvisible --name '^About Vellumar$' | wc -l)
[ "$count" -eq 1 ] || fail "$count About windows"
about=$(wait_for_window "About Vellumar")
focus_window "$about"
xdotool key Escape
for i in $(seq 1 100); do
    xdotool search --onlyvisible --name '^About Vellumar$' >/dev/null 2>&1 || break
    sleep 0.05
done
! xdotool search --onlyvisible --name '^About Vellumar$' >/dev/null 2>&1 || fail "Esc did not close the About window"

# The batch window, for its screenshot.
focus_window "$main"
xdotool mousemove --window "$main" 188 199 click 1
batch=$(wait_for_window "Multiple Password Generator")
sleep 0.3
screenshot_window "$batch" "$shots/batch-window.png"
echo "screenshots in $shots"
