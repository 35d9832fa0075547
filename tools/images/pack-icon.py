#!/usr/bin/env python3
"""Packs PNG images into one .ico file, every entry stored as PNG.

    tools/images/pack-icon.py OUT.ico FRAME.png...

Windows reads PNG-compressed icon entries at any size since Vista (the
program needs Windows 7): a 48 px disc is 1.7 KB as PNG and 9.6 KB as the
32-bit BMP entry ImageMagick writes, and the pixels are the same.
"""
import struct
import sys


def main(out, paths):
    frames = [open(path, "rb").read() for path in paths]
    offset = 6 + 16 * len(frames)
    directory = b""
    for frame in frames:
        if frame[:8] != b"\x89PNG\r\n\x1a\n" or frame[12:16] != b"IHDR":
            sys.exit(f"pack-icon: not a PNG image: {paths[frames.index(frame)]}")
        width, height = struct.unpack(">II", frame[16:24])
        # Width and height 0 stand for 256; 1 plane, 32 bits per pixel.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(frame), offset)
        offset += len(frame)
    with open(out, "wb") as icon:
        icon.write(struct.pack("<HHH", 0, 1, len(frames)) + directory + b"".join(frames))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip())
    main(sys.argv[1], sys.argv[2:])
