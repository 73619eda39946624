"""Cuts the form's face for the web build: WenQuanYi Zen Hei Mono reduced to
the characters in CHARACTERS_FILE, with the few it lacks taken from
WenQuanYi Micro Hei Mono and narrowed to Zen Hei Mono's half width, so that
every caption keeps the widths it has on Linux.
    python3 form-font.py ZENHEI_TTC MICROHEI_TTC CHARACTERS_FILE OUTPUT_TTF"""
import logging
import sys

from fontTools import subset
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

# The Mono cut of each collection.
MONO = 1


def cut(path, characters):
    font = TTFont(path, fontNumber=MONO)
    options = subset.Options()
    options.layout_features = []
    options.name_IDs = [1, 2, 4, 6]
    options.notdef_outline = True
    options.hinting = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in characters])
    subsetter.subset(font)
    return font


def main(zenhei, microhei, characters_file, output):
    # The subsetter names each table it drops; none of them is needed.
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)
    with open(characters_file, encoding="utf-8") as f:
        characters = sorted(set(f.read()) - {"\n"})
    font = cut(zenhei, characters)
    cmap = font.getBestCmap()
    missing = [c for c in characters if ord(c) not in cmap]
    if missing:
        donor = cut(microhei, missing)
        donor_cmap = donor.getBestCmap()
        absent = [c for c in missing if ord(c) not in donor_cmap]
        if absent:
            sys.exit("no glyph in either face for: " + "".join(absent))
        scale = font["head"].unitsPerEm / donor["head"].unitsPerEm
        # Latin in Zen Hei Mono is half an em wide; Micro Hei Mono's is wider.
        width = font["head"].unitsPerEm // 2
        donor_glyphs = donor.getGlyphSet()
        order = font.getGlyphOrder()
        for c in missing:
            donor_name = donor_cmap[ord(c)]
            donor_width = donor["hmtx"][donor_name][0] * scale
            recording = DecomposingRecordingPen(donor_glyphs)
            donor_glyphs[donor_name].draw(recording)
            pen = TTGlyphPen(None)
            recording.replay(TransformPen(pen, (scale * width / donor_width, 0, 0, scale, 0, 0)))
            name = "uni%04X" % ord(c)
            while name in font["glyf"]:
                name += ".alt"
            glyph = pen.glyph()
            glyph.recalcBounds(font["glyf"])
            order.append(name)
            font["glyf"][name] = glyph
            font["hmtx"][name] = (width, getattr(glyph, "xMin", 0))
            for table in font["cmap"].tables:
                if table.isUnicode():
                    table.cmap[ord(c)] = name
        font.setGlyphOrder(order)
    font.save(output)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
