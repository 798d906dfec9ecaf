# GNOME's session manager, as much of it as an idle watch asks: whether an
# application inhibits idling. It starts with two inhibitors; each SIGUSR1
# removes one (the signal InhibitorRemoved). Prints "ready" once it owns its
# name on the session bus, "asked" for each question.
import signal

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.gnome.SessionManager"
INHIBIT_IDLE = 8


class SessionManager(dbus.service.Object):
    inhibitors = 2

    @dbus.service.method(NAME, in_signature="u", out_signature="b")
    def IsInhibited(self, flags):
        print("asked", flush=True)
        return bool(flags & INHIBIT_IDLE) and self.inhibitors > 0

    @dbus.service.signal(NAME, signature="o")
    def InhibitorRemoved(self, inhibitor):
        pass


def remove_inhibitor():
    manager.inhibitors -= 1
    manager.InhibitorRemoved(f"/org/gnome/SessionManager/Inhibitor{manager.inhibitors + 1}")
    return True


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
owned = dbus.service.BusName(NAME, bus)
manager = SessionManager(bus, "/org/gnome/SessionManager")
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, remove_inhibitor)
print("ready", flush=True)
GLib.MainLoop().run()
