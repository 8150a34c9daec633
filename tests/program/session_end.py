"""Ends the real program's session through a stand-in GNOME session manager: the program registers
with the id it was started with, agrees that the session may end and runs on, then ends cleanly
with the session, or when told to stop. Run in a D-Bus session of its own (dbus-run-session).
usage: session_end.py QUILLOMAT"""
import os
import subprocess
import sys
import time

from gi.repository import Gio, GLib

MANAGER = "org.gnome.SessionManager"
CLIENT_PATH = "/org/gnome/SessionManager/Client1"
CLIENT_INTERFACE = "org.gnome.SessionManager.ClientPrivate"
STARTUP_ID = "quillomat-session-test"
INTERFACES = Gio.DBusNodeInfo.new_for_xml("""<node>
  <interface name="org.gnome.SessionManager">
    <method name="RegisterClient">
      <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="o" direction="out"/>
    </method>
  </interface>
  <interface name="org.gnome.SessionManager.ClientPrivate">
    <method name="EndSessionResponse">
      <arg type="b" direction="in"/><arg type="s" direction="in"/>
    </method>
  </interface>
</node>""").interfaces


class Failure(Exception):
    pass


class StandInManager:
    """Takes one process at a time as its client, recording its calls; turns others away."""

    def __init__(self, bus):
        self.bus = bus
        self.client_process = None
        self.client = None
        self.registrations = []
        self.responses = []
        bus.register_object("/org/gnome/SessionManager", INTERFACES[0], self.on_call)
        bus.register_object(CLIENT_PATH, INTERFACES[1], self.on_call)
        request = GLib.Variant("(su)", (MANAGER, Gio.BusNameOwnerFlags.DO_NOT_QUEUE))
        owned = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "RequestName", request, None,
                              Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]
        if owned != 1:
            raise Failure("the stand-in manager could not take its name")

    def on_call(self, connection, sender, path, interface, method, parameters, invocation):
        if method == "RegisterClient":
            process = self.bus.call_sync(
                "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "GetConnectionUnixProcessID", GLib.Variant("(s)", (sender,)), None,
                Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]
            if process != self.client_process:
                invocation.return_dbus_error("org.gnome.SessionManager.AlreadyRegistered",
                                             "Not the process under test")
                return
            self.client = sender
            self.registrations.append(parameters.unpack())
            invocation.return_value(GLib.Variant("(o)", (CLIENT_PATH,)))
        else:
            if sender == self.client:
                self.responses.append(parameters.unpack())
            invocation.return_value(None)

    def tell(self, signal, arguments=None):
        self.bus.emit_signal(None, CLIENT_PATH, CLIENT_INTERFACE, signal, arguments)

    def settle(self):
        """Returns once the client has handled every signal told so far, and its answers are in:
        its main loop answers a call of the toolkit's only after them."""
        self.bus.call_sync(self.client, "/org/quillomat/Quillomat", "org.gtk.Actions", "List",
                           None, None, Gio.DBusCallFlags.NONE, 60000, None)
        while GLib.MainContext.default().iteration(False):
            pass


def wait_until(condition, what, running=None, every=None):
    """Serves the bus until `condition` holds, while `running` runs; `every` runs every 0.2 s."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + 60
    next_time = time.monotonic()
    while time.monotonic() < deadline:
        if condition():
            return
        if running and running.poll() is not None:
            raise Failure("the program ended (status %d) before %s" % (running.returncode, what))
        if every and time.monotonic() >= next_time:
            every()
            next_time = time.monotonic() + 0.2
        if not context.iteration(False):
            time.sleep(0.02)
    raise Failure("never came: " + what)


def ends_cleanly(program):
    wait_until(lambda: program.poll() is not None, "the program's end")
    if program.returncode != 0:
        raise Failure("the program ended with status %d" % program.returncode)


def asked_then_ended(manager, program):
    # Asked again until it answers: the program hears the manager only once its client is set up.
    wait_until(lambda: manager.responses, "an answer to whether the session may end", program,
               every=lambda: manager.tell("QueryEndSession", GLib.Variant("(u)", (0,))))
    manager.settle()
    answers = len(manager.responses)
    manager.tell("EndSession", GLib.Variant("(u)", (0,)))
    # The answer may come in after the program has gone.
    wait_until(lambda: len(manager.responses) > answers, "an answer to the session's end")
    ends_cleanly(program)
    if any(response != (True, "") for response in manager.responses):
        raise Failure("the program answered " + repr(manager.responses))


def told_to_stop(manager, program):
    # Told again until it ends, as the first times may come before it listens.
    wait_until(lambda: program.poll() is not None, "the program's end",
               every=lambda: manager.tell("Stop"))
    ends_cleanly(program)


def run_case(manager, case):
    manager.registrations.clear()
    manager.responses.clear()
    # Nothing leaves the machine: every page request goes to a closed loopback port.
    program = subprocess.Popen([sys.argv[1]], env=dict(
        os.environ, http_proxy="http://127.0.0.1:9", DESKTOP_AUTOSTART_ID=STARTUP_ID))
    manager.client_process = program.pid
    try:
        wait_until(lambda: manager.registrations, "the program's registration", program)
        if manager.registrations[0] != ("org.quillomat.Quillomat", STARTUP_ID):
            raise Failure("the program registered as " + repr(manager.registrations[0]))
        case(manager, program)
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


manager = StandInManager(Gio.bus_get_sync(Gio.BusType.SESSION, None))
failed = 0
for name, case in [("asked, then ended", asked_then_ended), ("told to stop", told_to_stop)]:
    try:
        run_case(manager, case)
    except Failure as failure:
        print(name + ": " + str(failure))
        failed += 1
print("%d passed, %d failed" % (2 - failed, failed))
sys.exit(1 if failed else 0)
