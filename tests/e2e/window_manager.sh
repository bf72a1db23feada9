#!/usr/bin/env bash
# Real windows under a window manager (openbox), driven from outside: the
# clipboard after Exit, a minimised batch window brought back, the focus after
# a message box, one password per line, and a long batch stopped with Esc.
# Arguments: the program, the screenshots folder.
set -euo pipefail
program=$1
shots=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_xvfb
openbox --sm-disable >/dev/null 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null || true; stop_xvfb' EXIT
wait_for_output_matching '_NET_SUPPORTING_WM_CHECK.*window id' xprop -root _NET_SUPPORTING_WM_CHECK

targets() { xclip -o -selection clipboard -t TARGETS 2>/dev/null; }
active_window() { xdotool getactivewindow 2>/dev/null; }

# --- "Copy Without Closing", then "Exit": the password stays, marked secret.
"$program" &
APP_PID=$!
main=$(wait_for_window Vellumar)
xdotool windowactivate --sync "$main"
xdotool key alt+p
sleep 0.3
xdotool key alt+w
wait_for_output_matching '^[a-z0-9]{7}$' clipboard
password=$(clipboard)
grep -qx 'x-kde-passwordManagerHint' <<<"$(targets)" || fail "the program offers no secret hint"
xdotool key alt+e
wait_for_exit
[ "$(clipboard)" = "$password" ] || fail "clipboard after Exit: '$(clipboard)'"
grep -qx 'x-kde-passwordManagerHint' <<<"$(targets)" || fail "the owner process offers no secret hint"

# --- A minimised batch window comes back with "Many...".
"$program" &
APP_PID=$!
main=$(wait_for_window Vellumar)
xdotool windowactivate --sync "$main"
# Focus starts on chkUpper; "Many..." is the eleventh stop.
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
batch=$(wait_for_window "Multiple Password Generator")
xdotool windowminimize --sync "$batch"
xdotool windowactivate --sync "$main"
xdotool key space  # "Many..." still has the focus
batch=$(wait_for_window "Multiple Password Generator")
wait_for_output_matching "^$batch\$" active_window

# --- After a message box the focus is back in the batch window.
xdotool key ctrl+a
xdotool type --delay 30 abc
xdotool key alt+g
other_vellumar_window() { xdotool search --onlyvisible --name '^Vellumar$' | grep -vx "$main" | head -n1; }
wait_for_output_matching . other_vellumar_window
box=$(other_vellumar_window)
wait_for_output_matching "^$box\$" active_window
xdotool key Return
wait_for_output_matching "^$batch\$" active_window

# --- One password per line: a triple-click selects exactly one.
xdotool key ctrl+a
xdotool type --delay 30 20
xdotool key alt+g
sleep 0.5
xdotool mousemove --window "$batch" 100 130 click --repeat 3 --delay 80 1
xdotool key ctrl+c
wait_for_output_matching '^[a-z0-9]{7}' clipboard
selected=$(clipboard | tr -d '\r')
[[ $selected =~ ^[a-z0-9]{7}$ ]] || fail "a triple-click selected '$selected'"
screenshot_window "$batch" "$shots/batch-window-openbox.png"

# --- A long batch shows its progress and stops on Esc; the list keeps what
# was made and the program still responds.
xdotool windowactivate --sync "$main"
xdotool key --delay 30 Tab Tab Tab ctrl+a   # from "Many..." round to the length field
xdotool type --delay 30 1024
xdotool windowactivate --sync "$batch"
xdotool key --delay 30 Tab Tab ctrl+a       # from the list, past Close, to the count
xdotool type --delay 30 32767
xdotool key alt+g
wait_for_output_matching . xdotool search --name '^Multiple Password Generator \(.* of 32.767\)$'
stopped=$(date +%s%N)
xdotool key Escape
wait_for_output_matching . xdotool search --name '^Multiple Password Generator$'
echo "a long batch stopped $(( ($(date +%s%N) - stopped) / 1000000 )) ms after Esc"
xdotool key --delay 30 Tab Tab Tab ctrl+a ctrl+c  # count, Save, Generate, list
wait_for_output_matching '^[a-z0-9]{1024}' clipboard
lines=$(clipboard | wc -l)
[ "$lines" -gt 0 ] && [ "$lines" -lt 32767 ] || fail "$lines lines after Esc"
echo "$lines passwords kept"
xdotool windowactivate --sync "$main"
xdotool key alt+e
wait_for_exit
echo "window manager real-window test passed"
