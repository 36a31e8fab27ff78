#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the site's web fonts: each font the desktop program uses, cut down to the characters
the windows draw (GLYPHS/<font>.txt, written by site_data.mjs), renamed as its licence asks
(no "IPA" or "Liberation" in a font's name or file name), as WOFF2 in SITE/fonts/, with the
licences beside them.

    subset_fonts.py GLYPHS SITE
"""
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# font -> (Debian's file, the subset's family name, its PostScript name)
FONTS = {
    "mincho": ("/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
               "Tavo Mincho", "TavoMincho"),
    "pmincho": ("/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
                "Tavo P Mincho", "TavoPMincho"),
    "pgothic": ("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                "Tavo P Gothic", "TavoPGothic"),
    "serif": ("/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
              "Tavo Serif", "TavoSerif"),
}
# The licences as Debian ships them, and the text of the GPL that Liberation's refers to.
IPA_COPYRIGHT = "/usr/share/doc/fonts-ipafont-mincho/copyright"
LIBERATION_COPYRIGHT = "/usr/share/doc/fonts-liberation/copyright"
GPL2 = "/usr/share/common-licenses/GPL-2"

# Names that carry the original's name: family, unique id, full name, PostScript name,
# typographic family and subfamily, WWS names, variation prefix.
RENAMED_IDS = {1, 3, 4, 6, 16, 17, 21, 22, 25}


def make_subset(source, text, family, postscript, target):
    font = TTFont(source)
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False  # browsers do without; it halves the Latin font
    options.drop_tables += ["vhea", "vmtx", "EBDT", "EBLC", "EBSC", "gasp", "FFTM"]
    # The windows write horizontally: the vertical forms' glyphs stay out.
    vertical = {"vert", "vrt2", "vkrn", "vpal", "valt", "vhal", "vchw"}
    options.layout_features = [f for f in options.layout_features if f not in vertical]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    original = font["name"].getDebugName(4)
    version = font["name"].getDebugName(5)
    names = font["name"]
    names.names = [n for n in names.names if n.nameID not in RENAMED_IDS]
    for name_id, value in ((1, family), (2, "Regular"), (3, f"{family}; {version}"),
                           (4, family), (6, postscript),
                           (10, f"A subset of {original} ({version}) for the web page of "
                                "TAVOMETR; see README.txt beside it")):
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)
    font.flavor = "woff2"
    font.save(target)


def licence_paragraph(copyright_file, name):
    """The text of the "License: NAME" paragraph of a Debian copyright file, unindented."""
    lines = pathlib.Path(copyright_file).read_text(encoding="utf-8").splitlines()
    for start, line in enumerate(lines):
        text = []
        for body in lines[start + 1:] if line == f"License: {name}" else []:
            if not body.startswith(" "):
                break
            text.append("" if body.strip() == "." else body[1:])
        if text:
            return "\n".join(text) + "\n"
    raise ValueError(f"{copyright_file} holds no licence {name}")


def main(glyphs, site):
    fonts = pathlib.Path(site) / "fonts"
    fonts.mkdir(parents=True, exist_ok=True)
    for key, (source, family, postscript) in FONTS.items():
        text = (pathlib.Path(glyphs) / f"{key}.txt").read_text(encoding="utf-8")
        make_subset(source, text, family, postscript, fonts / f"tavo-{key}.woff2")
    (fonts / "IPA_Font_License_Agreement_v1.0.txt").write_text(
        licence_paragraph(IPA_COPYRIGHT, "IPA-1"), encoding="utf-8")
    (fonts / "LICENSE-tavo-serif.txt").write_text(
        pathlib.Path(LIBERATION_COPYRIGHT).read_text(encoding="utf-8") + "\n\n" +
        pathlib.Path(GPL2).read_text(encoding="utf-8"), encoding="utf-8")


if __name__ == "__main__":
    main(*sys.argv[1:])
