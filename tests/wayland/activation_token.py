#!/usr/bin/env python3
"""Prints a token of the compositor's xdg-activation, as a launcher gets one for a program it starts."""
import struct

from virtual_pointer import bind, message

wayland, events = bind("xdg_activation_v1", 4)
wayland.sendall(message(4, 1, struct.pack("<I", 5)) + message(5, 3))  # a token, asked for at once
for obj, opcode, body in events:
    if obj == 5 and opcode == 0:
        length, = struct.unpack_from("<I", body)
        print(body[4:4 + length - 1].decode())
        break
