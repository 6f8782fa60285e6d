#!/usr/bin/env python3
"""Turns the button glyphs' pixel art (*.glyph, one character a pixel) into the
24-bit bitmaps (*.bmp) that the resource scripts include.

    glyphs.py DIR...          writes DIR/name.bmp for every DIR/name.glyph
    glyphs.py --check DIR...  fails when a bitmap differs from its art

'.' is the see-through colour; buttons take it from the bottom-left pixel, so
every glyph must start its last row with '.'.
"""
import pathlib
import struct
import sys

PALETTE = {
    ".": (0xFF, 0x00, 0xFF),
    "K": (0x00, 0x00, 0x00),
    "W": (0xFF, 0xFF, 0xFF),
    "S": (0xC0, 0xC0, 0xC0),
    "D": (0x80, 0x80, 0x80),
    "R": (0xE0, 0x20, 0x20),
    "r": (0x80, 0x00, 0x00),
    "G": (0x20, 0xB0, 0x20),
    "g": (0x00, 0x60, 0x00),
    "B": (0x20, 0x50, 0xD0),
    "b": (0x00, 0x00, 0x80),
    "Y": (0xFF, 0xE0, 0x40),
}


def bitmap(art_path):
    rows = [line.rstrip("\n") for line in art_path.read_text().splitlines() if line and not line.startswith("#")]
    width = len(rows[0])
    if any(len(row) != width for row in rows):
        raise SystemExit(f"{art_path}: rows of different lengths")
    if rows[-1][0] != ".":
        raise SystemExit(f"{art_path}: the bottom-left pixel must be see-through")
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # a bitmap stores its bottom row first
        line = bytearray()
        for ch in row:
            if ch not in PALETTE:
                raise SystemExit(f"{art_path}: no colour for {ch!r}")
            r, g, b = PALETTE[ch]
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def main(args):
    check = args[:1] == ["--check"]
    stale = []
    for folder in args[1:] if check else args:
        for art in sorted(pathlib.Path(folder).glob("*.glyph")):
            target = art.with_suffix(".bmp")
            data = bitmap(art)
            if check:
                if not target.exists() or target.read_bytes() != data:
                    stale.append(str(target))
            else:
                target.write_bytes(data)
    if stale:
        print("bitmaps that differ from their art (run glyphs.py on their folder):", *stale, sep="\n  ")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
