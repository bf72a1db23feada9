#!/usr/bin/env bash
# The clipboard owner process on a real X server: it serves the text it was
# given, marked as a secret, and ends once another program takes the
# clipboard. Argument: the program.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
start_display
printf 'Pa55 word' | "$1" --internal-clipboard-owner > "$work/ready" &
APP_PID=$!
poll_until test -s "$work/ready" || fail "the owner did not report"
[ "$(clipboard)" = "Pa55 word" ] || fail "clipboard: '$(clipboard)'"
clipboard -t TARGETS | grep -qx x-kde-passwordManagerHint || fail "no secret hint"
printf other | xclip -selection clipboard
wait_for_exit "$APP_PID"
[ "$(clipboard)" = other ] || fail "clipboard after the owner: '$(clipboard)'"
