#!/usr/bin/env python3
"""Packs uncompressed 24-bit BMP files into one .ico file, keeping 24 bits per pixel.

    bmp_to_ico.py OUT.ico IN.bmp...

An icon image is the bitmap's info header with the height doubled, its pixel rows, and a
1-bit transparency mask (all zero: every pixel opaque), each row padded to 4 bytes.
"""
import struct
import sys


def icon_image(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    (pixels_at,) = struct.unpack_from("<I", data, 10)
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if size != 40 or bits != 24 or compression != 0 or height <= 0 or width > 256 or height > 256:
        sys.exit(f"{path}: not an uncompressed bottom-up 24-bit BMP of at most 256 x 256")
    row = (width * 3 + 3) // 4 * 4
    pixels = data[pixels_at : pixels_at + row * height]
    mask = bytes((width + 31) // 32 * 4 * height)
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 24, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return width, height, header + pixels + mask


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    images = [icon_image(path) for path in sys.argv[2:]]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, image in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 24, len(image), offset)
        offset += len(image)
    out += b"".join(image for _, _, image in images)
    with open(sys.argv[1], "wb") as ico:
        ico.write(out)


main()
