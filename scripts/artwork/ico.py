"""Writes .ico files: 32-bit DIB images with alpha and an AND mask; 256-pixel images as PNG."""

import struct
import subprocess


def _rgba(png_path):
    return subprocess.run(["convert", png_path, "-depth", "8", "RGBA:-"],
                          check=True, capture_output=True).stdout


def _dib(size, rgba):
    stride = size * 4
    xor = bytearray()
    for row in range(size - 1, -1, -1):  # bottom-up
        line = rgba[row * stride:(row + 1) * stride]
        for i in range(0, stride, 4):
            r, g, b, a = line[i:i + 4]
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for col in range(size):
            if rgba[(row * size + col) * 4 + 3] == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_ico(path, pngs):
    """pngs: (size, path of a size x size RGBA PNG), smallest first."""
    images = []
    for size, png in pngs:
        if size >= 256:
            with open(png, "rb") as f:
                images.append((size, f.read()))
        else:
            images.append((size, _dib(size, _rgba(png))))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        edge = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", edge, edge, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(directory)
        for _, data in images:
            f.write(data)
