#!/usr/bin/env bash
# The three windows as a screen reader meets them (AT-SPI): every control's role, name, description and
# labels in reading order, and the controls Tab reaches from the one focused at opening, round to it again.
# Arguments: the program (and the screenshots folder, unused).
set -euo pipefail
# A private session bus, on which the accessibility bus and its registry start on demand.
[ -n "${VELLUMAR_OWN_BUS:-}" ] || VELLUMAR_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
program=$1
. "$(dirname "$0")/window_lib.sh"
start_display
# Qt joins the accessibility bus only if it runs when the program starts.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$program"

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
import os, subprocess, sys, time
import pyatspi

CONTAINERS = ("frame", "dialog", "filler", "menu bar", "menu item", "popup menu")
RELATIONS = {pyatspi.RELATION_LABELLED_BY: "labelled-by", pyatspi.RELATION_LABEL_FOR: "label-for"}

def wait(find, failure=None, seconds=60):
    """find()'s first true result, asked every 0.1 s for up to seconds of wall-clock time; then None, or
    the test fails with the failure text."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = find()
        except Exception:  # nothing yet, or the tree changed while it was read
            found = None
        if found or time.monotonic() > deadline:
            return found or (failure and sys.exit(f"FAIL: {failure}"))
        time.sleep(0.1)

def window(title):
    pid = int(os.environ["APP_PID"])
    program = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid)
    return next(w for w in program if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING))

def descendants(node):
    yield node
    if node.getRoleName() in CONTAINERS:
        for child in node:
            yield from descendants(child)

def press(root, name):
    next(n for n in descendants(root) if n.name == name).queryAction().doAction(0)

def tree(node, depth=0):
    line = f'{"  " * depth}{node.getRoleName()} "{node.name}"' + (" described" if node.description else "")
    for relation in node.getRelationSet():
        for i in range(relation.getNTargets()):
            if relation.getRelationType() in RELATIONS:
                line += f' {RELATIONS[relation.getRelationType()]} "{relation.getTarget(i).name}"'
    yield line
    if node.getRoleName() in CONTAINERS:
        for child in node:
            yield from tree(child, depth + 1)

def focus_moved(win, previous):
    focused = next(n.name for n in descendants(win) if n.getState().contains(pyatspi.STATE_FOCUSED))
    return focused if focused != previous else None

def activated(title):
    command = ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$", "windowactivate", "--sync"]
    return subprocess.run(command, capture_output=True, timeout=20).returncode == 0

def tab_order(title):
    """The names Tab focuses, from the control focused at opening until it comes round again."""
    win = window(title)
    wait(lambda: activated(title), f"{title} did not become active")
    order = [wait(lambda: focus_moved(win, None), f"nothing has the focus in {title}")]
    while len(order) == 1 or order[-1] != order[0] and len(order) <= 20:
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        moved = wait(lambda: focus_moved(win, order[-1]), seconds=10)
        order.append(moved or "(stays)")
        if not moved:
            break
    return "tab: " + ", ".join(order)

main = wait(lambda: window("Vellumar"), "no main window")
press(main, "Many...")
wait(lambda: window("Multiple Password Generator"), "Many... showed no batch window")
press(main, "About Vellumar...")
wait(lambda: window("About Vellumar"), "About Vellumar... showed no About window")
for title in ("Vellumar", "Multiple Password Generator", "About Vellumar"):
    print("\n".join(tree(window(title))))
    print(tab_order(title))
EOF
)
diff -u <(echo "$expected") <(echo "$actual") || fail "the accessibility tree differs from the table (- expected, + found)"
