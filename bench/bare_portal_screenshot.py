#!/usr/bin/env python3
"""Times the desktop portal's Screenshot call alone, from the call to its answer, ROUNDS times;
prints one figure in milliseconds a line and removes the pictures the portal wrote.
With a second argument `hide`, each call comes right after a window of this program has left the
screen (shown for a second, hidden, the compositor told): the desktop's own work for a window
that goes, which any program capturing without its window causes."""
import os
import sys
import time
from urllib.parse import unquote, urlparse

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
sender = bus.get_unique_name()[1:].replace(".", "_")
loop = GLib.MainLoop()
answer = {}
hiding = sys.argv[2:] == ["hide"]
if hiding:
    import gi
    gi.require_version("Gtk", "4.0")
    from gi.repository import Gtk
    Gtk.init()


def on_response(_bus, _sender, _path, _interface, _signal, parameters):
    answer["results"] = parameters.unpack()
    loop.quit()


def window_left():
    window = Gtk.Window(title="bench window", default_width=400, default_height=300)
    window.present()
    GLib.timeout_add(1000, loop.quit)
    loop.run()
    window.hide()
    window.get_display().sync()


for i in range(int(sys.argv[1])):
    if hiding:
        window_left()
    token = "bench%d_%d" % (os.getpid(), i)
    path = "/org/freedesktop/portal/desktop/request/%s/%s" % (sender, token)
    subscription = bus.signal_subscribe("org.freedesktop.portal.Desktop", "org.freedesktop.portal.Request",
                                        "Response", path, None, Gio.DBusSignalFlags.NONE, on_response)
    start = time.monotonic()
    bus.call_sync("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Screenshot",
                  "Screenshot", GLib.Variant("(sa{sv})", ("", {"handle_token": GLib.Variant("s", token),
                                                              "interactive": GLib.Variant("b", False)})),
                  None, Gio.DBusCallFlags.NONE, 30000, None)
    loop.run()
    print(int((time.monotonic() - start) * 1000), flush=True)
    bus.signal_unsubscribe(subscription)
    code, results = answer["results"]
    if code == 0:
        os.remove(unquote(urlparse(results["uri"]).path))
    time.sleep(0.5)
