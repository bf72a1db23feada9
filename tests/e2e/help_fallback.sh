#!/usr/bin/env bash
# "Help Contents..." of the installed program without a CHM viewer: a fake
# xdg-open on PATH fails for the help file; when it opens HTML pages, the
# guide's first page is opened and nothing is shown; when it fails for those
# too, the message appears.
# Arguments: program, screenshots folder, build folder.
set -euo pipefail
build=$3
. "$(dirname "$0")/xvfb_lib.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
folder="$prefix/libexec/vellumar"

mkdir -p "$work/bin"
cat > "$work/bin/xdg-open" <<FAKE
#!/bin/sh
printf '%s\n' "\$1" >> "$work/opened.log"
case "\$1" in
*.html) [ "\$(cat "$work/html")" = opens ] && exit 0 ;;
esac
exit 3
FAKE
chmod +x "$work/bin/xdg-open"

windows_named_vellumar() { xdotool search --onlyvisible --name '^Vellumar$' 2>/dev/null | wc -l; }

start_xvfb
trap 'stop_xvfb; rm -rf "$work"' EXIT
cd /
for html in opens fails; do
    echo "$html" > "$work/html"
    : > "$work/opened.log"
    PATH="$work/bin:$PATH" "$prefix/bin/vellumar" &
    APP_PID=$!
    main=$(wait_for_window Vellumar)
    focus_window "$main"
    xdotool mousemove --window "$main" 115 9 click 1
    sleep 0.4
    xdotool key Down Return
    expected=$(printf '%s\n%s' "$folder/vellumar100.chm" "$folder/help/index.html")
    wait_for_output "$expected" cat "$work/opened.log" || fail "HTML guide $html: opened '$(cat "$work/opened.log")'"
    if [ "$html" = opens ]; then
        sleep 0.5
        [ "$(windows_named_vellumar)" -eq 1 ] || fail "a message although the guide was opened"
    else
        wait_for_output 2 windows_named_vellumar || fail "no message when neither the help file nor the guide opens"
    fi
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
done
echo "help falls back to the HTML guide, then to the message"
