#!/usr/bin/env bash
# The clipboard owner process on a real X server: it serves the text it was
# given (one character, a few, the longest password), marked as a secret,
# keeps neither the folder nor the descriptors it was started with, and ends
# once another program takes the clipboard.
# Argument: the program.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
start_display
cd "$work"  # started here, with its error output and one more descriptor on files here
let_go() { local fds; fds=$(ls -l "/proc/$APP_PID/fd" "/proc/$APP_PID/cwd") && [[ $fds != *"$work"* ]]; }
longest=$(head -c 32767 /dev/zero | tr '\0' 'q')
for text in x 'Pa55 word' "$longest"; do
    printf '%s' "$text" | "$1" --internal-clipboard-owner > "$work/ready" 2> "$work/errors" 7> "$work/held" &
    APP_PID=$!
    poll_until test -s "$work/ready" || fail "the owner did not report"
    poll_until let_go || fail "the owner keeps: $(ls -l "/proc/$APP_PID/fd" "/proc/$APP_PID/cwd" | grep -F "$work")"
    [ "$(clipboard)" = "$text" ] || fail "clipboard: '$(clipboard | head -c 40)' for '${text:0:40}'"
    clipboard -t TARGETS | grep -qx x-kde-passwordManagerHint || fail "no secret hint"
    printf other | xclip -selection clipboard
    wait_for_exit "$APP_PID"
    [ "$(clipboard)" = other ] || fail "clipboard after the owner: '$(clipboard)'"
    rm "$work/ready"
done
