#!/usr/bin/env python3
"""Draws the debugger's images and writes them next to this script:

  BreakpointsToolbar.bmp  the Breakpoints window's toolbar, 16 x 15 each, 0xC0C0C0 transparent
  BreakpointImages.bmp    the Breakpoints list's rows, 16 x 16, white transparent
  DebugListImages.bmp     the Call Stack and variables lists, 16 x 16, 0x00FF00 transparent:
                          0 open table, 1 closed table, 2 value, 3 function,
                          4 the frame shown, 5 another frame

Built from the pieces of draw_images.py; run it after changing a picture.
"""
import os

from draw_images import EMPTY, HERE, PAGE, TOOLBAR, grid, stamp, strip_pixels, table, write_bmp

BREAKPOINT = TOOLBAR[[i for i, p in enumerate(TOOLBAR) if p[3] == '.....RRRRRR.....'][0]]

HOLLOW_BREAKPOINT = grid([
    '.....RRRRRR.....',
    '....RwwwwwwR....',
    '...RwwwwwwwwR...',
    '...RwwwwwwwwR...',
    '...RwwwwwwwwR...',
    '...RwwwwwwwwR...',
    '...RwwwwwwwwR...',
    '...RwwwwwwwwR...',
    '....RwwwwwwR....',
    '.....RRRRRR.....',
], top=3)

CROSS = [  # 7 x 7
    'kk...kk',
    '.kk.kk.',
    '..kkk..',
    '...k...',
    '..kkk..',
    '.kk.kk.',
    'kk...kk',
]

PLUS = [  # 5 x 5
    '..k..',
    '..k..',
    'kkkkk',
    '..k..',
    '..k..',
]

ARROW_RIGHT = [  # 8 x 7
    '....k...',
    '....kk..',
    'kkkkkyk.',
    'kyyyyyyk',
    'kkkkkyk.',
    '....kk..',
    '....k...',
]

LIST_LINES = grid([
    '.kkkkkkkkkkkkk..',
    '.kwwwwwwwwwwwk..',
    '.kwrwKKKKKKKwk..',
    '.kwwwwwwwwwwwk..',
    '.kwrwKKKKKKwwk..',
    '.kwwwwwwwwwwwk..',
    '.kwrwKKKKKKKwk..',
    '.kwwwwwwwwwwwk..',
    '.kwrwKKKKKwwwk..',
    '.kwwwwwwwwwwwk..',
    '.kkkkkkkkkkkkk..',
], top=2)

# New Breakpoint, Delete, Clear All Breakpoints, Go To Source Code, Disable All, Properties
BREAKPOINTS_TOOLBAR = [
    stamp(BREAKPOINT, PLUS, 11, 0),
    stamp(EMPTY, CROSS, 4, 4),
    stamp(stamp(stamp(EMPTY, BREAKPOINT[3:13], -3, 0), BREAKPOINT[3:13], 3, 5), CROSS, 9, 9),
    stamp(stamp(EMPTY, PAGE, 1, 1), ARROW_RIGHT, 8, 9),
    HOLLOW_BREAKPOINT,
    LIST_LINES,
]

VALUE = grid([
    '.......b........',
    '......bbb.......',
    '.....bbcbb......',
    '....bbcccbb.....',
    '.....bbcbb......',
    '......bbb.......',
    '.......b........',
], top=4)

FUNCTION = grid([
    '..mmmmmmmmmmmm..',
    '..m..........m..',
    '..m.....mmm..m..',
    '..m....m.....m..',
    '..m..mmmmm...m..',
    '..m....m.....m..',
    '..m....m.....m..',
    '..m....m.....m..',
    '..m...m......m..',
    '..m..........m..',
    '..mmmmmmmmmmmm..',
], top=2)

OTHER_FRAME = grid([
    '....K...........',
    '....KK..........',
    'KKKKKwK.........',
    'KwwwwwwK........',
    'KKKKKwK.........',
    '....KK..........',
    '....K...........',
], top=4)

DEBUG_LIST_IMAGES = [
    table('c'),
    table('y'),
    VALUE,
    FUNCTION,
    stamp(EMPTY, ARROW_RIGHT, 4, 4),
    stamp(EMPTY, OTHER_FRAME, 4, 0),
]


def main():
    write_bmp(os.path.join(HERE, 'BreakpointsToolbar.bmp'),
              strip_pixels(BREAKPOINTS_TOOLBAR, (192, 192, 192))[:15])
    write_bmp(os.path.join(HERE, 'BreakpointImages.bmp'), strip_pixels([BREAKPOINT], (255, 255, 255)))
    write_bmp(os.path.join(HERE, 'DebugListImages.bmp'), strip_pixels(DEBUG_LIST_IMAGES, (0, 255, 0)))


if __name__ == '__main__':
    main()
