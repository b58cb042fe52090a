#!/usr/bin/env python3
"""A pointer for headless sway, driven by lines on standard input:
    move X Y WIDTH HEIGHT   to X,Y of a desktop WIDTH x HEIGHT in logical units
    press / release         the left button

A seat without a pointer device hands programs no pointer at all, and sway's own cursor commands
pass no moves on while a button is held. This asks the compositor for a virtual pointer (wlroots'
virtual pointer protocol), speaking the Wayland wire format directly.
"""
import os
import socket
import struct
import sys
import time


def message(obj, opcode, payload=b""):
    return struct.pack("<II", obj, (8 + len(payload)) << 16 | opcode) + payload


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def drive(wayland, pointer):
    for line in sys.stdin:
        words = line.split()
        now = int(time.monotonic() * 1000) & 0xFFFFFFFF
        if words[0] == "move":
            request = message(pointer, 1, struct.pack("<5I", now, *map(int, words[1:5])))
        else:
            request = message(pointer, 2, struct.pack("<3I", now, 0x110, words[0] == "press"))
        wayland.sendall(request + message(pointer, 4))


def events(wayland):
    """The compositor's events as (object, opcode, body)."""
    buffer = b""
    while True:
        buffer += wayland.recv(65536)
        while len(buffer) >= 8 and len(buffer) >= struct.unpack_from("<I", buffer, 4)[0] >> 16:
            obj, word = struct.unpack_from("<II", buffer)
            yield obj, word & 0xFFFF, buffer[8:word >> 16]
            buffer = buffer[word >> 16:]


def bind(interface, bound):
    """A connection with the compositor's global `interface` bound as object `bound`, and its events."""
    path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
    wayland = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    wayland.connect(path)
    registry, done = 2, 3
    wayland.sendall(message(1, 1, struct.pack("<I", registry)) + message(1, 0, struct.pack("<I", done)))
    stream, found = events(wayland), None
    for obj, opcode, body in stream:
        if obj == registry and opcode == 0:
            name, length = struct.unpack_from("<II", body)
            if body[8:8 + length - 1].decode() == interface:
                found = name
        elif obj == done:
            break
    if found is None:
        sys.exit(f"the compositor offers no {interface}")
    wayland.sendall(message(registry, 0, struct.pack("<I", found) + string(interface) + struct.pack("<II", 1, bound)))
    return wayland, stream


if __name__ == "__main__":
    wayland, _ = bind("zwlr_virtual_pointer_manager_v1", 4)
    wayland.sendall(message(4, 0, struct.pack("<II", 0, 5)))
    print("ready", flush=True)
    drive(wayland, 5)
