#!/usr/bin/python3
"""Writes a large set of distinct test faces: renamed copies of Debian's
DejaVu and IPA fonts.

Each base font is cut down once with fontTools to a few glyphs (its code-page
bits, and so the character sets it is listed in, stay as they were) and given
a family name with a five-character placeholder; every copy then only swaps
the placeholder for the face's number and fixes the checksums, so that ten
thousand faces take seconds.

Faces are numbered 0 .. count-1 and written a thousand to a folder
(OUT/00, OUT/01, ...), so that the first N faces are the first N/1000 folders.
Of every ten faces seven are single styles, two four-style families and one
a CJK face (which the system also lists as its vertical "@" twin).

Usage: make_fonts.py OUT [COUNT]
"""

import io
import logging
import os
import struct
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
IPA = "/usr/share/fonts/opentype/ipafont-gothic/"
TOKEN = "Q7Z5X"
PER_FOLDER = 1000

# (family prefix, files); one file is a single style, four make a family.
SINGLE = [
    ("Gvt Sans", [DEJAVU + "DejaVuSans.ttf"]),
    ("Gvt Mono", [DEJAVU + "DejaVuSansMono.ttf"]),
    ("Gvt Serif", [DEJAVU + "DejaVuSerif.ttf"]),
    ("Gvt Heavy", [DEJAVU + "DejaVuSans-Bold.ttf"]),
    ("Gvt Light", [DEJAVU + "DejaVuSans-ExtraLight.ttf"]),
    ("Gvt Narrow", [DEJAVU + "DejaVuSansCondensed.ttf"]),
    ("Gvt Slant", [DEJAVU + "DejaVuSans-Oblique.ttf"]),
]
FAMILY = [
    ("Gvt Book", [DEJAVU + "DejaVuSerif.ttf", DEJAVU + "DejaVuSerif-Bold.ttf",
                  DEJAVU + "DejaVuSerif-Italic.ttf", DEJAVU + "DejaVuSerif-BoldItalic.ttf"]),
    ("Gvt Text", [DEJAVU + "DejaVuSans.ttf", DEJAVU + "DejaVuSans-Bold.ttf",
                  DEJAVU + "DejaVuSans-Oblique.ttf", DEJAVU + "DejaVuSans-BoldOblique.ttf"]),
]
CJK = [
    ("Gvt Gothic", [IPA + "ipag.ttf"]),
    ("Gvt PGothic", [IPA + "ipagp.ttf"]),
]

LATIN = list(range(0x20, 0x7F))
KANA = list(range(0x3041, 0x3061)) + [0x3001, 0x3002, 0x30FC, 0x4E00, 0x65E5, 0x672C]


def template(path, family, cjk):
    """The cut-down font with the placeholder in its names, as bytes."""
    font = TTFont(path)
    os2 = font["OS/2"]
    code_pages = (os2.ulCodePageRange1, os2.ulCodePageRange2)
    style = font["name"].getDebugName(2) or "Regular"

    options = subset.Options()
    options.name_IDs = []
    options.notdef_outline = True
    options.hinting = False
    options.layout_features = ["vert", "vrt2"] if cjk else []
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=LATIN + (KANA if cjk else []))
    subsetter.subset(font)
    os2.ulCodePageRange1, os2.ulCodePageRange2 = code_pages

    name = font["name"]
    name.names = []
    full = family + " " + TOKEN
    postscript = (family + TOKEN).replace(" ", "") + "-" + style.replace(" ", "")
    for name_id, text in ((1, full), (2, style), (3, postscript), (4, full + " " + style), (6, postscript)):
        name.setName(text, name_id, 3, 1, 0x409)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def renamed(data, number):
    """The template with the face's number in its names and checksums fixed."""
    digits = "%05d" % number
    data = bytearray(data.replace(TOKEN.encode("utf-16-be"), digits.encode("utf-16-be")))
    tables = {}
    for i in range(struct.unpack(">H", data[4:6])[0]):
        record = 12 + 16 * i
        tag, _, offset, length = struct.unpack(">4sIII", data[record:record + 16])
        tables[tag] = (record, offset, length)
    record, offset, length = tables[b"name"]
    struct.pack_into(">I", data, record + 4, checksum(bytes(data[offset:offset + length])))
    head = tables[b"head"][1]
    struct.pack_into(">I", data, head + 8, 0)
    struct.pack_into(">I", data, head + 8, (0xB1B0AFBA - checksum(bytes(data))) & 0xFFFFFFFF)
    return bytes(data)


def main():
    logging.disable(logging.WARNING)
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    templates = {}

    def files_of(kind, prefix, paths):
        key = (prefix, tuple(paths))
        if key not in templates:
            templates[key] = [template(p, prefix, kind is CJK) for p in paths]
        return templates[key]

    for number in range(count):
        slot = number % 10
        kind = CJK if slot == 9 else FAMILY if slot in (7, 8) else SINGLE
        prefix, paths = kind[(number // 10 + slot) % len(kind)]
        folder = os.path.join(out, "%02d" % (number // PER_FOLDER))
        os.makedirs(folder, exist_ok=True)
        for style, data in enumerate(files_of(kind, prefix, paths)):
            with open(os.path.join(folder, "f%05d-%d.ttf" % (number, style)), "wb") as f:
                f.write(renamed(data, number))


if __name__ == "__main__":
    main()
