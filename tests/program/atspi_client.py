"""What the tests that read the real program through AT-SPI share: the accessibility bus of their
own D-Bus session, the program's application on it, and the patient search through it."""
import os
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
gi.require_version("Gio", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# The action's name is read with the call that Debian 12's at-spi2-core still offers.
warnings.simplefilter("ignore", DeprecationWarning)


def fail(message):
    print(message)
    print("0 passed, 1 failed")
    sys.exit(1)


def wait_for(condition, what, seconds=60):
    """Polls an AT-SPI answer: the program answers on its own bus, in its own time."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    fail("never came: " + what)


def descendants(accessible):
    """Every accessible below `accessible`, but those that go while they are walked (a menu that
    closes, a page that changes): their calls fail on the bus."""
    try:
        count = accessible.get_child_count()
    except GLib.Error:
        return
    for index in range(count):
        try:
            child = accessible.get_child_at_index(index)
        except GLib.Error:
            continue
        if child:
            yield child
            yield from descendants(child)


def is_a(accessible, role, name=None):
    """Whether `accessible` has the Atspi.Role `role` (compared by value: at-spi2-core 2.56 calls
    a push button "button") and, if given, the name `name`; an accessible that went has neither."""
    try:
        return accessible.get_role() == role and (name is None or accessible.get_name() == name)
    except GLib.Error:
        return False


def showing(accessible):
    try:
        return accessible.get_state_set().contains(Atspi.StateType.SHOWING)
    except GLib.Error:
        return False


def find(root, role, name):
    return next((accessible for accessible in descendants(root) if is_a(accessible, role, name)),
                None)


def use_session_accessibility_bus():
    """The program started from here and this client use this D-Bus session's accessibility bus,
    whatever other sessions share the X display. Call it before any other AT-SPI call."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    os.environ["AT_SPI_BUS_ADDRESS"] = session.call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None,
        Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]


def application_of(process):
    """The application of `process` on the accessibility bus, or None while it is not there."""
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        candidate = desktop.get_child_at_index(index)
        if candidate and candidate.get_process_id() == process.pid:
            return candidate
    return None
