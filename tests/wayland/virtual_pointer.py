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


def main():
    path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
    wayland = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    wayland.connect(path)
    registry, done = 2, 3
    wayland.sendall(message(1, 1, struct.pack("<I", registry)) + message(1, 0, struct.pack("<I", done)))
    buffer, manager = b"", None
    while True:
        buffer += wayland.recv(65536)
        while len(buffer) >= 8:
            obj, word = struct.unpack_from("<II", buffer)
            size = word >> 16
            if len(buffer) < size:
                break
            body, buffer = buffer[8:size], buffer[size:]
            if obj == registry and word & 0xFFFF == 0:
                name, length = struct.unpack_from("<II", body)
                interface = body[8:8 + length - 1].decode()
                if interface == "zwlr_virtual_pointer_manager_v1":
                    manager = name
            elif obj == done:
                if manager is None:
                    sys.exit("the compositor offers no virtual pointer")
                bound, pointer = 4, 5
                wayland.sendall(message(registry, 0, struct.pack("<I", manager) + string("zwlr_virtual_pointer_manager_v1")
                                        + struct.pack("<II", 1, bound))
                                + message(bound, 0, struct.pack("<II", 0, pointer)))
                print("ready", flush=True)
                drive(wayland, pointer)
                return


main()
