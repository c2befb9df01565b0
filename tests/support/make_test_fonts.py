#!/usr/bin/python3
"""Writes the fonts that tests generate rather than take from the system.

GvCover is a family of two files cut down from DejaVu Sans with fontTools:
its Regular has A, U+00E9 and U+1D5A0, its Bold A, U+00F1 and U+1D5D4, so
that each file lacks a character, in and beyond the Basic Multilingual
Plane, that the other has. It has no italic files: GDI makes its obliques.

GvProps is a face whose properties the tests know: names in English and a
family name in Japanese, version, designer, maker, licence text and URL,
embedding permissions, vendor id, three characters (one beyond the Basic
Multilingual Plane, so the cmap has a format 12 subtable) and the missing
glyph, and its Unicode ranges and code pages.

The folder "added" holds what a user may add from a folder: single faces, a
collection of two, a face with an English and a Japanese family name, a copy
of GvCover Regular (which tests also load beforehand, as if installed), a
raster font, a face below a path longer than MAX_PATH, a link that leads back
up (a loop), and files that are no fonts: a cut one, an empty one, text
with a font's extension, and a text file.

Usage: make_test_fonts.py OUT
"""

import os
import shutil
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont

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


PROPS = "GvProps-Regular.ttf"
PROPS_NAMES = {
    0: "Copyright (c) 2026 Gv Test Foundry",
    1: "GvProps",
    2: "Regular",
    3: "GvProps Regular 2.037",
    4: "GvProps Regular",
    5: "Version 2.037",
    6: "GvProps-Regular",
    8: "Gv Test Foundry",
    9: "Gv Designer",
    13: "Licensed for tests only.\nNo other use.",
    14: "https://example.org/gvprops-licence",
}
PROPS_JAPANESE = {1: "ジーヴイ プロップス", 4: "ジーヴイ プロップス 標準"}


def write_props(out):
    font = TTFont(DEJAVU + "DejaVuSans.ttf")
    options = subset.Options()
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[0x41, 0x42, 0x1D5A0])
    subsetter.subset(font)
    table = font["name"]
    table.names = []
    for name_id, text in PROPS_NAMES.items():
        table.setName(text, name_id, 3, 1, 0x409)
    for name_id, text in PROPS_JAPANESE.items():
        table.setName(text, name_id, 3, 1, 0x411)
    font["head"].fontRevision = 2.037
    os2 = font["OS/2"]
    # Editable, no subsetting, bitmap only.
    os2.fsType = 0x0308
    os2.achVendID = "GVTF"
    # Basic Latin and Mathematical Alphanumeric Symbols; Latin 1 and Japanese.
    os2.ulUnicodeRange1, os2.ulUnicodeRange2, os2.ulUnicodeRange3, os2.ulUnicodeRange4 = 1, 0, 1 << 25, 0
    os2.ulCodePageRange1, os2.ulCodePageRange2 = 1 | 1 << 17, 0
    font.save(os.path.join(out, PROPS))


def added_face(family, japanese=None):
    """DejaVu Sans cut down to "A", under the family name given."""
    font = TTFont(DEJAVU + "DejaVuSans.ttf")
    options = subset.Options()
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[0x41])
    subsetter.subset(font)
    table = font["name"]
    table.names = []
    for name_id, text in ((1, family), (2, "Regular"), (3, family), (4, family), (6, family.replace(" ", "-"))):
        table.setName(text, name_id, 3, 1, 0x409)
    if japanese:
        table.setName(japanese, 1, 3, 1, 0x411)
        table.setName(japanese, 4, 3, 1, 0x411)
    return font


def make_added(out):
    added = os.path.join(out, "added")
    shutil.rmtree(added, ignore_errors=True)
    sub = os.path.join(added, "sub")
    deep = os.path.join(added, "long", "d" * 120, "e" * 120)
    for folder in (os.path.join(sub, "deeper"), deep):
        os.makedirs(folder)
    added_face("GvAdded One").save(os.path.join(added, "GvAdded-One.ttf"))
    pair = TTCollection()
    pair.fonts = [added_face("GvAdded Pair A"), added_face("GvAdded Pair B")]
    pair.save(os.path.join(sub, "GvAdded-Pair.ttc"))
    added_face("GvAdded Local", "GvAdded ローカル").save(os.path.join(sub, "GvAdded-Local.ttf"))
    added_face("GvAdded Deep").save(os.path.join(deep, "GvAdded-Deep.ttf"))
    shutil.copy(os.path.join(out, "GvCover-Regular.ttf"), added)
    shutil.copy("/usr/share/wine/fonts/coure.fon", os.path.join(sub, "deeper"))
    with open(os.path.join(added, "GvAdded-One.ttf"), "rb") as f:
        cut = f.read(600)
    with open(os.path.join(added, "damaged.ttf"), "wb") as f:
        f.write(cut)
    open(os.path.join(added, "empty.otf"), "wb").close()
    with open(os.path.join(sub, "notafont.ttf"), "w") as f:
        f.write("not a font\n" * 50)
    with open(os.path.join(added, "readme.txt"), "w") as f:
        f.write("not listed\n")
    os.symlink("..", os.path.join(sub, "loop"))


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
    write_props(out)
    make_added(out)


if __name__ == "__main__":
    main()
