#!/usr/bin/env python3
"""Writes the seed corpora of the picture and settings readers (fuzz/corpus/{png,bmp,config})."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(width, height, depth, colour, rows, extra=b"", interlace=0):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def png_seeds():
    put("png", "rgb_2x2.png", png(2, 2, 8, 2, [bytes([255, 0, 0, 0, 255, 0])] * 2))
    put("png", "rgba_3x1.png", png(3, 1, 8, 6, [bytes(range(12))]))
    put("png", "grey16_2x2.png", png(2, 2, 16, 0, [bytes(4)] * 2, chunk(b"gAMA", struct.pack(">I", 45455))))
    palette = chunk(b"PLTE", bytes([0, 0, 0, 255, 255, 255])) + chunk(b"tRNS", b"\0")
    put("png", "palette_1bit.png", png(8, 2, 1, 3, [b"\xa5"] * 2, palette))
    put("png", "interlaced_4x4.png", png(4, 4, 8, 4, [bytes(range(8))] * 4, interlace=1))
    # Declares a picture far beyond the loader's size limit.
    put("png", "huge_declared.png", png(100000, 100000, 8, 6, [bytes(4)]))


def bmp(width, height, bits, pixels, palette=b""):
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def bmp_seeds():
    put("bmp", "rgb24_2x2.bmp", bmp(2, 2, 24, (bytes([0, 0, 255, 0, 255, 0]) + b"\0\0") * 2))
    put("bmp", "rgb32_1x1.bmp", bmp(1, 1, 32, bytes([10, 20, 30, 0])))
    put("bmp", "palette8_4x1.bmp", bmp(4, 1, 8, bytes([0, 1, 1, 0]), bytes([0, 0, 0, 0, 255, 255, 255, 0])))
    put("bmp", "top_down.bmp", bmp(2, -2, 24, bytes(16)))


def config_seeds():
    keys = [119, 115, 97, 100, 32, 8, 8, 8]
    joystick = [251, 250, 249, 248, 255, 254, 253, 252]
    record = struct.pack("<iBB16ii", 4, 0, 1, *(keys + joystick), 1)
    put("config", "defaults.cfg", record)
    put("config", "old_version.cfg", struct.pack("<i", 3) + record[4:])
    put("config", "short.cfg", record[:10])


if __name__ == "__main__":
    png_seeds()
    bmp_seeds()
    config_seeds()
