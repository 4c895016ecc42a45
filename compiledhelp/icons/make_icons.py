#!/usr/bin/env python3
"""Draws the 42 contents-entry icons (16x16) of the handheld pages.

Order (image numbers of a contents sitemap):
  1 closed book, 2 open book, 3 closed book (new), 4 open book (new),
  5 closed folder, 6 open folder, 7 closed folder (new), 8 open folder (new),
  9.. 42 pages in pairs, plain then new: blank page, text, question mark,
  globe, picture, note, film, arrow, exclamation mark, information, tick,
  cross, key, pencil, gear, lock, envelope.
"New" variants carry a red star in the top left corner.

Writes icons/<n>.gif and ../ChmIconData.cpp (the same bytes as C++ arrays).
Run from anywhere: python3 compiledhelp/icons/make_icons.py [--sheet out.png]
"""
import os
import struct
import sys
import zlib

PALETTE = {  # character -> (index, RGB); index 0 is transparent
    '.': (0, (255, 0, 255)),
    'k': (1, (0, 0, 0)),
    'w': (2, (255, 255, 255)),
    'B': (3, (16, 48, 128)),
    'b': (4, (48, 96, 200)),
    'c': (5, (150, 200, 255)),
    'y': (6, (250, 220, 90)),
    'Y': (7, (200, 160, 30)),
    'r': (8, (230, 30, 30)),
    'R': (9, (140, 0, 0)),
    'g': (10, (40, 170, 60)),
    'G': (11, (0, 100, 30)),
    'a': (12, (128, 128, 128)),
    'A': (13, (70, 70, 70)),
    'l': (14, (200, 200, 200)),
    'o': (15, (250, 140, 0)),
}

BOOK_CLOSED = """
................
................
...kkkkkkkkkkk..
..kBbbbbbbbbbk..
..kBbbbbbbbbbk..
..kBbbyyyyybbk..
..kBbbbbbbbbbk..
..kBbbyyyyybbk..
..kBbbbbbbbbbk..
..kBbbbbbbbbbk..
..kBbbbbbbbbbk..
..kBbbbbbbbbbk..
..kBkkkkkkkkkkk.
..kBwwwwwwwwwwk.
...kkkkkkkkkkkk.
................
"""

BOOK_OPEN = """
................
................
................
.kkkkkk..kkkkkk.
kwwwwwwkkwwwwwwk
kwaaaawkkwaaaawk
kwwwwwwkkwwwwwwk
kwaaaawkkwaaaawk
kwwwwwwkkwwwwwwk
kwaaaawkkwaaaawk
kwwwwwwkkwwwwwwk
kwaaaawkkwaaaawk
kbbbbbbkkbbbbbbk
.kkkkkkbbkkkkkk.
.......kk.......
................
"""

FOLDER_CLOSED = """
................
................
................
..kkkkk.........
.kyyyyyk........
.kyyyyyykkkkkkk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyyyyyk.
.kYYYYYYYYYYYYk.
.kkkkkkkkkkkkkk.
................
................
"""

FOLDER_OPEN = """
................
................
................
..kkkkk.........
.kYYYYYk........
.kYYYYYYkkkkkk..
.kYYYYYYYYYYYk..
.kYYkkkkkkkkkkkk
.kYkyyyyyyyyyyyk
.kYkyyyyyyyyyyk.
.kkyyyyyyyyyyyk.
.kkyyyyyyyyyyk..
.kyyyyyyyyyyyk..
.kkkkkkkkkkkkk..
................
................
"""

PAGE = """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkkkk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................
"""

# Glyphs drawn on the page, 7 wide and 7 high, placed at column 5, row 6.
GLYPHS = [
    ("blank", """
.......
.......
.......
.......
.......
.......
.......
"""),
    ("text", """
aaaaaa.
.......
aaaaa..
.......
aaaaaa.
.......
aaaa...
"""),
    ("question", """
..bbb..
.b...b.
.....b.
...bb..
...b...
.......
...b...
"""),
    ("globe", """
..ggg..
.gcgcg.
gccgccg
ggggggg
gccgccg
.gcgcg.
..ggg..
"""),
    ("picture", """
ccccccc
cccccyc
ccccccc
ccGcccc
cGGGcGc
GGGGGGG
ggggggg
"""),
    ("note", """
...kkk.
...k.k.
...k.k.
...k.k.
.kkk.k.
kkkkkk.
.kk.kk.
"""),
    ("film", """
AwAwAwA
AAAAAAA
AcccccA
AcccccA
AAAAAAA
AwAwAwA
.......
"""),
    ("arrow", """
...g...
...gg..
gggggg.
ggggggg
gggggg.
...gg..
...g...
"""),
    ("exclamation", """
...r...
..rrr..
..rrr..
..rrr..
...r...
.......
...r...
"""),
    ("information", """
...b...
.......
..bb...
...b...
...b...
...b...
..bbb..
"""),
    ("tick", """
......G
.....GG
....GG.
G..GG..
GGGG...
.GG....
.......
"""),
    ("cross", """
r.....r
rr...rr
.rr.rr.
..rrr..
.rr.rr.
rr...rr
r.....r
"""),
    ("key", """
.ooo...
o...o..
o...ooo
o...o.o
.ooo..o
.......
.......
"""),
    ("pencil", """
.....Rr
....oRr
...oo..
..oo...
.oo....
kw.....
k......
"""),
    ("gear", """
..a.a..
.aaaaa.
aaAAAaa
.aAwAa.
aaAAAaa
.aaaaa.
..a.a..
"""),
    ("lock", """
..AAA..
.A...A.
.A...A.
YYYYYYY
YYYkYYY
YYYkYYY
YYYYYYY
"""),
    ("envelope", """
.......
bbbbbbb
bb...bb
b.b.b.b
b..b..b
b.....b
bbbbbbb
"""),
]

STAR = """
..r..
.rrr.
rrrrr
.rrr.
..r..
"""


def grid(art):
    rows = [line for line in art.strip("\n").split("\n")]
    return [list(row) for row in rows]


def overlay(base, art, left, top):
    image = [row[:] for row in base]
    for y, row in enumerate(grid(art)):
        for x, ch in enumerate(row):
            if ch != '.':
                image[top + y][left + x] = ch
    return image


def new_variant(image):
    return overlay(image, STAR, 0, 0)


def icons():
    book_closed, book_open = grid(BOOK_CLOSED), grid(BOOK_OPEN)
    folder_closed, folder_open = grid(FOLDER_CLOSED), grid(FOLDER_OPEN)
    result = [book_closed, book_open, new_variant(book_closed), new_variant(book_open),
              folder_closed, folder_open, new_variant(folder_closed), new_variant(folder_open)]
    for _, glyph in GLYPHS:
        page = overlay(grid(PAGE), glyph, 5, 6)
        result += [page, new_variant(page)]
    assert len(result) == 42
    for image in result:
        assert len(image) == 16 and all(len(row) == 16 for row in image), image
    return result


def lzw_encode(pixels, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    table = {(i,): i for i in range(clear)}
    next_code, width = end + 1, min_code_size + 1
    bits, nbits, out = 0, 0, bytearray()

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    current = (pixels[0],)
    for p in pixels[1:]:
        candidate = current + (p,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            next_code, width = end + 1, min_code_size + 1
        current = (p,)
    emit(table[current])
    # The decoder adds an entry for this last code too and may widen its
    # codes before reading the end code.
    if next_code >= (1 << width) and width < 12:
        width += 1
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def lzw_decode(data, min_code_size, count):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    bits = int.from_bytes(data, "little")
    position, width = 0, min_code_size + 1
    table, previous, pixels = None, None, []
    while True:
        code = (bits >> position) & ((1 << width) - 1)
        position += width
        if code == clear:
            table = [(i,) for i in range(clear)] + [None, None]
            width, previous = min_code_size + 1, None
            continue
        if code == end:
            break
        if previous is None:
            entry = table[code]
        elif code < len(table):
            entry = table[code]
            table.append(previous + entry[:1])
        else:
            entry = previous + previous[:1]
            table.append(entry)
        pixels.extend(entry)
        previous = entry
        if len(table) == (1 << width) - 1 + 1 and width < 12 and previous is not None:
            width += 1
    assert len(pixels) == count
    return pixels


def gif(image):
    colours = sorted(PALETTE.values())
    pixels = [PALETTE[ch][0] for row in image for ch in row]
    data = lzw_encode(pixels, 4)
    assert lzw_decode(data, 4, len(pixels)) == pixels
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", 16, 16, 0x80 | (3 << 4) | 3, 0, 0)
    for _, rgb in colours:
        out += bytes(rgb)
    out += bytes([0x21, 0xF9, 4, 0x01, 0, 0, 0, 0])  # transparent colour 0
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, 16, 16, 0)
    out.append(4)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out += b"\x00\x3B"
    return bytes(out)


def contact_sheet(images, path, scale=4):
    """A PNG of all icons in a row of 42, for looking at them."""
    colours = {ch: rgb for ch, (_, rgb) in PALETTE.items()}
    colours['.'] = (235, 235, 235)
    width, height = 42 * 17 * scale, 16 * scale
    rows = []
    for y in range(height):
        row = bytearray([0])
        for n in range(42):
            for x in range(17 * scale):
                ix, iy = x // scale, y // scale
                row += bytes(colours[images[n][iy][ix]] if ix < 16 else (255, 255, 255))
        rows.append(bytes(row))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows))) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    images = icons()
    blobs = [gif(image) for image in images]
    for n, blob in enumerate(blobs, 1):
        with open(os.path.join(here, "%d.gif" % n), "wb") as f:
            f.write(blob)
    lines = ["// Generated by compiledhelp/icons/make_icons.py: do not edit.",
             "// The 42 contents-entry icons as GIF files, image number n at index n - 1.",
             "", '#include "compiledhelp/ChmIcons.h"', "", "namespace {", "", "// clang-format off"]
    for n, blob in enumerate(blobs, 1):
        lines.append("const unsigned char kIcon%d[] = {" % n)
        for i in range(0, len(blob), 12):
            lines.append("    " + ", ".join("0x%02x" % b for b in blob[i:i + 12]) + ",")
        lines.append("};")
    lines += ["// clang-format on", "", "const std::string_view kIcons[] = {"]
    for n in range(1, 43):
        lines.append("    {reinterpret_cast<const char*>(kIcon%d), sizeof kIcon%d}," % (n, n))
    lines += ["};", "", "} // namespace", "",
              "std::string_view ChmIconGif(int number) {",
              "    if (number < 1 || number > kChmIconCount)",
              "        return {};",
              "    return kIcons[number - 1];",
              "}", ""]
    with open(os.path.join(here, "..", "ChmIconData.cpp"), "w") as f:
        f.write("\n".join(lines))
    if len(sys.argv) == 3 and sys.argv[1] == "--sheet":
        contact_sheet(images, sys.argv[2])


if __name__ == "__main__":
    main()
