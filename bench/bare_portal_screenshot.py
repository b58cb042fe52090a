#!/usr/bin/env python3
"""Times the desktop portal's Screenshot call alone, from the call to its answer, ROUNDS times;
prints one figure in milliseconds a line and removes the pictures the portal wrote."""
import os
import sys
import time
from urllib.parse import unquote, urlparse

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
sender = bus.get_unique_name()[1:].replace(".", "_")
loop = GLib.MainLoop()
answer = {}


def on_response(_bus, _sender, _path, _interface, _signal, parameters):
    answer["results"] = parameters.unpack()
    loop.quit()


for i in range(int(sys.argv[1])):
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
