# Input on GNOME's compositor, sent as a remote-desktop client sends it,
# through Mutter's interface on the session bus. Reads lines "key CODE" (an
# evdev key code, pressed and released) and "move DX DY" (the pointer moved
# by that much), and answers each with "sent" once Mutter has taken it.
import sys

import dbus

bus = dbus.SessionBus()
service = "org.gnome.Mutter.RemoteDesktop"
path = bus.get_object(service, "/org/gnome/Mutter/RemoteDesktop").CreateSession(dbus_interface=service)
session = dbus.Interface(bus.get_object(service, path), service + ".Session")
session.Start()
print("started", flush=True)
for line in sys.stdin:
    word, *values = line.split()
    if word == "key":
        for pressed in (True, False):
            session.NotifyKeyboardKeycode(dbus.UInt32(int(values[0])), pressed)
    elif word == "move":
        session.NotifyPointerMotionRelative(float(values[0]), float(values[1]))
    print("sent", flush=True)
