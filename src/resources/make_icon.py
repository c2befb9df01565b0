#!/usr/bin/env python3
"""Regenerates Glyvanter.ico: a blue rounded square with a large serif "A"
beside a small sans-serif "a", the typeface comparison the program is for.

Every size is drawn at its own pixel size rather than scaled down, so that
the small images stay sharp. ImageMagick's `convert` draws each image and
hands back raw RGBA; this script writes the ICO container itself: 32-bit
DIB images with alpha for the small sizes and a PNG image for 256 x 256.

Usage: python3 make_icon.py [output.ico]   (default: Glyvanter.ico beside this file)
"""
import os
import struct
import subprocess
import sys
import zlib

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SERIF = os.path.join(FONT_DIR, "DejaVuSerif-Bold.ttf")
SANS = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
SIZES = (16, 24, 32, 48, 256)

TOP_COLOUR = "#4A7FE8"
BOTTOM_COLOUR = "#1C3D94"
EDGE_COLOUR = "#15306F"
SERIF_COLOUR = "#FFFFFF"
SANS_COLOUR = "#FFC83D"


def draw(size):
    """Returns the RGBA pixels of one image, top row first."""
    s = float(size)
    inset = 0.0 if size <= 16 else s / 32.0
    radius = s * 0.2
    # The glyphs are placed by the baseline of their own em box; the factors
    # were chosen by eye so the pair fills the square at every size.
    serif_pt = s * 0.76
    sans_pt = s * 0.46
    serif_x, serif_y = s * 0.09, s * 0.76
    sans_x, sans_y = s * 0.62, s * 0.83
    if size <= 16:
        serif_pt, sans_pt = 12, 9
        serif_x, serif_y = 1.0, 12.0
        sans_x, sans_y = 9.5, 13.5
    edge = max(1.0, s / 48.0)
    shape = "roundrectangle %g,%g %g,%g %g,%g" % (
        inset + edge / 2, inset + edge / 2, s - 1 - inset - edge / 2, s - 1 - inset - edge / 2,
        radius, radius)
    command = [
        # Rounded square filled with a vertical gradient: draw the gradient,
        # then keep it only inside the rounded shape.
        "convert", "-size", "%dx%d" % (size, size), "gradient:%s-%s" % (TOP_COLOUR, BOTTOM_COLOUR),
        "-alpha", "set",
        "(", "-size", "%dx%d" % (size, size), "xc:none", "-fill", "white", "-draw", shape, ")",
        "-compose", "DstIn", "-composite", "-compose", "Over",
        "-fill", "none", "-stroke", EDGE_COLOUR, "-strokewidth", "%g" % edge, "-draw", shape,
        "-stroke", "none",
        "-font", SERIF, "-pointsize", "%g" % serif_pt, "-fill", SERIF_COLOUR,
        "-draw", "text %g,%g 'A'" % (serif_x, serif_y),
        "-font", SANS, "-pointsize", "%g" % sans_pt, "-fill", SANS_COLOUR,
        "-draw", "text %g,%g 'a'" % (sans_x, sans_y),
        "-depth", "8", "rgba:-",
    ]
    pixels = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout
    if len(pixels) != size * size * 4:
        raise RuntimeError("convert returned %d bytes for %dx%d" % (len(pixels), size, size))
    return pixels


def dib_image(size, rgba):
    """A 32-bit bottom-up DIB with its AND mask, as an ICO image stores it."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        row = rgba[y * size * 4:(y + 1) * size * 4]
        bgra = bytearray()
        mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = row[x * 4:x * 4 + 4]
            bgra += bytes((b, g, r, a))
            if a == 0:
                mask[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bgra))
        mask_rows.append(bytes(mask))
    return header + b"".join(rows) + b"".join(mask_rows)


def png_image(size, rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + rgba[y * size * 4:(y + 1) * size * 4] for y in range(size))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def icon_file(images):
    """images: list of (size, encoded image bytes)."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for size, blob in images:
        side = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return directory + entries + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "Glyvanter.ico")
    images = []
    for size in SIZES:
        rgba = draw(size)
        images.append((size, png_image(size, rgba) if size >= 256 else dib_image(size, rgba)))
    with open(output, "wb") as f:
        f.write(icon_file(images))


if __name__ == "__main__":
    main()
