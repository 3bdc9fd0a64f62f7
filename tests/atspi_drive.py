#!/usr/bin/python3
"""Drives the sorvane program only through the accessibility bus (AT-SPI), as
screen readers and voice control drive it: turns accessibility on, starts the
program in a scratch folder, finds the window by its caption and the fields by
their accessible names, types 2412 and 31 through the editable-text interface,
presses "Calculate and Show" through its action, and checks airfoil.txt byte
for byte and the three ratio fields. Then types 2012 and checks that the
camber-position message is announced and can be dismissed through its OK
button. Runs inside a private session bus (dbus-run-session) on whatever
display the environment names.

    /usr/bin/python3 tests/atspi_drive.py BINARY EXPECTED_FILE PLATFORM
"""
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

CAPTION = "NACA 4 digit airfoil Coordinate Generator"
CAMBER_MESSAGE = "Max Camber point must be between the leading and trailing edges ( 0 <xF< 1 ) !"
DEADLINE = 15.0  # seconds any one condition may take


class Failure(Exception):
    pass


def wait_for(what, condition, program):
    """Polls the condition until it gives something, the program ends, or the deadline passes."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        if program.poll() is not None:
            raise Failure(f"the program exited early (status {program.returncode}) while waiting for {what}")
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    raise Failure(f"timed out after {DEADLINE:.0f} s waiting for {what}")


def descendants(accessible):
    for index in range(accessible.get_child_count()):
        child = accessible.get_child_at_index(index)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, predicate):
    try:
        root.clear_cache()  # windows come and go: ask the program, not what was seen before
        return next((a for a in descendants(root) if predicate(a)), None)
    except GLib.Error:
        return None  # the tree changed under us; ask again


def program_windows(pid):
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        application = desktop.get_child_at_index(index)
        if application is not None and application.get_process_id() == pid:
            return application
    return None


def enable_accessibility():
    """What a screen reader does on start: tells every program to expose itself."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def text_of(accessible):
    return accessible.get_text(0, -1)


def drive(binary, expected, platform):
    enable_accessibility()
    Atspi.init()
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, QT_QPA_PLATFORM=platform, LC_ALL="C.UTF-8")
        log = open(os.path.join(folder, "program.log"), "w")
        program = subprocess.Popen([binary], cwd=folder, env=env, stdout=log, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL)
        try:
            application = wait_for("the program on the accessibility bus", lambda: program_windows(program.pid),
                                   program)
            window = wait_for(f"the window '{CAPTION}'",
                              lambda: find(application, lambda a: a.get_name() == CAPTION), program)

            def field(name):
                return wait_for(f"the field '{name}'", lambda: find(window, lambda a: a.get_name() == name),
                                program)

            code, count = field("NACA code"), field("Number of points")
            button = wait_for("the button 'Calculate and Show'",
                              lambda: find(window, lambda a: a.get_name() == "Calculate and Show"
                                           and a.get_role() == Atspi.Role.PUSH_BUTTON), program)

            code.set_text_contents("2412")
            count.set_text_contents("31")
            button.do_action(0)

            path = os.path.join(folder, "airfoil.txt")
            written = wait_for("airfoil.txt", lambda: os.path.exists(path) and open(path, "rb").read(), program)
            if written != expected:
                raise Failure(f"airfoil.txt differs from the expected text; it begins {written[:60]!r}")
            ratios = {name: text_of(field(name)) for name in ("Camber Ratio", "Max Camber Loc", "Thickness Ratio")}
            if ratios != {"Camber Ratio": "0.02", "Max Camber Loc": "0.4", "Thickness Ratio": "0.12"}:
                raise Failure(f"ratio fields read {ratios}")

            code.set_text_contents("2012")
            button.do_action(0)
            label = wait_for("the camber-position message",
                             lambda: find(application, lambda a: a.get_name() == CAMBER_MESSAGE), program)
            dialog = label.get_parent()
            if dialog.get_role() != Atspi.Role.ALERT or dialog.get_name() != "Sorvane":
                raise Failure(f"the message stands in a {dialog.get_role_name()} named {dialog.get_name()!r}, "
                              "not in the alert 'Sorvane'")
            ok = wait_for("the message box's OK button",
                          lambda: find(dialog, lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON
                                       and a.get_name().replace("&", "") == "OK"), program)
            ok.do_action(0)
            wait_for("the message box to close",
                     lambda: find(application, lambda a: a.get_name() == CAMBER_MESSAGE) is None, program)
            if open(path, "rb").read() != expected:
                raise Failure("the turned-away code changed airfoil.txt")
            print(f"{platform}: driven through AT-SPI: airfoil.txt ({len(written)} bytes) and the ratios right, "
                  "the camber-position message announced and dismissed")
        except Failure as failure:
            log.flush()
            tail = open(os.path.join(folder, "program.log")).read()[-2000:]
            raise Failure(f"{failure}{chr(10) + 'program output:' + chr(10) + tail if tail else ''}")
        finally:
            program.terminate()
            try:
                program.wait(5)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()
            log.close()


def main():
    binary, expected_file, platform = sys.argv[1:4]
    try:
        drive(binary, open(expected_file, "rb").read(), platform)
    except Failure as failure:
        print(f"FAIL ({platform}): {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
