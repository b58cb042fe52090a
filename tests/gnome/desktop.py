#!/usr/bin/env python3
"""Input and reference pictures for headless GNOME Shell, over mutter's and the shell's D-Bus.
    desktop.py input        lines on standard input: "key NAME..." taps the keys together
                            (X keysym names), "move X Y" puts the pointer there, "press",
                            "release" and "click" work the left button
    desktop.py shot FILE    the screen as the shell itself sees it, into FILE
    desktop.py window FILE  the focused window as the shell takes it, without its frame
"""
import sys

import gi
from gi.repository import Gio, GLib  # noqa: E402

KEYSYMS = {"Escape": 0xff1b, "Return": 0xff0d, "Tab": 0xff09, "Shift_L": 0xffe1, "Control_L": 0xffe3,
           "Left": 0xff51, "Right": 0xff53, "space": 0x20}


def keysym(name):
    return KEYSYMS[name] if name in KEYSYMS else ord(name)


def call(bus, name, path, interface, method, args, reply=None):
    return bus.call_sync(name, path, interface, method, args, reply and GLib.VariantType(reply),
                         Gio.DBusCallFlags.NONE, 10000, None)


def drive(bus):
    mutter = "org.gnome.Mutter.RemoteDesktop"
    session = call(bus, mutter, "/org/gnome/Mutter/RemoteDesktop", mutter, "CreateSession", None, "(o)")[0]
    iface = mutter + ".Session"
    call(bus, mutter, session, iface, "Start", None)

    def notify(method, args):
        call(bus, mutter, session, iface, method, GLib.Variant(*args))

    # The first key after the virtual keyboard appears is lost to clients.
    for pressed in (True, False):
        notify("NotifyKeyboardKeysym", ("(ub)", (KEYSYMS["Shift_L"], pressed)))
    print("ready", flush=True)
    at = None
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "key":
            syms = [keysym(w) for w in words[1:]]
            for sym in syms:
                notify("NotifyKeyboardKeysym", ("(ub)", (sym, True)))
            for sym in reversed(syms):
                notify("NotifyKeyboardKeysym", ("(ub)", (sym, False)))
        elif words[0] == "move":
            # Moves are not accelerated: once far to the top-left corner, then by the differences.
            if at is None:
                notify("NotifyPointerMotionRelative", ("(dd)", (-10000.0, -10000.0)))
                at = (0.0, 0.0)
            to = (float(words[1]), float(words[2]))
            notify("NotifyPointerMotionRelative", ("(dd)", (to[0] - at[0], to[1] - at[1])))
            at = to
        else:
            for pressed in {"press": (True,), "release": (False,), "click": (True, False)}[words[0]]:
                notify("NotifyPointerButton", ("(ib)", (0x110, pressed)))
        print("done", flush=True)


def shot(bus, path, window=False):
    # The shell answers only a few well-known names; on the test's own bus one of them is free.
    Gio.bus_own_name_on_connection(bus, "org.gnome.Screenshot", Gio.BusNameOwnerFlags.NONE, None, None)
    context = GLib.MainContext.default()
    for _ in range(20):
        context.iteration(False)
    method, args = ("ScreenshotWindow", (False, False, False, path)) if window else ("Screenshot", (False, False, path))
    ok, used = call(bus, "org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot",
                    method, GLib.Variant("(%ss)" % ("b" * (len(args) - 1)), args), "(bs)")
    sys.exit(0 if ok else "the shell took no picture")


bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
if sys.argv[1] == "input":
    drive(bus)
else:
    shot(bus, sys.argv[2], sys.argv[1] == "window")
