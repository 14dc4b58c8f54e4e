#!/usr/bin/python3
"""Cuts the browser edition's Japanese face down to the characters the program can show.

Every text the program shows is written in its sources as a string or character literal, or
is made of printable ASCII (keys, digits, speeds). So the cut holds printable ASCII and every
character of every literal in the given sources, and a new text brings its glyphs with it.
The cut is a derived font: it gets a name of its own, as the original's licence asks.

Fails, and writes nothing, when the original lacks a glyph for a character a text needs.

  cut-face.py ORIGINAL OUTPUT FAMILY SOURCE...
"""
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# A C++ string literal, with its escapes; a u8/u/L prefix does not matter here.
STRING_LITERAL = re.compile(r'"(?:[^"\\\n]|\\.)*"')
# A character literal such as u'␣', a mark the program shows alone.
CHARACTER_LITERAL = re.compile(r"'(?:[^'\\\n]|\\.)'")


def shown_characters(sources):
    characters = {chr(code) for code in range(0x20, 0x7F)}
    for source in sources:
        with open(source, encoding="utf-8") as text:
            code = text.read()
            for literal in STRING_LITERAL.findall(code) + CHARACTER_LITERAL.findall(code):
                characters.update(literal[1:-1])
    return {c for c in characters if c.isprintable() or c == "\u3000"}


def rename(font, family):
    """Gives the cut its own name in every record that names the face."""
    postscript = family.replace(" ", "")
    names = {1: family, 3: f"{postscript}-Regular", 4: family, 6: postscript,
             16: family, 17: "Regular"}
    table = font["name"]
    for record in list(table.names):
        if record.nameID in names or record.nameID == 2:
            table.removeNames(nameID=record.nameID)
    for name_id, value in names.items():
        table.setName(value, name_id, 3, 1, 0x409)
        table.setName(value, name_id, 1, 0, 0)
    table.setName("Regular", 2, 3, 1, 0x409)
    table.setName("Regular", 2, 1, 0, 0)


def main(original, output, family, *sources):
    wanted = shown_characters(sources)
    font = TTFont(original)
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=[ord(c) for c in wanted])
    cutter.subset(font)
    cut = font.getBestCmap()
    missing = sorted(c for c in wanted if ord(c) not in cut)
    if missing:
        sys.exit(f"{original} has no glyph for {' '.join(missing)} "
                 f"({', '.join(f'U+{ord(c):04X}' for c in missing)}), which the program shows")
    rename(font, family)
    font.save(output)


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
