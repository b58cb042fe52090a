#!/usr/bin/env python3
"""Keys and a pointer for headless KWin, driven by lines on standard input:
    key CODE...    taps the keys together (Linux input key codes: 29 Ctrl, 33 F, 1 Esc)
    move X Y       puts the pointer at X,Y of the desktop
    click          clicks the left button
KWin offers its fake input protocol (org_kde_kwin_fake_input) to any client when it runs with
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1; this speaks the Wayland wire format directly. Answers "done"
after each line, once KWin has taken it.
"""
import os
import socket
import struct
import sys


def message(obj, opcode, payload=b""):
    return struct.pack("<II", obj, (8 + len(payload)) << 16 | opcode) + payload


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


class Wayland:
    def __init__(self):
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
        self.buffer = b""
        self.next_id = 2

    def new_id(self):
        self.next_id += 1
        return self.next_id

    def events(self):
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from("<II", self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                body, self.buffer = self.buffer[8:size], self.buffer[size:]
                yield obj, word & 0xFFFF, body
            self.buffer += self.socket.recv(65536)

    def roundtrip(self):
        callback = self.new_id()
        self.socket.sendall(message(1, 0, struct.pack("<I", callback)))
        for obj, _, _ in self.events():
            if obj == callback:
                return


def main():
    wayland = Wayland()
    registry = 2
    wayland.socket.sendall(message(1, 1, struct.pack("<I", registry)))
    done = wayland.new_id()
    wayland.socket.sendall(message(1, 0, struct.pack("<I", done)))
    found = None
    for obj, opcode, body in wayland.events():
        if obj == registry and opcode == 0:
            name, length = struct.unpack_from("<II", body)
            if body[8:8 + length - 1].decode() == "org_kde_kwin_fake_input":
                found = (name, struct.unpack_from("<I", body, 8 + length + (-length % 4))[0])
        elif obj == done:
            break
    if found is None:
        sys.exit("KWin offers no fake input")
    fake = wayland.new_id()
    version = min(found[1], 4)
    wayland.socket.sendall(message(registry, 0, struct.pack("<I", found[0]) + string("org_kde_kwin_fake_input")
                                   + struct.pack("<II", version, fake))
                           + message(fake, 0, string("TIVrevudu tests") + string("test input")))
    wayland.roundtrip()
    print("ready", flush=True)
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "key":
            codes = [int(w) for w in words[1:]]
            request = b"".join(message(fake, 10, struct.pack("<II", c, 1)) for c in codes)
            request += b"".join(message(fake, 10, struct.pack("<II", c, 0)) for c in reversed(codes))
        elif words[0] == "move":
            request = message(fake, 9, struct.pack("<ii", int(words[1]) * 256, int(words[2]) * 256))
        else:
            states = {"press": (1,), "release": (0,), "click": (1, 0)}[words[0]]
            request = b"".join(message(fake, 2, struct.pack("<II", 0x110, s)) for s in states)
        wayland.socket.sendall(request)
        wayland.roundtrip()
        print("done", flush=True)


main()
