#!/usr/bin/python3
"""Reads the running dialog through AT-SPI, the accessibility bus screen
readers use, and converts through it: text typed with the editable-text
interface, buttons pressed with their action, results read back as text.

Runs inside a private X server and session bus (CTest starts it under
in_xvfb.sh and dbus-run-session). Debian's pyatspi is built for Debian's
python3, hence the interpreter above.

Every wait has a bound: when one runs out, the test says which step waited
for what, and ends.

Usage: atspi_dialog.py PATH/TO/tarvel
"""
import os
import subprocess
import sys
import threading
import time

import pyatspi

FIELDS = ["Hex bytes", "Value", "Result"]
BUTTONS = ["32 bit float", "64 bit double", "KP to PSI", "KPa to metres"]
# (row, field typed into, text, button pressed, field read, text it shows)
CONVERSIONS = [
    ("float", "Hex bytes", "3F800000", "32 bit float", "Value", "1.000000"),
    ("metres", "Value", "200", "KPa to metres", "Result", "9.938714"),
]
failures = []
step = "set up"
# The first start on a fresh system may fill caches, and start the
# accessibility bus; a call on the bus that never returns is caught by WHOLE.
FIRST_START_SECONDS = 20
WHOLE_SECONDS = 45


def wait_for(probe, seconds):
    """Polls probe() until it returns a true value, for at most `seconds`;
    returns its last value."""
    deadline = time.monotonic() + seconds
    value = probe()
    while not value and time.monotonic() < deadline:
        time.sleep(0.05)
        value = probe()
    return value


def dialog_of(pid):
    """The top-level window of process `pid` once it shows its eight controls, or None."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for window in app:
            if window is not None and window.childCount == 8:
                return window
    return None


def text_of(field):
    """The whole text a field shows, read through its text interface."""
    text = field.queryText()
    return text.getText(0, text.characterCount)


def check(what, got, want):
    """Records a failure when `got` is not `want`."""
    if got != want:
        failures.append(f"{what}: got {got!r}, want {want!r}")


def watchdog(tarvel):
    """Ends the test, naming its step, should it still run after WHOLE_SECONDS."""
    def expire():
        print(f"FAIL: step '{step}': still waiting after {WHOLE_SECONDS} s"
              " (a call on the accessibility bus that never returned)", flush=True)
        tarvel.kill()
        os._exit(1)
    timer = threading.Timer(WHOLE_SECONDS, expire)
    timer.daemon = True
    timer.start()


def main():
    """Starts tarvel, checks it over the bus, and kills it whatever happens."""
    global step
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    step = "start tarvel"
    tarvel = subprocess.Popen([sys.argv[1]], env=env)
    watchdog(tarvel)
    try:
        dialog = wait_for(lambda: tarvel.poll() is not None or dialog_of(tarvel.pid),
                          FIRST_START_SECONDS)
        if tarvel.poll() is not None:
            failures.append(f"step '{step}': tarvel ended (status {tarvel.returncode})"
                            " before its dialog showed on the accessibility bus")
            return
        if dialog is None:
            failures.append(f"step '{step}': no dialog with eight controls on the"
                            f" accessibility bus after {FIRST_START_SECONDS} s")
            return
        step = "read the dialog"
        check("window name", dialog.name, "Tarvel")
        children = list(dialog)
        fields = {c.name: c for c in children if c.getRole() == pyatspi.ROLE_TEXT}
        buttons = {c.name: c for c in children if c.getRole() == pyatspi.ROLE_PUSH_BUTTON}
        check("text fields, by name", sorted(fields), sorted(FIELDS))
        check("push buttons, by name", sorted(buttons), sorted(BUTTONS))
        for name, field in fields.items():
            description = field.description
            if not description or "\n" in description:
                failures.append(f"{name}: description {description!r} is not one line")
        if failures:
            return
        for row, into, typed, button, read, want in CONVERSIONS:
            step = f"convert {row}"
            fields[into].queryEditableText().setTextContents(typed)
            buttons[button].queryAction().doAction(0)
            # A pressed button clicks once its press has shown: wait for it.
            wait_for(lambda: text_of(fields[read]) == want, 5.0)
            check(f"{row}: {read}", text_of(fields[read]), want)
        check("still running", tarvel.poll(), None)
    finally:
        tarvel.kill()
        tarvel.wait(10)


main()
for failure in failures:
    print("FAIL:", failure)
if not failures:
    print("dialog over AT-SPI: all checks passed")
sys.exit(1 if failures else 0)
