#!/usr/bin/env python3
"""Writes MASTER/KS40913RT.sx, a plausible firmware template for the gateway: an S0 header,
S2 records of 32 data bytes over two code areas and the five bank ranges (erased, 0xFF), and
an S9 end record, every line ended by CR LF. Run it from this folder."""

def record(kind, address, data):
    width = {"S0": 2, "S2": 3, "S9": 2}[kind]
    body = bytes([len(data) + width + 1]) + address.to_bytes(width, "big") + data
    return kind + body.hex().upper() + "%02X" % (~sum(body) & 0xFF) + "\r\n"

state = 0x2F6B
def code_bytes(n):
    # A fixed pseudo-random sequence stands in for machine code.
    global state
    out = bytearray()
    for _ in range(n):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out.append((state >> 16) & 0xFF)
    return bytes(out)

lines = [record("S0", 0, b"KS40913RT V1.000")]
areas = [(0x380000, 0x388000, None), (0x388000, 0x38C000, 0xFF), (0x390000, 0x394000, None),
         (0x398000, 0x39C000, 0xFF), (0x3A8000, 0x3AC000, 0xFF), (0x3B8000, 0x3BC000, 0xFF),
         (0x3C8000, 0x3CC000, 0xFF), (0x3F0000, 0x3F1000, None)]
for first, end, fill in areas:
    for address in range(first, end, 32):
        lines.append(record("S2", address, bytes([fill]) * 32 if fill is not None else code_bytes(32)))
lines.append(record("S9", 0xC000, b""))

with open("MASTER/KS40913RT.sx", "wb") as f:
    f.write("".join(lines).encode("ascii"))
