#!/usr/bin/python3
"""Writes the fonts that tests generate rather than take from the system.

GvCover is a family of two files cut down from DejaVu Sans with fontTools:
its Regular has A, U+00E9 and U+1D5A0, its Bold A, U+00F1 and U+1D5D4, so
that each file lacks a character, in and beyond the Basic Multilingual
Plane, that the other has. It has no italic files: GDI makes its obliques.

Usage: make_test_fonts.py OUT
"""

import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
FAMILY = "GvCover"

# (source file, style name, file name, characters)
FILES = [
    (DEJAVU + "DejaVuSans.ttf", "Regular", "GvCover-Regular.ttf", [0x41, 0xE9, 0x1D5A0]),
    (DEJAVU + "DejaVuSans-Bold.ttf", "Bold", "GvCover-Bold.ttf", [0x41, 0xF1, 0x1D5D4]),
]


def rename(font, style):
    full = FAMILY if style == "Regular" else FAMILY + " " + style
    names = {1: FAMILY, 2: style, 3: full, 4: full, 6: full.replace(" ", "-")}
    table = font["name"]
    table.names = [n for n in table.names if n.nameID not in names and n.nameID not in (16, 17)]
    for name_id, text in names.items():
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for source, style, name, characters in FILES:
        font = TTFont(source)
        options = subset.Options()
        options.name_IDs = ["*"]
        options.name_languages = ["*"]
        options.notdef_outline = True
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=characters)
        subsetter.subset(font)
        rename(font, style)
        font.save(os.path.join(out, name))


if __name__ == "__main__":
    main()
