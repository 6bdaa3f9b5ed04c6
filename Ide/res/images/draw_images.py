#!/usr/bin/env python3
"""Draws the IDE's images and writes them next to this script:

  Toolbar.bmp      the main toolbar's buttons, 16 x 16 each, 0xC0C0C0 transparent
  FileImages.bmp   the project files tree and the file tabs, 0x00FF00 transparent
  Navigator.bmp    the Code Navigator tree, 0x00FF00 transparent
  FullScreen.bmp   the Full Screen toolbar's one button, 16 x 15, 0xC0C0C0 transparent
  Vorn.ico         the program (32 x 32 and 16 x 16)
  LuaDocument.ico  a Lua source document (32 x 32 and 16 x 16)

The 16-pixel images are pixel art: one character per pixel, see PALETTE. The icons
are drawn from shapes. Run it after changing a picture; the outputs are committed.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

PALETTE = {
    'k': (0, 0, 0),
    'K': (128, 128, 128),
    'g': (212, 208, 200),
    'w': (255, 255, 255),
    'y': (255, 226, 120),
    'Y': (214, 166, 48),
    'o': (240, 128, 16),
    'b': (40, 96, 220),
    'B': (0, 0, 128),
    'c': (160, 196, 255),
    'r': (220, 36, 36),
    'R': (128, 0, 0),
    'p': (255, 176, 176),
    'G': (0, 120, 0),
    'l': (56, 184, 56),
    'm': (160, 64, 184),
    'n': (150, 96, 48),
}

EMPTY = ['.' * 16] * 16


def grid(rows, top=0):
    """A 16 x 16 picture from up to 16 rows of 16 characters, placed from row top."""
    out = list(EMPTY)
    for i, row in enumerate(rows):
        if len(row) != 16:
            raise ValueError('row %r is %d wide' % (row, len(row)))
        out[top + i] = row
    return out


def stamp(base, pattern, x, y):
    """Lays a smaller pattern over a picture; its '.' pixels leave the picture as it is."""
    out = [list(r) for r in base]
    for dy, row in enumerate(pattern):
        for dx, ch in enumerate(row):
            if ch != '.' and 0 <= y + dy < 16 and 0 <= x + dx < 16:
                out[y + dy][x + dx] = ch
    return [''.join(r) for r in out]


def mirror(picture):
    return [row[::-1] for row in picture]


def recolour(pattern, mapping):
    return [''.join(mapping.get(ch, ch) for ch in row) for row in pattern]


# ---------------------------------------------------------------------------------
# Shared pieces

PAGE = [  # 11 x 14, a sheet with a folded corner and lines of text
    'KKKKKKKK...',
    'KwwwwwwKK..',
    'KwwwwwwKwK.',
    'KwKKKKwKKKK',
    'KwwwwwwwwwK',
    'KwKKKKKKKwK',
    'KwwwwwwwwwK',
    'KwKKKKKKwwK',
    'KwwwwwwwwwK',
    'KwKKKKKKKwK',
    'KwwwwwwwwwK',
    'KwKKKKKwwwK',
    'KwwwwwwwwwK',
    'KKKKKKKKKKK',
]

BLANK_PAGE = [  # 11 x 14 without text
    'KKKKKKKK...',
    'KwwwwwwKK..',
    'KwwwwwwKwK.',
    'KwwwwwwKKKK',
] + ['KwwwwwwwwwK'] * 9 + ['KKKKKKKKKKK']

SMALL_PAGE = [  # 9 x 11
    'KKKKKK...',
    'KwwwwKK..',
    'KwwwwKwK.',
    'KwKKKKKKK',
    'KwwwwwwwK',
    'KwKKKKKwK',
    'KwwwwwwwK',
    'KwKKKKwwK',
    'KwwwwwwwK',
    'KwKKKKKwK',
    'KKKKKKKKK',
]

FOLDER = [  # 16 x 10, closed
    '.KKKKK..........',
    'KwwwwwK.........',
    'KyyyyyyKKKKKKKK.',
    'KyyyyyyyyyyyyyK.',
    'KyyyyyyyyyyyyyK.',
    'KyyyyyyyyyyyyyK.',
    'KyyyyyyyyyyyyyK.',
    'KyyyyyyyyyyyyyK.',
    'KYYYYYYYYYYYYYK.',
    'KKKKKKKKKKKKKKK.',
]

OPEN_FOLDER = [  # 16 x 10
    '.KKKK...........',
    'KYYYYK..........',
    'KYYYYYKKKKKKK...',
    'KYYYYYYYYYYYK...',
    'KYYYKKKKKKKKKKKK',
    'KYYKyyyyyyyyyyK.',
    'KYKyyyyyyyyyyK..',
    'KKyyyyyyyyyyK...',
    'KyyyyyyyyyyK....',
    'KKKKKKKKKKK.....',
]

FLOPPY = [  # 10 x 10
    'kkkkkkkkkk',
    'kbwwwwwwbk',
    'kbwwwwwwbk',
    'kbwwwwwwbk',
    'kbbbbbbbbk',
    'kbbbbbbbbk',
    'kbbggggbbk',
    'kbbgBBgbbk',
    'kbbggggbbk',
    'kkkkkkkkkk',
]

SMALL_MAGNIFIER = [  # 8 x 8
    '.kkkk...',
    'kwcccK..',
    'kccccK..',
    'kccccK..',
    '.kkkkn..',
    '.....nn.',
    '......nn',
    '.......n',
]

BRACES = [  # 16 x 7, "{ }" below a stepping arrow
    '...KK......KK...',
    '..K..........K..',
    '..K..........K..',
    '.K............K.',
    '..K..........K..',
    '..K..........K..',
    '...KK......KK...',
]

BLUE_DISK = [  # 7 x 7
    '..bbb..',
    '.bbbbb.',
    'bbbbbwb',
    'bbbbbbb',
    'bbbbbbb',
    '.bbbbb.',
    '..bbb..',
]

STAR = [  # 7 x 7
    '...o...',
    '..oyo..',
    'ooyyyoo',
    '.oyyyo.',
    '.oyoyo.',
    'oo...oo',
    '.......',
]

SHORTCUT = [  # 7 x 7, the arrow of an alias
    'kkkkkkk',
    'kwwwwwk',
    'kwwwbwk',
    'kbbbbbk',
    'kwwwbwk',
    'kwwwwwk',
    'kkkkkkk',
]

DIAMOND = grid([
    '.......k........',
    '......kmk.......',
    '.....kmmmk......',
    '....kmmmmmk.....',
    '...kmmpmmmmk....',
    '..kmmmmmmmmmk...',
    '...kmmmmmmmk....',
    '....kmmmmmk.....',
    '.....kmmmk......',
    '......kmk.......',
    '.......k........',
], top=2)

VARIABLE_BOX = grid([
    '..BBBBBBBBBBBB..',
    '..BccwcccccccB..',
    '..BcccccccccbB..',
    '..BccccccccbbB..',
    '..BbbbbbbbbbbB..',
    '..BBBBBBBBBBBB..',
], top=5)


def table(header):
    return grid([
        '.KKKKKKKKKKKKKK.',
        '.K' + header * 12 + 'K.',
        '.K' + header * 12 + 'K.',
        '.KKKKKKKKKKKKKK.',
        '.KwwwKwwwwKwwwK.',
        '.KwwwKwwwwKwwwK.',
        '.KKKKKKKKKKKKKK.',
        '.KwwwKwwwwKwwwK.',
        '.KwwwKwwwwKwwwK.',
        '.KKKKKKKKKKKKKK.',
        '.KwwwKwwwwKwwwK.',
        '.KwwwKwwwwKwwwK.',
        '.KKKKKKKKKKKKKK.',
    ], top=2)


BRIEFCASE = grid([
    '.....kkkkkk.....',
    '.....k....k.....',
    '.kkkkkkkkkkkkkk.',
    '.knnnnnnnnnnnnk.',
    '.knnnnnnnnnnnnk.',
    '.knnnnnnnnnnnnk.',
    '.kkkkkkyykkkkkk.',
    '.knnnnnyynnnnnk.',
    '.knnnnnnnnnnnnk.',
    '.knnnnnnnnnnnnk.',
    '.knnnnnnnnnnnnk.',
    '.kkkkkkkkkkkkkk.',
], top=2)

LUA_PAGE = stamp(stamp(EMPTY, PAGE, 2, 1), BLUE_DISK, 9, 9)
PLAIN_PAGE = stamp(EMPTY, PAGE, 2, 1)
XML_PAGE = stamp(stamp(EMPTY, BLANK_PAGE, 2, 1), [
    '..o...o..',
    '.oo...oo.',
    'oo.....oo',
    '.oo...oo.',
    '..o...o..',
], 3, 7)

# ---------------------------------------------------------------------------------
# The toolbar, in button order (resource.h / Vorn.rc list the commands)

TOOLBAR = [
    # New
    stamp(EMPTY, BLANK_PAGE, 3, 1),
    # Open
    stamp(EMPTY, OPEN_FOLDER, 0, 3),
    # Save
    stamp(EMPTY, [
        'kkkkkkkkkkkkkk',
        'kbbwwwwwwwwbbk',
        'kbbwwwwwwwwbbk',
        'kbbwwwwwwwwbbk',
        'kbbwwwwwwwwbbk',
        'kbbbbbbbbbbbbk',
        'kbbbbbbbbbbbbk',
        'kbbbggggggbbbk',
        'kbbbggBBggbbbk',
        'kbbbggBBggbbbk',
        'kbbbggggggbbbk',
        'kkkkkkkkkkkkkk',
    ], 1, 2),
    # Save All
    stamp(stamp(EMPTY, FLOPPY, 0, 0), FLOPPY, 5, 5),
    # Cut
    grid([
        '....k.....k.....',
        '....k.....k.....',
        '.....k...k......',
        '.....k...k......',
        '......k.k.......',
        '......k.k.......',
        '.......k........',
        '......bKb.......',
        '.....b...b......',
        '...bbb...bbb....',
        '..b...b.b...b...',
        '..b...b.b...b...',
        '..b...b.b...b...',
        '...bbb...bbb....',
    ], top=1),
    # Copy
    stamp(stamp(EMPTY, SMALL_PAGE, 1, 0), SMALL_PAGE, 6, 5),
    # Paste
    stamp(stamp(stamp(EMPTY, [
        'kkkkkkkkkkk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'knnnnnnnnnk',
        'kkkkkkkkkkk',
    ], 1, 2), [
        '.kkkkk.',
        'kgggggk',
        'kkkkkkk',
    ], 3, 1), SMALL_PAGE, 7, 5),
    # Undo
    grid([
        '....b...........',
        '...bb...........',
        '..bbbbbbbbb.....',
        '.bbbbbbbbbbbb...',
        '..bbbbbbbbbbbb..',
        '...bb......bbb..',
        '....b.......bb..',
        '............bb..',
        '...........bbb..',
        '.........bbbb...',
        '........bbb.....',
    ], top=3),
    None,  # Redo: the mirror of Undo, filled in below
    # Find
    grid([
        '...kkkk.........',
        '..kccccK........',
        '.kccwcccK.......',
        '.kcwccccK.......',
        '.kccccccK.......',
        '.kccccccK.......',
        '..kccccK........',
        '...kkkknn.......',
        '.......nnn......',
        '........nnn.....',
        '.........nnn....',
        '..........nnn...',
        '...........nn...',
    ], top=1),
    # Find in Files
    stamp(stamp(EMPTY, FOLDER, 0, 2), SMALL_MAGNIFIER, 8, 8),
    # File Hotlist
    stamp(stamp(EMPTY, PAGE, 1, 0), STAR, 9, 9),
    # Compile
    stamp(stamp(EMPTY, PAGE, 1, 0), [
        '..lll..',
        '..lll..',
        '..lll..',
        'lllllll',
        '.lllll.',
        '..lll..',
        '...l...',
    ], 9, 9),
    # Build
    grid([
        '.KKKKKKKKKKKKKK.',
        '.KrrrrrrKrrrrrK.',
        '.KrrrrrrKrrrrrK.',
        '.KKKKKKKKKKKKKK.',
        '.KrrrKrrrrrrKrK.',
        '.KrrrKrrrrrrKrK.',
        '.KKKKKKKKKKKKKK.',
        '.KrrrrrrKrrrrrK.',
        '.KrrrrrrKrrrrrK.',
        '.KKKKKKKKKKKKKK.',
    ], top=3),
    # Execute
    grid([
        '......rrr.......',
        '.....rrrrr......',
        '.....rrrrr......',
        '.....rrrrr......',
        '......rrr.......',
        '......rrr.......',
        '......rrr.......',
        '.......r........',
        '.......r........',
        '................',
        '......rrr.......',
        '.....rrrrr......',
        '......rrr.......',
    ], top=1),
    # Start / Continue
    grid([
        '....k...........',
        '....kk..........',
        '....klk.........',
        '....kllk........',
        '....klllk.......',
        '....kllllk......',
        '....klllllk.....',
        '....kllllllk....',
        '....klllllk.....',
        '....kllllk......',
        '....klllk.......',
        '....kllk........',
        '....klk.........',
        '....kk..........',
        '....k...........',
    ], top=1),
    # Break
    grid(['...kkkk..kkkk...'] + ['...kbbk..kbbk...'] * 10 + ['...kkkk..kkkk...'], top=2),
    # Stop
    grid(['...kkkkkkkkkk...'] + ['...kbbbbbbbbk...'] * 8 + ['...kkkkkkkkkk...'], top=3),
    # Step Into
    stamp(grid([
        '.......bb.......',
        '.......bb.......',
        '.......bb.......',
        '.......bb.......',
        '.......bb.......',
        '....bbbbbbbb....',
        '.....bbbbbb.....',
        '......bbbb......',
        '.......bb.......',
    ]), BRACES, 0, 9),
    # Step Over
    stamp(grid([
        '................',
        '.....bbbbbb.....',
        '...bb......bb...',
        '..b.........bb..',
        '.b..........bb..',
        '.b........bbbbbb',
        '.b.........bbbb.',
        '.b..........bb..',
    ]), BRACES, 0, 9),
    # Step Out
    stamp(stamp(EMPTY, BRACES, 0, 9), [
        '..bb..',
        '.bbbb.',
        'bbbbbb',
        '..bb..',
        '..bb..',
        '..bb..',
        '..bb..',
        '..bb..',
        '..bb..',
        '..bb..',
        '..bb..',
    ], 5, 1),
    # Toggle Breakpoint
    grid([
        '.....RRRRRR.....',
        '....RrrrrrrR....',
        '...RrpprrrrrR...',
        '...RrprrrrrrR...',
        '...RrrrrrrrrR...',
        '...RrrrrrrrrR...',
        '...RrrrrrrrrR...',
        '...RrrrrrrrrR...',
        '....RrrrrrrR....',
        '.....RRRRRR.....',
    ], top=3),
    # Project Explorer
    grid([
        'kkkkkkkkkkkkkkkk',
        'kBBBBBBBBBBBBBBk',
        'kwwwwwwwwwwwwwwk',
        'kwyyyKKKKKKwwwwk',
        'kwwKwwwwwwwwwwwk',
        'kwwKKbbKKKKKwwwk',
        'kwwKwwwwwwwwwwwk',
        'kwwKKbbKKKKwwwwk',
        'kwwKwwwwwwwwwwwk',
        'kwwKKyyKKKKKKwwk',
        'kwwwwwwwwwwwwwwk',
        'kkkkkkkkkkkkkkkk',
    ], top=2),
    # Output
    grid([
        'kkkkkkkkkkkkkkkk',
        'kBBBBBBBBBBBBBBk',
        'kwwwwwwwwwwwwwwk',
        'kwwwwwwwwwwwwwwk',
        'kwwwwwwwwwwwwwwk',
        'kcccccccccccccck',
        'kwKKKKKKKKwwwwwk',
        'kwwwwwwwwwwwwwwk',
        'kwKKKKKKwwwwwwwk',
        'kwwwwwwwwwwwwwwk',
        'kwKKKKKKKKKKwwwk',
        'kkkkkkkkkkkkkkkk',
    ], top=2),
]
TOOLBAR[8] = mirror(TOOLBAR[7])

FILE_IMAGES = [
    stamp(stamp(EMPTY, SMALL_PAGE, 1, 0), SMALL_PAGE, 6, 5),  # documents
    BRIEFCASE,                                                  # project
    stamp(EMPTY, FOLDER, 0, 3),                                 # closed folder
    stamp(EMPTY, OPEN_FOLDER, 0, 3),                            # open folder
    LUA_PAGE,                                                   # Lua source
    PLAIN_PAGE,                                                 # plain document
    XML_PAGE,                                                   # XML document
]

NAVIGATOR_IMAGES = [
    BRIEFCASE,                                                  # project
    LUA_PAGE,                                                   # file
    table('b'),                                                 # table
    DIAMOND,                                                    # function
    VARIABLE_BOX,                                               # variable
    table('l'),                                                 # base table
    stamp(EMPTY, recolour(FOLDER, {'y': 'c', 'Y': 'b'}), 0, 3),  # global variables
    stamp(EMPTY, recolour(FOLDER, {'y': 'l', 'Y': 'G'}), 0, 3),  # local variables
    stamp(EMPTY, recolour(FOLDER, {'y': 'p', 'Y': 'm'}), 0, 3),  # aliases
    stamp(DIAMOND, SHORTCUT, 0, 9),                             # function alias
    stamp(VARIABLE_BOX, SHORTCUT, 0, 9),                        # other alias
]

# ---------------------------------------------------------------------------------
# Writers


# The Full Screen toolbar's button: a screen whose corners the arrows push outwards.
FULL_SCREEN = [
    '................',
    '.kkkkkkkkkkkkkk.',
    '.kBBBwwwwwwBBBk.',
    '.kBBwwwwwwwwBBk.',
    '.kBwBwwwwwwBwBk.',
    '.kwwwBwwwwBwwwk.',
    '.kwwwwwwwwwwwwk.',
    '.kwwwwwwwwwwwwk.',
    '.kwwwwwwwwwwwwk.',
    '.kwwwBwwwwBwwwk.',
    '.kBwBwwwwwwBwBk.',
    '.kBBwwwwwwwwBBk.',
    '.kBBBwwwwwwBBBk.',
    '.kkkkkkkkkkkkkk.',
    '......kkkk......',
    '................',
]


def strip_pixels(pictures, transparent):
    """The pictures side by side as rows of RGB tuples, top row first."""
    rows = []
    for y in range(16):
        row = []
        for picture in pictures:
            for ch in picture[y]:
                row.append(transparent if ch == '.' else PALETTE[ch])
        rows.append(row)
    return rows


def write_bmp(path, rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


class Canvas:
    """A square RGBA drawing surface with anti-aliasing by supersampling."""

    def __init__(self, size, samples=4):
        self.size = size
        self.samples = samples
        n = size * samples
        self.px = [[(0, 0, 0, 0)] * n for _ in range(n)]

    def fill(self, inside, colour):
        n = self.size * self.samples
        for y in range(n):
            fy = (y + 0.5) / self.samples
            for x in range(n):
                if inside((x + 0.5) / self.samples, fy):
                    self.px[y][x] = colour

    def pixels(self):
        """Rows of (r, g, b, a), averaged over each pixel's samples."""
        s = self.samples
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                acc = [0, 0, 0, 0]
                for sy in range(s):
                    for sx in range(s):
                        r, g, b, a = self.px[y * s + sy][x * s + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                if acc[3] == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], acc[3] // (s * s)))
            rows.append(row)
        return rows


def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def disk(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def vorn_icon(size):
    """A blue tile with a white V and a gold dot: the program."""
    c = Canvas(size)
    s = size / 32.0
    c.fill(rounded_rect(1 * s, 1 * s, 31 * s, 31 * s, 6 * s), (20, 60, 150, 255))
    c.fill(rounded_rect(2.5 * s, 2.5 * s, 29.5 * s, 29.5 * s, 5 * s), (40, 100, 210, 255))
    c.fill(polygon([(6 * s, 7 * s), (11.5 * s, 7 * s), (16 * s, 20 * s), (20.5 * s, 7 * s),
                    (26 * s, 7 * s), (18.5 * s, 26 * s), (13.5 * s, 26 * s)]), (255, 255, 255, 255))
    c.fill(disk(24.5 * s, 23.5 * s, 3.2 * s), (255, 200, 40, 255))
    return c.pixels()


def lua_document_icon(size):
    """A sheet with a folded corner and a blue disk: a Lua source file."""
    c = Canvas(size)
    s = size / 32.0
    c.fill(polygon([(5 * s, 1 * s), (20 * s, 1 * s), (28 * s, 9 * s), (28 * s, 31 * s), (5 * s, 31 * s)]),
           (110, 110, 110, 255))
    c.fill(polygon([(6 * s, 2 * s), (19.5 * s, 2 * s), (27 * s, 9.5 * s), (27 * s, 30 * s), (6 * s, 30 * s)]),
           (255, 255, 255, 255))
    c.fill(polygon([(19.5 * s, 2 * s), (27 * s, 9.5 * s), (19.5 * s, 9.5 * s)]), (200, 200, 200, 255))
    for i, width in enumerate((9, 12, 7)):
        y = (12 + i * 4) * s
        c.fill(lambda x, yy, y=y, w=width: 9 * s <= x <= (9 + w) * s and y <= yy <= y + 1.5 * s,
               (150, 150, 150, 255))
    c.fill(disk(20 * s, 23 * s, 6.5 * s), (30, 60, 170, 255))
    c.fill(disk(22.5 * s, 20.5 * s, 2 * s), (255, 255, 255, 255))
    return c.pixels()


def write_ico(path, images):
    """One .ico with 32-bit images (colour with alpha, and the AND mask)."""
    entries = []
    blobs = []
    for rows in images:
        size = len(rows)
        xor = bytearray()
        for row in reversed(rows):
            for (r, g, b, a) in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(header + xor + mask)
        entries.append(size)
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    for size, blob in zip(entries, blobs):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


def main():
    write_bmp(os.path.join(HERE, 'Toolbar.bmp'), strip_pixels(TOOLBAR, (192, 192, 192)))
    write_bmp(os.path.join(HERE, 'FileImages.bmp'), strip_pixels(FILE_IMAGES, (0, 255, 0)))
    write_bmp(os.path.join(HERE, 'Navigator.bmp'), strip_pixels(NAVIGATOR_IMAGES, (0, 255, 0)))
    write_bmp(os.path.join(HERE, 'FullScreen.bmp'), strip_pixels([FULL_SCREEN], (192, 192, 192))[:15])
    write_ico(os.path.join(HERE, 'Vorn.ico'), [vorn_icon(32), vorn_icon(16)])
    write_ico(os.path.join(HERE, 'LuaDocument.ico'), [lua_document_icon(32), lua_document_icon(16)])


if __name__ == '__main__':
    main()
