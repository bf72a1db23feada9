# A private X display with a window manager, for the real-window tests and
# the Windows stage. Source it; start_x_display exports DISPLAY and sets
# XVFB_PID and WM_PID, which the caller ends when done.

# Runs a command every 0.1 s until it succeeds, for up to a minute of
# wall-clock time however long each run takes.
x_display_wait() {
    local deadline=$((SECONDS + 60))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
x_display_has_wm() { [[ $(xprop -root _NET_SUPPORTING_WM_CHECK) == *'window id'* ]]; }

# Starts Xvfb with a screen of $1 (e.g. 1024x768x24) on a display it picks
# (again if that display does not answer; -noreset: it keeps serving when its
# last client leaves), then openbox on it. Returns 1 when either fails.
start_x_display() {
    local attempt display_file
    display_file=$(mktemp)
    XVFB_PID=
    for attempt in 1 2 3; do
        : >"$display_file"
        Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$display_file" >/dev/null 2>&1 &
        XVFB_PID=$!
        x_display_wait test -s "$display_file" && export DISPLAY=":$(head -n1 "$display_file")" &&
            x_display_wait xdpyinfo && break
        { kill "$XVFB_PID"; wait "$XVFB_PID"; } 2>/dev/null || true
        XVFB_PID=
    done
    rm -f "$display_file"
    [ -n "$XVFB_PID" ] || { echo "Xvfb did not start" >&2; return 1; }
    openbox --sm-disable >/dev/null 2>&1 &
    WM_PID=$!
    x_display_wait x_display_has_wm || { echo "openbox did not start" >&2; return 1; }
}
