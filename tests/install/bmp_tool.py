"""Solid BMP pictures and pixel checks of screenshots for the install test.

  bmp_tool.py solid LIKE.bmp OUT.bmp RRGGBB     a 24-bit picture of LIKE's size in one colour
  bmp_tool.py near SHOT.bmp X Y RRGGBB          exit 0 when the pixel is within 24 per channel
"""
import struct
import sys


def read(path):
    data = open(path, 'rb').read()
    offset, = struct.unpack_from('<I', data, 10)
    width, height = struct.unpack_from('<ii', data, 18)
    bits, = struct.unpack_from('<H', data, 28)
    return data, offset, width, height, bits


def pixel(path, x, y):
    data, offset, width, height, bits = read(path)
    stride = (width * bits // 8 + 3) // 4 * 4
    row = y if height < 0 else abs(height) - 1 - y
    at = offset + row * stride + x * bits // 8
    if bits in (24, 32):
        return data[at + 2], data[at + 1], data[at]
    value, = struct.unpack_from('<H', data, at)
    return (value >> 11 & 31) << 3, (value >> 5 & 63) << 2, (value & 31) << 3


def main(args):
    if args[0] == 'solid':
        _, _, width, height, _ = read(args[1])
        colour = bytes.fromhex(args[3])[::-1]
        row = (colour * width).ljust((width * 3 + 3) // 4 * 4, b'\0')
        size = len(row) * abs(height)
        header = b'BM' + struct.pack('<IHHI', 54 + size, 0, 0, 54)
        header += struct.pack('<IiiHHIIiiII', 40, width, abs(height), 1, 24, 0, size, 2835, 2835, 0, 0)
        open(args[2], 'wb').write(header + row * abs(height))
        return 0
    if args[0] == 'near':
        got = pixel(args[1], int(args[2]), int(args[3]))
        want = bytes.fromhex(args[4])
        return 0 if all(abs(g - w) <= 24 for g, w in zip(got, want)) else 1
    return 2


sys.exit(main(sys.argv[1:]))
