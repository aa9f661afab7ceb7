#!/usr/bin/python3
"""pexa as a screen reader sees it: the window's accessibility tree read over
AT-SPI from another process, as Orca reads it, while real keys (XTest, through
xdotool) are typed into the window.

    accessibility_test.py PEXA_EXECUTABLE

Runs on a private X server and a private session bus (ctest starts it through
accessibility_test.sh); the AT-SPI bus is started by the session bus on the
first request. The program runs from a copy in a temporary folder, with a
settings file of its own that chooses English.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

TIMEOUT = 20.0
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, file=sys.stderr)
    return condition


def pump_events():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe until it gives something other than None or False."""
    end = time.monotonic() + timeout
    while True:
        pump_events()
        try:
            found = probe()
        except GLib.Error:
            # An object went away while the tree was read; read it again.
            found = None
        if found not in (None, False):
            return found
        if time.monotonic() > end:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(0.05)


def walk(node):
    if node is None:
        return
    yield node
    for child in node:
        yield from walk(child)


def find(app, role, name):
    for node in walk(app):
        if node.getRole() == role and node.name == name:
            return node
    return None


def bar_text(app, name):
    bar = find(app, pyatspi.ROLE_TEXT, name)
    return bar.queryText().getText(0, -1) if bar is not None else None


class FocusTracker:
    """The object a screen reader takes for the focused one: the last that
    announced it gained the focus (object:state-changed:focused)."""

    def __init__(self):
        self.holder = None
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")

    def on_focus(self, event):
        if event.detail1 == 1:
            self.holder = event.source

    def name(self):
        holder = self.holder
        try:
            if holder is None or not holder.getState().contains(pyatspi.STATE_FOCUSED):
                return None
            return "%s (%s)" % (holder.name, holder.getRoleName())
        except GLib.Error:
            return None


def wait_for_text(app, name, expected):
    try:
        return wait_for(
            "the %s bar to show %r" % (name, expected),
            lambda: bar_text(app, name) == expected,
        )
    except TimeoutError as error:
        return check(False, "%s (it shows %r)" % (error, bar_text(app, name)))


def wait_for_focus(focus, name):
    expected = "%s (text)" % name
    try:
        return wait_for("the %s bar to hold the focus" % name, lambda: focus.name() == expected)
    except TimeoutError as error:
        return check(False, "%s (focused: %s)" % (error, focus.name()))


def run_action(app, role, name, action):
    control = wait_for("the control %r" % name, lambda: find(app, role, name))
    actions = control.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if check(action in names, "%r offers %s (it offers %s)" % (name, action, names)):
        actions.doAction(names.index(action))


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "20"] + list(names), check=True)


def main():
    executable = sys.argv[1]
    work = tempfile.mkdtemp(prefix="pexa-a11y-")
    program = None
    text_events = []

    def on_text_inserted(event):
        text_events.append((event.source.name, event.any_data))

    try:
        shutil.copy(executable, os.path.join(work, "pexa"))
        with open(os.path.join(work, "pexa.ini"), "w") as ini:
            ini.write("[View]\nLanguage=en\n")
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        program = subprocess.Popen([os.path.join(work, "pexa")], env=environment)

        def pexa_app():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "pexa" and app.childCount > 0:
                    return app
            return None

        focus = FocusTracker()
        app = wait_for("pexa on the accessibility bus", pexa_app)
        window = wait_for("the main window's id", lambda: subprocess.run(
            ["xdotool", "search", "--pid", str(program.pid), "--name", "^pexa"],
            capture_output=True, text=True).stdout.split())
        # No window manager runs: the window is given the keyboard directly.
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)

        # Every bar is one object named after its notation, holding its text;
        # the active bar holds the focus.
        wait_for_text(app, "Decimal", "0")
        wait_for_text(app, "Hexadecimal", "0000 0000")
        wait_for_focus(focus, "Decimal")

        pyatspi.Registry.registerEventListener(on_text_inserted, "object:text-changed:insert")
        keys("4", "2")
        wait_for_text(app, "Decimal", "42")
        wait_for_text(app, "Hexadecimal", "0000 002A")
        try:
            wait_for("the Decimal bar to announce 42",
                     lambda: ("Decimal", "42") in text_events)
        except TimeoutError as error:
            check(False, "%s (events: %r)" % (error, text_events))
        check(focus.name() == "Decimal (text)", "typing leaves the focus on the active bar")

        # Tab makes the next bar active, and the focus follows it.
        keys("Tab")
        wait_for_focus(focus, "Hexadecimal")

        # The tool bar's switch for the binary bar, by its Toggle action: the
        # bar opens, active, showing the value.
        run_action(app, pyatspi.ROLE_CHECK_BOX, "Binary bar", "Toggle")
        wait_for_text(app, "Binary", "0000 0000 0000 0000 0000 0000 0010 1010")
        wait_for_focus(focus, "Binary")

        # The Word mode button, by its Toggle action: the mode changes, and
        # only its button is checked.
        run_action(app, pyatspi.ROLE_CHECK_BOX, "Word mode", "Toggle")
        wait_for_text(app, "Hexadecimal", "002A")

        def checked(name):
            node = find(app, pyatspi.ROLE_CHECK_BOX, name)
            return node is not None and node.getState().contains(pyatspi.STATE_CHECKED)

        check(checked("Word mode") and not checked("DWord mode"),
              "only the Word mode button is checked after its Toggle")

        # The expression line takes the keyboard and gives it back to the
        # active bar.
        keys("ctrl+l")
        wait_for("the expression line to take the focus",
                 lambda: focus.name() not in (None, "Binary (text)"))
        keys("Escape")
        wait_for_focus(focus, "Binary")

        # A menu opened from the keyboard and closed again: the focus returns
        # to the active bar.
        keys("alt+v")
        wait_for("the View menu to take the focus",
                 lambda: focus.name() not in (None, "Binary (text)"))
        keys("Escape")
        wait_for_focus(focus, "Binary")
        keys("Escape")
        wait_for_text(app, "Decimal", "0")
    except TimeoutError as error:
        check(False, str(error))
    finally:
        if program is not None:
            program.send_signal(signal.SIGTERM)
            try:
                program.wait(timeout=TIMEOUT)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()
        shutil.rmtree(work, ignore_errors=True)

    if failures:
        print("accessibility_test: %d check(s) failed" % len(failures), file=sys.stderr)
        return 1
    print("accessibility_test: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
