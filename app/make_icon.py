#!/usr/bin/env python3
"""Draws the programme icon (64 x 64 PNG): a blue tile with a white Z, written with zlib only."""
import struct
import sys
import zlib

SIZE = 64


def pixel(x, y):
    inside = 4 <= x < 60 and 4 <= y < 60
    if not inside:
        return (0, 0, 0, 0)
    # The white Z: top bar, bottom bar and the diagonal between them.
    if 18 <= x < 46 and (22 <= y < 28 or 44 <= y < 50):
        return (255, 255, 255, 255)
    if 28 <= y < 44:
        t = (y - 28) / 16.0
        centre = 38 - t * 12
        if abs(x - centre) < 5:
            return (255, 255, 255, 255)
    if 8 <= x < 56 and 8 <= y < 22:
        return (74, 127, 208, 255)
    return (0, 70, 160, 255)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main(path):
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main(sys.argv[1])
