#!/usr/bin/env python3
"""Makes a stand-in for Windows' own "Microsoft Sans Serif", which Wine
lacks: Wine's free Tahoma (a sans serif close to it) with its family, full
and PostScript names changed, so that a face of that name exists in the test
prefix. (Wine's ms_sans_serif.ttf, the same design, does not load as a
font resource.)

    windows_sans_serif.py WINE_TAHOMA_TTF OUTPUT_TTF

Needs fontTools (Debian's python3-fonttools).
"""
import sys

from fontTools.ttLib import TTFont

NAMES = {1: "Microsoft Sans Serif", 4: "Microsoft Sans Serif", 6: "MicrosoftSansSerif",
         16: "Microsoft Sans Serif"}


def main(source, output):
    font = TTFont(source)
    table = font["name"]
    for record in table.names:
        if record.nameID in NAMES:
            record.string = NAMES[record.nameID]
    font.save(output)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
