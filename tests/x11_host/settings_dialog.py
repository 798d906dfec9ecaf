#!/usr/bin/python3
"""Drives XScreenSaver's settings program as a user does, through its
accessibility interface, finding each control by its name rather than by
where it is drawn: opens Kelvaris's settings dialog with the main window's
"Settings..." button, types a count into the field labelled "Satellites",
leaves the field (which is when the program takes the typed text) and
presses "Save". Exits 1, saying which control was missing, when one is.
Every wait is bounded by 60 s, only against a hang.
Usage: settings_dialog.py COUNT
"""
import sys
import time

import pyatspi


def wait_for(what, find):
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"settings_dialog: no {what}")


def descendant(root, role, name):
    return pyatspi.findDescendant(root, lambda o: o.getRoleName() == role and o.name == name, breadth_first=True)


def settings_program():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a.name == "xscreensaver-settings"), None)


def main(count):
    app = wait_for("settings program", settings_program)
    wait_for("Settings... button", lambda: descendant(app, "push button", "Settings...")).queryAction().doAction(0)
    dialog = wait_for("settings dialog", lambda: next((w for w in app if w.getRoleName() == "dialog"), None))
    label = wait_for("Satellites field", lambda: descendant(dialog, "label", "Satellites"))
    field = next((c for c in label.parent if c.getRoleName() == "spin button"), None)
    if field is None:
        sys.exit("settings_dialog: no field beside the Satellites label")
    field.queryComponent().grabFocus()
    field.queryEditableText().setTextContents(count)
    descendant(dialog, "check box", "Show frame rate").queryComponent().grabFocus()
    descendant(dialog, "push button", "Save").queryAction().doAction(0)


main(sys.argv[1])
