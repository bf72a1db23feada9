#!/usr/bin/env bash
# The Windows program under wine, unpacked from its zip and driven from
# outside with the keyboard: the main window appears, Alt+P then Alt+W puts a
# password on the clipboard (wine's clipboard is the X clipboard), and
# "&Copy and Close" ends the program with the new password still there.
# Arguments: the zip, the screenshots folder.
set -euo pipefail
zip=$1
shots=$2
. "$(dirname "$0")/window_lib.sh"
work=$(mktemp -d)
trap 'end_program; rm -rf "$work"' EXIT
folder=$(unpack_program "$zip" "$work/unpacked")

clipboard() { xclip -o -selection clipboard 2>/dev/null; }
wait_for_clipboard_matching() {
    local pattern=$1 not=${2:-} i now
    for i in $(seq 1 100); do
        now=$(clipboard || true)
        if printf '%s\n' "$now" | grep -Eqx "$pattern" && [ "$now" != "$not" ]; then
            printf '%s' "$now"
            return 0
        fi
        sleep 0.1
    done
    fail "clipboard '$(clipboard || true)' never matched $pattern"
}

start_program "$folder/vellumar.exe"
main=$(wait_for_window Vellumar)
activate_window "$main"
screenshot_window "$main" "$shots/wine-main-window.png"

# The defaults: 7 characters from a-z and 0-9.
xdotool key alt+p
xdotool key alt+w
first=$(wait_for_clipboard_matching '[a-z0-9]{7}')

# Another password, copied by "&Copy and Close": the program ends and the
# password stays readable.
xdotool key alt+p
xdotool key alt+c
wait_for_exit "$APP_PID"
APP_PID=
second=$(wait_for_clipboard_matching '[a-z0-9]{7}' "$first")
sleep 1
[ "$(clipboard || true)" = "$second" ] || fail "the clipboard lost the password after the program ended"
echo "main window under wine: passed ($first, then $second after Copy and Close)"
