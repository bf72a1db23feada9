#!/usr/bin/env bash
# The three windows as a screen reader meets them (AT-SPI): every control's role, name, description and
# labels in reading order, and the controls Tab reaches from the one focused at opening, round to it again.
# Arguments: the program (and the screenshots folder, unused).
set -euo pipefail
# A private session bus, on which the accessibility bus and its registry start on demand.
[ -n "${VELLUMAR_OWN_BUS:-}" ] || VELLUMAR_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
. "$(dirname "$0")/window_lib.sh"
start_display
# Qt joins the accessibility bus only if it runs when the program starts.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$1"

# Per window: its tree (indent: depth; "described": it has a description), then the Tab order.
expected=$(cat <<'EOF'
frame "Vellumar"
  filler ""
    check box "Use Upper Case Letters"
    check box "Use Lower Case Characters"
    check box "Use Numbers"
    check box "Use Special Characters"
    text "Number of Characters" labelled-by "Number of Characters:"
    label "Number of Characters:" label-for "Number of Characters"
    push button "Create Password"
    push button "Many..."
    text "Password" described
    push button "Copy and Close"
    push button "Copy Without Closing"
    push button "Exit"
  menu bar ""
    menu item "Visit Website"
    menu item "Help"
      popup menu ""
        menu item "Help Contents..."
        menu item "About Vellumar..."
tab: Use Upper Case Letters, Use Lower Case Characters, Number of Characters, Create Password, Password, Use Numbers, Use Special Characters, Copy and Close, Exit, Copy Without Closing, Many..., Use Upper Case Letters
dialog "Multiple Password Generator"
  label "Number of Passwords:" label-for "Number of Passwords"
  text "Number of Passwords" described labelled-by "Number of Passwords:"
  push button "Generate"
  text "Passwords" described
  push button "Save To File ..."
  push button "Close"
tab: Number of Passwords, Save To File ..., Generate, Passwords, Close, Number of Passwords
dialog "About Vellumar"
  image "Vellumar logo"
  label "Vellumar"
  label "Version 1.0.0"
  label "A light utility to create random passwords.  A version of the password generator in our password management software Quillory."
  separator ""
  separator ""
  text "Legal notice"
  push button "OK"
  push button "System Info..."
tab: OK, System Info..., Legal notice, OK
EOF
)

actual=$(APP_PID=$APP_PID /usr/bin/python3 - <<'EOF'
import contextlib, os, subprocess, sys, time
import pyatspi

def wait(find, failure=None, seconds=60):
    """find()'s first true result, asked every 0.1 s for seconds of wall-clock time; else None or the failure."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        with contextlib.suppress(Exception):  # nothing yet, or the tree changed while it was read
            if found := find():
                return found
        time.sleep(0.1)
    failure and sys.exit(f"FAIL: {failure}")

def window(title):
    program = next(a for a in pyatspi.Registry.getDesktop(0) if a.get_process_id() == int(os.environ["APP_PID"]))
    return next(w for w in program if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING))

def nodes(node, depth=0):
    yield depth, node
    if node.getRoleName() in ("frame", "dialog", "filler", "menu bar", "menu item", "popup menu"):
        for child in node:
            yield from nodes(child, depth + 1)

def line(depth, node):
    text = f'{"  " * depth}{node.getRoleName()} "{node.name}"' + " described" * bool(node.description)
    for relation in node.getRelationSet():
        kind = {pyatspi.RELATION_LABELLED_BY: "labelled-by", pyatspi.RELATION_LABEL_FOR: "label-for"}
        if relation.getRelationType() in kind:
            for i in range(relation.getNTargets()):
                text += f' {kind[relation.getRelationType()]} "{relation.getTarget(i).name}"'
    return text

def focused(win):
    return next(n.name for _, n in nodes(win) if n.getState().contains(pyatspi.STATE_FOCUSED))

def tab_order(title):
    """The names Tab focuses, from the control focused at opening until it comes round again."""
    win = window(title)
    activate = ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$", "windowactivate", "--sync"]
    wait(lambda: subprocess.run(activate, capture_output=True, timeout=20).returncode == 0, f"{title} inactive")
    order = [wait(lambda: focused(win), f"nothing has the focus in {title}")]
    while len(order) == 1 or order[0] != order[-1] != "(stays)" and len(order) <= 20:
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        order.append(wait(lambda: focused(win) != order[-1] and focused(win), seconds=10) or "(stays)")
    return "tab: " + ", ".join(order)

main = wait(lambda: window("Vellumar"), "no main window")
for item, title in (("Many...", "Multiple Password Generator"), ("About Vellumar...", "About Vellumar")):
    next(n for _, n in nodes(main) if n.name == item).queryAction().doAction(0)
    wait(lambda: window(title), f"{item} showed no window")
for title in ("Vellumar", "Multiple Password Generator", "About Vellumar"):
    print(*(line(depth, node) for depth, node in nodes(window(title))), tab_order(title), sep="\n")
EOF
)
diff -u <(echo "$expected") <(echo "$actual") || fail "the accessibility tree differs from the table (- expected, + found)"
