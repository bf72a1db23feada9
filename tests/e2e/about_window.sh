#!/usr/bin/env bash
# The About window: "System Info..." starts the tool on PATH, asking again keeps one window, Esc closes it.
# Arguments: the program, the screenshots folder.
set -euo pipefail
program=$1 shots=$2
. "$(dirname "$0")/window_lib.sh"
start_display
mkdir "$work/bin"
printf '#!/bin/sh\necho ran > "%s/hardinfo.log"\n' "$work" > "$work/bin/hardinfo"
chmod +x "$work/bin/hardinfo"

# The Help menu (second on the menu bar), then "About Vellumar...".
open_about() {
    activate_window "$main"
    xdotool mousemove --window "$main" 115 9 click 1
    xdotool key a
}

PATH="$work/bin:$PATH" start_program "$program"
open_about
about=$(wait_for_window "About Vellumar")
activate_window "$about"
screenshot "$about" "$shots/about-window.png"
xdotool key alt+s
poll_until test -e "$work/hardinfo.log" || fail "System Info did not start the tool found on PATH"

open_about
poll_until active "$about" || fail "asking again did not bring the About window forward"
[ "$(xdotool search --onlyvisible --name '^About Vellumar$' | wc -l)" -eq 1 ] || fail "more than one About window"
xdotool key Escape
poll_until no_window "About Vellumar" || fail "Esc did not close the About window"
