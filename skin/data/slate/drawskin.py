#!/usr/bin/env python3
"""Draws Slate, the skin the console ships with: every bitmap, the description (slate.ini) and
the notes on its looks (LOOKS.md) beside this script. The build packs the bitmaps and the ini
into the package that the console's main form carries; run this again after changing the
palette or a picture below and commit what it writes.

One calm palette: a dark blue-grey title bar with white text, a light menu bar and light
control faces with a thin darker edge, and one blue accent for what is hot, selected or
focused. Magenta (255, 0, 255) marks the pixels the engine leaves transparent.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ---- the palette ----------------------------------------------------------------------------------

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)

TITLE = (44, 62, 80)              # the active title bar
TITLE_OUTLINE = (26, 37, 48)      # the window's outer line while active
TITLE_SHINE = (60, 80, 100)       # the title bar's top line, under the outline
TITLE_TEXT = (255, 255, 255)
TITLE_GLYPH = (226, 231, 236)     # title-button glyphs at rest
TITLE_HOT = (72, 93, 115)
TITLE_PRESSED = (26, 38, 50)
TITLE_IDLE = (88, 100, 112)       # the title bar of an inactive window
TITLE_IDLE_OUTLINE = (70, 80, 90)
TITLE_IDLE_SHINE = (100, 112, 124)
TITLE_IDLE_TEXT = (232, 236, 240)
TITLE_IDLE_GLYPH = (196, 203, 210)
FRAME_SIDE = (214, 219, 225)      # the window's sides and bottom inside the outline
FRAME_IDLE_SIDE = (226, 229, 233)
CLOSE_HOT = (196, 43, 28)
CLOSE_PRESSED = (150, 30, 20)

FACE = (240, 242, 245)            # forms, panels, tool bar, status bar
MENU_BAR = (247, 248, 250)
MENU = (252, 252, 253)
TEXT = (24, 28, 33)               # near-black for every caption
EDGE = (160, 168, 177)            # the thin darker edge of controls
SOFT_EDGE = (206, 211, 217)       # edges of disabled controls, separators
SHADOW = (90, 98, 108)            # edit borders, group box outlines, disabled menu text
DARK_SHADOW = (64, 70, 78)
BUTTON = (250, 251, 252)          # a push button's face
DISABLED = (244, 245, 247)        # a disabled control's face
ACCENT = (0, 102, 180)            # hot, selected, focused
ACCENT_DARK = (0, 78, 140)
ACCENT_LIGHT = (150, 192, 229)    # the inner line of a focused button
HOT = (229, 241, 251)             # the face of what the mouse is over
PRESSED = (200, 224, 245)
SELECTED = (214, 232, 248)        # the selected menu item
SELECTED_EDGE = (140, 186, 228)
GLYPH = (64, 72, 82)              # arrows and marks at rest
GLYPH_DISABLED = (176, 182, 189)
TRACK = (236, 238, 241)           # scroll tracks
TRACK_HOT = (224, 228, 233)
TRACK_PRESSED = (206, 213, 221)
THUMB = (186, 193, 201)
THUMB_EDGE = (158, 166, 175)
THUMB_HOT = (150, 160, 171)
THUMB_HOT_EDGE = (126, 136, 148)
GRIP = (226, 230, 234)
GRIP_HOT = (238, 241, 244)
GRIP_PRESSED = (186, 214, 238)

# ---- pictures -------------------------------------------------------------------------------------


class Picture:
    """A frame being drawn: rows of (r, g, b), y from the top."""

    def __init__(self, w, h, colour=MAGENTA):
        self.w, self.h = w, h
        self.rows = [[colour] * w for _ in range(h)]

    def put(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the columns x0..x1-1 of the rows y0..y1-1."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.rows[y][x] = colour

    def outline(self, x0, y0, x1, y1, colour):
        """The one-pixel border of the rectangle x0..x1-1, y0..y1-1."""
        self.fill(x0, y0, x1, y0 + 1, colour)
        self.fill(x0, y1 - 1, x1, y1, colour)
        self.fill(x0, y0, x0 + 1, y1, colour)
        self.fill(x1 - 1, y0, x1, y1, colour)

    def box(self, x0, y0, x1, y1, face, edge, rounded=False):
        """A face with a one-pixel edge; rounded leaves its four corner pixels transparent."""
        self.fill(x0, y0, x1, y1, face)
        self.outline(x0, y0, x1, y1, edge)
        if rounded:
            for x, y in ((x0, y0), (x1 - 1, y0), (x0, y1 - 1), (x1 - 1, y1 - 1)):
                self.put(x, y, MAGENTA)

    def pixels(self, points, colour, dx=0, dy=0):
        for x, y in points:
            self.put(x + dx, y + dy, colour)


def strip(frames, stacked=False):
    """Frames side by side (or one below the other) as one picture."""
    w, h = frames[0].w, frames[0].h
    whole = Picture(w, h * len(frames)) if stacked else Picture(w * len(frames), h)
    for n, frame in enumerate(frames):
        ox, oy = (0, n * h) if stacked else (n * w, 0)
        for y in range(h):
            for x in range(w):
                whole.rows[oy + y][ox + x] = frame.rows[y][x]
    return whole


def write_bmp(name, picture):
    """A 24-bit bottom-up bitmap file."""
    stride = (picture.w * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(picture.h)):
        line = bytearray()
        for r, g, b in picture.rows[y]:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, picture.w, picture.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(header + info + data)


# ---- glyphs (points relative to the glyph's own top-left) ------------------------------------------

def triangle(direction, size):
    """A filled arrow head pointing up, down, left or right: `size` rows from its tip."""
    points = []
    for row in range(size):
        for offset in range(-row, row + 1):
            points.append((offset, row))
    turn = {'up': lambda x, y: (x, y), 'down': lambda x, y: (x, size - 1 - y),
            'left': lambda x, y: (y, x), 'right': lambda x, y: (size - 1 - y, x)}[direction]
    return [turn(x, y) for x, y in points]


def chevron_down(width):
    """A down-pointing chevron two pixels thick, `width` pixels wide (odd)."""
    half = width // 2
    points = []
    for i in range(half + 1):
        points += [(i, i), (width - 1 - i, i), (i, i + 1), (width - 1 - i, i + 1)]
    return points


TICK = [(0, 3), (1, 4), (2, 5), (3, 4), (4, 3), (5, 2), (6, 1),
        (0, 4), (1, 5), (2, 6), (3, 5), (4, 4), (5, 3), (6, 2)]

CROSS = [(i, i) for i in range(8)] + [(7 - i, i) for i in range(8)] + \
        [(i + 1, i) for i in range(7)] + [(6 - i, i) for i in range(7)]
MINIMISE = [(x, y) for x in range(9) for y in (7, 8)]
MAXIMISE = [(x, 0) for x in range(9)] + [(x, 1) for x in range(9)] + [(x, 8) for x in range(9)] + \
           [(0, y) for y in range(9)] + [(8, y) for y in range(9)]
RESTORE = [(x, 2) for x in range(7)] + [(x, 3) for x in range(7)] + [(x, 8) for x in range(7)] + \
          [(0, y) for y in range(2, 9)] + [(6, y) for y in range(2, 9)] + \
          [(x, 0) for x in range(2, 9)] + [(8, y) for y in range(0, 7)] + [(2, 1), (7, 6)]
HELP = [(2, 0), (3, 0), (4, 0), (5, 0), (1, 1), (6, 1), (6, 2), (5, 3), (4, 4), (3, 5), (3, 6),
        (3, 8), (4, 8), (1, 2)]


def glyph_size(points):
    return max(x for x, _ in points) + 1, max(y for _, y in points) + 1


def centred(picture, points, colour, x0=0, y0=0, w=None, h=None):
    """Draws the glyph centred in the area (the whole picture by default)."""
    w = picture.w if w is None else w
    h = picture.h if h is None else h
    gw, gh = glyph_size(points)
    picture.pixels(points, colour, x0 + (w - gw) // 2, y0 + (h - gh) // 2)


# ---- the window frame -----------------------------------------------------------------------------

TITLE_HEIGHT = 26
SIDE = 4           # width of the left and right borders, height of the bottom border
ROUNDED = {(0, 0), (1, 0), (2, 0), (0, 1), (0, 2)}       # the top-left corner, left out
CORNER_LINE = {(3, 0), (1, 1), (2, 1), (1, 2), (0, 3)}    # the outline following it

LOOKS = {  # active, inactive
    'title': (TITLE, TITLE_IDLE), 'outline': (TITLE_OUTLINE, TITLE_IDLE_OUTLINE),
    'shine': (TITLE_SHINE, TITLE_IDLE_SHINE), 'side': (FRAME_SIDE, FRAME_IDLE_SIDE),
}


def side_border(look, mirrored):
    """The left border (the right one mirrored): the title bar's end above, the side below."""
    title, outline, shine, side = (LOOKS[k][look] for k in ('title', 'outline', 'shine', 'side'))
    height = 60
    p = Picture(SIDE, height, side)
    p.fill(0, 0, SIDE, TITLE_HEIGHT, title)
    p.fill(1, 1, SIDE, 2, shine)
    p.fill(0, 0, 1, height, outline)
    p.fill(0, 0, SIDE, 1, outline)
    p.fill(0, height - 1, SIDE, height, outline)
    p.pixels(ROUNDED, MAGENTA)
    p.pixels(CORNER_LINE, outline)
    if mirrored:
        p.rows = [list(reversed(row)) for row in p.rows]
    return p


def top_border(look):
    title, outline, shine = (LOOKS[k][look] for k in ('title', 'outline', 'shine'))
    p = Picture(80, TITLE_HEIGHT, title)
    p.fill(0, 0, 80, 1, outline)
    p.fill(0, 1, 80, 2, shine)
    return p


def bottom_border(look):
    outline, side = LOOKS['outline'][look], LOOKS['side'][look]
    p = Picture(80, SIDE, side)
    p.fill(0, SIDE - 1, 80, SIDE, outline)
    return p


# ---- title buttons --------------------------------------------------------------------------------

TITLE_BUTTON = (24, 20)   # width, height; placed 3 pixels below the window's top


def title_button(glyph, close=False, on_menu_bar=False):
    """Four frames: at rest, pressed, hot, and at rest in an inactive window."""
    w, h = TITLE_BUTTON if not on_menu_bar else (16, 14)
    frames = []
    if on_menu_bar:
        # The menu bar's buttons of a maximised child window: the fourth frame is their hot look.
        looks = [(MENU_BAR, None, GLYPH), (PRESSED, ACCENT_DARK, TEXT), (MENU_BAR, None, GLYPH), (HOT, ACCENT, TEXT)]
    else:
        hot = CLOSE_HOT if close else TITLE_HOT
        pressed = CLOSE_PRESSED if close else TITLE_PRESSED
        looks = [(TITLE, None, TITLE_GLYPH), (pressed, None, WHITE), (hot, None, WHITE),
                 (TITLE_IDLE, None, TITLE_IDLE_GLYPH)]
    for face, edge, colour in looks:
        p = Picture(w, h, face)
        if edge:
            p.outline(0, 0, w, h, edge)
        centred(p, glyph, colour)
        frames.append(p)
    return strip(frames)


def window_icon():
    """The window-icon button's picture, which gives its box: the engine draws the window's own
    icon there."""
    p = Picture(16, 16, TITLE)
    p.box(1, 2, 15, 12, (236, 240, 244), (200, 208, 216))
    p.fill(3, 4, 13, 10, ACCENT)
    p.fill(4, 6, 8, 7, WHITE)
    p.fill(5, 12, 11, 14, (200, 208, 216))
    return p


def mdi_controls():
    """Minimise, restore and close of a maximised child window, four looks each."""
    frames = []
    for glyph in (MINIMISE, RESTORE, CROSS):
        one = title_button(glyph, on_menu_bar=True)
        for n in range(4):
            f = Picture(16, 14)
            for y in range(14):
                f.rows[y] = one.rows[y][n * 16:(n + 1) * 16]
            frames.append(f)
    return strip(frames)


# ---- menus ----------------------------------------------------------------------------------------

def menu_bar(look):
    return Picture(40, 20, MENU_BAR if look == 0 else (244, 245, 247))


def menu_item(frame):
    """1 at rest, 2 the separator (its bottom eight rows hold the line; opaque, so that the
    popup's frame does not show through at its ends), 3 disabled, 4 selected, 5 at rest again."""
    p = Picture(40, 20, MENU)
    if frame == 2:
        p.fill(2, 15, 38, 16, SOFT_EDGE)
    elif frame == 4:
        p.box(0, 0, 40, 20, SELECTED, SELECTED_EDGE)
    return p


def menu_background():
    p = Picture(40, 40, MENU)
    p.outline(0, 0, 40, 40, EDGE)
    return p


# ---- buttons and marks ----------------------------------------------------------------------------

def push_button(frame):
    """1 at rest, 2 pressed, 3 disabled, 4 hot, 5 focused."""
    p = Picture(24, 22)
    face, edge = {1: (BUTTON, EDGE), 2: (PRESSED, ACCENT_DARK), 3: (DISABLED, SOFT_EDGE),
                  4: (HOT, ACCENT), 5: (BUTTON, ACCENT)}[frame]
    p.box(0, 0, 24, 22, face, edge, rounded=True)
    if frame == 5:
        p.outline(1, 1, 23, 21, ACCENT_LIGHT)
    return p


def tool_button(frame):
    """The tool bar's own strip (read, not drawn by the console): as the push button, square."""
    p = push_button(frame)
    for x, y in ((0, 0), (23, 0), (0, 21), (23, 21)):
        p.put(x, y, p.rows[1][1] if frame != 5 else ACCENT)
    return p


MARK_LOOKS = ['normal', 'hot', 'pressed', 'disabled']


def check_mark(kind, look):
    """Unchecked, checked or indeterminate, in one of the four looks; 13 x 13, round corners."""
    p = Picture(13, 13)
    if kind == 'checked':
        face = {'normal': ACCENT, 'hot': (26, 124, 204), 'pressed': ACCENT_DARK, 'disabled': DISABLED}[look]
        edge = {'disabled': SOFT_EDGE}.get(look, face)
        p.box(0, 0, 13, 13, face, edge, rounded=True)
        p.pixels(TICK, GLYPH_DISABLED if look == 'disabled' else WHITE, 3, 3)
        return p
    face = {'normal': WHITE, 'hot': (240, 247, 253), 'pressed': PRESSED, 'disabled': DISABLED}[look]
    edge = {'normal': (118, 126, 136), 'hot': ACCENT, 'pressed': ACCENT_DARK, 'disabled': SOFT_EDGE}[look]
    p.box(0, 0, 13, 13, face, edge, rounded=True)
    if kind == 'indeterminate':
        p.fill(3, 3, 10, 10, GLYPH_DISABLED if look == 'disabled' else ACCENT)
    return p


def radio_mark(checked, look):
    p = Picture(13, 13)
    face = {'normal': WHITE, 'hot': (240, 247, 253), 'pressed': PRESSED, 'disabled': DISABLED}[look]
    edge = {'normal': (118, 126, 136), 'hot': ACCENT, 'pressed': ACCENT_DARK, 'disabled': SOFT_EDGE}[look]
    if checked and look != 'disabled':
        edge = ACCENT if look != 'pressed' else ACCENT_DARK
    dot = GLYPH_DISABLED if look == 'disabled' else (ACCENT_DARK if look == 'pressed' else ACCENT)
    for y in range(13):
        for x in range(13):
            d = math.hypot(x - 6, y - 6)
            if d <= 6.2:
                p.put(x, y, edge if d > 5.0 else face)
            if checked and d <= 2.6:
                p.put(x, y, dot)
    return p


# ---- tabs, headers, panels ------------------------------------------------------------------------

def tab(frame):
    """1 at rest, 2 selected, 3 hot, 4 pressed, 5 disabled; open at the bottom, round on top."""
    p = Picture(40, 20)
    face, edge = {1: ((228, 232, 237), EDGE), 2: (FACE, EDGE), 3: (HOT, EDGE), 4: (PRESSED, ACCENT_DARK),
                  5: (DISABLED, SOFT_EDGE)}[frame]
    p.fill(0, 0, 40, 20, face)
    p.fill(0, 0, 1, 20, edge)
    p.fill(39, 0, 40, 20, edge)
    p.fill(0, 0, 40, 1, edge)
    if frame == 2:
        p.fill(1, 1, 39, 3, ACCENT)
    for x, y in ((0, 0), (1, 0), (2, 0), (0, 1), (0, 2)):
        p.put(x, y, MAGENTA)
        p.put(39 - x, y, MAGENTA)
    p.pixels({(1, 1), (2, 1), (1, 2)}, edge)
    p.pixels({(38, 1), (37, 1), (38, 2)}, edge)
    return p


def pane():
    p = Picture(30, 30, FACE)
    p.outline(0, 0, 30, 30, EDGE)
    return p


def status_edge(frame):
    """1 a lowered panel, 2 a raised one, 3 a panel without bevel."""
    p = Picture(20, 20, FACE)
    if frame == 1:
        p.fill(0, 0, 20, 1, SOFT_EDGE)
        p.fill(0, 0, 1, 20, SOFT_EDGE)
        p.fill(0, 19, 20, 20, WHITE)
        p.fill(19, 0, 20, 20, WHITE)
    elif frame == 2:
        p.fill(0, 0, 20, 1, WHITE)
        p.fill(0, 0, 1, 20, WHITE)
        p.fill(0, 19, 20, 20, SOFT_EDGE)
        p.fill(19, 0, 20, 20, SOFT_EDGE)
    return p


def header(frame):
    """1 at rest, 2 hot, 3 pressed, 4 disabled, 5 at rest again."""
    face, line = {1: (BUTTON, EDGE), 2: (HOT, ACCENT), 3: (PRESSED, ACCENT_DARK), 4: (DISABLED, SOFT_EDGE),
                  5: (BUTTON, EDGE)}[frame]
    p = Picture(30, 20, face)
    p.fill(0, 19, 30, 20, line)
    p.fill(29, 3, 30, 17, SOFT_EDGE)
    return p


def group_box(size=30):
    p = Picture(size, size, FACE)
    p.outline(0, 0, size, size, EDGE)
    for x, y in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
        p.put(x, y, FACE)
    return p


def sunken_edge(frame):
    """The border of a combo box's text: 1 at rest, 2 pressed, 3 disabled, 4 hot or focused."""
    edge, inner = {1: (EDGE, WHITE), 2: (ACCENT_DARK, WHITE), 3: (SOFT_EDGE, DISABLED), 4: (ACCENT, WHITE)}[frame]
    p = Picture(30, 21, WHITE if frame != 3 else DISABLED)
    p.outline(0, 0, 30, 21, edge)
    p.outline(1, 1, 29, 20, inner)
    return p


def combo_button(frame):
    """The drop-down button, laid over the edge's right end: the edge's lines on three sides."""
    edge = {1: EDGE, 2: ACCENT_DARK, 3: SOFT_EDGE, 4: ACCENT}[frame]
    face = {1: (244, 246, 248), 2: PRESSED, 3: DISABLED, 4: HOT}[frame]
    p = Picture(18, 21, face)
    p.fill(0, 0, 18, 1, edge)
    p.fill(0, 20, 18, 21, edge)
    p.fill(17, 0, 18, 21, edge)
    p.fill(0, 3, 1, 18, SOFT_EDGE if frame in (1, 3) else edge)
    return p


def extra_image(frame):
    """1-4 the combo box's arrow (at rest, pressed, disabled, hot); 5 the size grip."""
    p = Picture(12, 12)
    if frame == 5:
        for x, y in ((9, 3), (6, 6), (9, 6), (3, 9), (6, 9), (9, 9)):
            p.fill(x, y, x + 2, y + 2, EDGE)
        return p
    colour = {1: GLYPH, 2: TEXT, 3: GLYPH_DISABLED, 4: ACCENT_DARK}[frame]
    centred(p, chevron_down(7), colour)
    return p


def progress(frame):
    p = Picture(40, 16)
    if frame == 1:
        p.box(0, 0, 40, 16, WHITE, EDGE, rounded=True)
    else:
        p.box(0, 0, 40, 16, ACCENT, ACCENT_DARK, rounded=True)
        p.fill(1, 1, 39, 2, (64, 146, 212))
    return p


def progress_chunk():
    p = Picture(8, 10, ACCENT)
    p.fill(7, 0, 8, 10, (64, 146, 212))
    return p


# ---- scroll bars ----------------------------------------------------------------------------------

def scroll_cell(frame):
    """The 23 cells: arrows left (1-4), right (5-8), up (9-12), down (13-16), each at rest,
    pressed, disabled, hot; the grip of a horizontal thumb (17-19) and of a vertical one
    (20-22), at rest, pressed, hot; 23 the corner between two bars."""
    p = Picture(16, 16, TRACK)
    if frame <= 16:
        direction = ['left', 'right', 'up', 'down'][(frame - 1) // 4]
        look = (frame - 1) % 4
        face = [TRACK, TRACK_PRESSED, TRACK, TRACK_HOT][look]
        colour = [GLYPH, TEXT, GLYPH_DISABLED, TEXT][look]
        p.fill(0, 0, 16, 16, face)
        centred(p, triangle(direction, 4), colour)
        return p
    if frame <= 22:
        p = Picture(16, 16)
        vertical = frame >= 20
        look = (frame - 17) % 3
        colour = [GRIP, GRIP_PRESSED, GRIP_HOT][look]
        for k in (6, 8, 10):
            if vertical:
                p.fill(5, k, 11, k + 1, colour)
            else:
                p.fill(k, 5, k + 1, 11, colour)
        return p
    return p


def scroll_track(frame, vertical):
    """1 at rest, 2 hot, 3 disabled, 4 pressed."""
    face = {1: TRACK, 2: TRACK_HOT, 3: DISABLED, 4: TRACK_PRESSED}[frame]
    return Picture(16, 30, face) if vertical else Picture(30, 16, face)


def scroll_thumb(frame, vertical):
    """1 at rest, 2 pressed, 3 hot: a rounded bar narrower than the track."""
    face, edge = {1: (THUMB, THUMB_EDGE), 2: (ACCENT, ACCENT_DARK), 3: (THUMB_HOT, THUMB_HOT_EDGE)}[frame]
    if vertical:
        p = Picture(16, 20)
        p.box(3, 1, 13, 19, face, edge, rounded=True)
    else:
        p = Picture(20, 16)
        p.box(1, 3, 19, 13, face, edge, rounded=True)
    return p


# ---- track bars and up-down buttons ---------------------------------------------------------------

THUMB_LOOKS = {1: (WHITE, EDGE), 2: (WHITE, EDGE), 3: (HOT, ACCENT), 4: (PRESSED, ACCENT_DARK), 5: (DISABLED, SOFT_EDGE)}


def track_thumb(frame, shape):
    """1 and 2 at rest (the engine draws 2), 3 hot, 4 pressed, 5 disabled. `shape` is the
    plain thumb ('horz', 'vert') or one pointing 'left', 'right', 'up' or 'down'."""
    face, edge = THUMB_LOOKS[frame]
    tall = shape in ('horz', 'up', 'down')
    w, h = (11, 20) if tall else (20, 11)
    p = Picture(w, h)
    p.box(0, 0, w, h, face, edge, rounded=True)
    if shape in ('horz', 'vert'):
        return p
    # A point of five pixels at one end.
    length = 5
    for i in range(length):
        cut = length - i  # pixels cut from each side, row i from the tip
        for j in range(cut):
            if shape == 'up':
                p.put(j, i, MAGENTA), p.put(w - 1 - j, i, MAGENTA)
            elif shape == 'down':
                p.put(j, h - 1 - i, MAGENTA), p.put(w - 1 - j, h - 1 - i, MAGENTA)
            elif shape == 'left':
                p.put(i, j, MAGENTA), p.put(i, h - 1 - j, MAGENTA)
            else:
                p.put(w - 1 - i, j, MAGENTA), p.put(w - 1 - i, h - 1 - j, MAGENTA)
        if shape == 'up':
            p.put(cut, i, edge), p.put(w - 1 - cut, i, edge)
        elif shape == 'down':
            p.put(cut, h - 1 - i, edge), p.put(w - 1 - cut, h - 1 - i, edge)
        elif shape == 'left':
            p.put(i, cut, edge), p.put(i, h - 1 - cut, edge)
        else:
            p.put(w - 1 - i, cut, edge), p.put(w - 1 - i, h - 1 - cut, edge)
    return p


def channel(vertical):
    if vertical:
        p = Picture(4, 30, (226, 230, 234))
        p.outline(0, 0, 4, 30, EDGE)
    else:
        p = Picture(30, 4, (226, 230, 234))
        p.outline(0, 0, 30, 4, EDGE)
    return p


UPDOWN_LOOKS = {1: (BUTTON, EDGE, GLYPH), 2: (PRESSED, ACCENT_DARK, TEXT), 3: (DISABLED, SOFT_EDGE, GLYPH_DISABLED),
                4: (HOT, ACCENT, TEXT)}


def updown(frame, vertical):
    """1-4 the first button (up or left), 5-8 the second: at rest, pressed, disabled, hot."""
    face, edge, _ = UPDOWN_LOOKS[(frame - 1) % 4 + 1]
    w, h = (16, 10) if vertical else (16, 16)
    p = Picture(w, h)
    p.box(0, 0, w, h, face, edge, rounded=True)
    return p


def updown_glyph(frame, vertical):
    _, _, colour = UPDOWN_LOOKS[(frame - 1) % 4 + 1]
    first = frame <= 4
    if vertical:
        p = Picture(8, 6)
        centred(p, triangle('up' if first else 'down', 3), colour)
    else:
        p = Picture(8, 8)
        centred(p, triangle('left' if first else 'right', 3), colour)
    return p


# ---- what is drawn --------------------------------------------------------------------------------

def frames(count, draw, stacked=False):
    return strip([draw(n) for n in range(1, count + 1)], stacked)


# file, picture, what it shows
IMAGES = [
    ('left.bmp', lambda: strip([side_border(0, False), side_border(1, False)]),
     'left border, active and inactive; its top 26 rows are the title bar\'s end, round at the top'),
    ('right.bmp', lambda: strip([side_border(0, True), side_border(1, True)]), 'right border, mirrored'),
    ('top.bmp', lambda: strip([top_border(0), top_border(1)], stacked=True), 'title bar, active above inactive'),
    ('bottom.bmp', lambda: strip([bottom_border(0), bottom_border(1)], stacked=True), 'bottom border, active above inactive'),
    ('textback.bmp', lambda: Picture(40, 20, TITLE), 'title text background (not drawn: Textbackground is 0)'),
    ('menubar.bmp', lambda: strip([menu_bar(0), menu_bar(1)]), 'menu bar, active and inactive'),
    ('buttons.bmp', lambda: frames(5, push_button), 'push button: at rest, pressed, disabled, hot, focused'),
    ('check.bmp', lambda: strip([check_mark(kind, look) for kind in ('unchecked', 'checked', 'indeterminate')
                                 for look in MARK_LOOKS]),
     'check mark: unchecked, checked, indeterminate, each at rest, hot, pressed, disabled'),
    ('radio.bmp', lambda: strip([radio_mark(checked, look) for checked in (False, True) for look in MARK_LOOKS]),
     'radio mark: unchecked, checked, each at rest, hot, pressed, disabled'),
    ('tabs.bmp', lambda: frames(5, tab), 'tabs: at rest, selected, hot, pressed, disabled'),
    ('tabborder.bmp', pane, 'tab pane of style 0'),
    ('tabpane.bmp', pane, 'tab pane'),
    ('statusbar.bmp', lambda: frames(3, status_edge), 'status bar panels: lowered, raised, without bevel'),
    ('header.bmp', lambda: frames(5, header), 'list header items: at rest, hot, pressed, disabled, at rest'),
    ('groupbox.bmp', group_box, 'group box'),
    ('groupboxedge.bmp', lambda: strip([group_box(), group_box()]), 'group box edge'),
    ('sunkedge.bmp', lambda: frames(4, sunken_edge), 'combo box text border: at rest, pressed, disabled, hot'),
    ('combobutton.bmp', lambda: frames(4, combo_button), 'combo box button: at rest, pressed, disabled, hot'),
    ('extraimages.bmp', lambda: frames(5, extra_image), 'combo box arrow in its four looks; the size grip'),
    ('toolbars.bmp', lambda: frames(5, tool_button), 'tool bar buttons (read, not drawn by the console)'),
    ('progress.bmp', lambda: frames(2, progress), 'progress bar: empty, filled'),
    ('progresschunk.bmp', progress_chunk, 'progress chunk'),
    ('menuitem.bmp', lambda: frames(5, menu_item), 'menu item: at rest, separator, disabled, selected, at rest'),
    ('menubg.bmp', menu_background, 'popup menu frame and background'),
    ('scrollbar.bmp', lambda: frames(23, scroll_cell), 'scroll bar arrows, thumb grips and corner'),
    ('hscroll.bmp', lambda: frames(4, lambda n: scroll_track(n, False)), 'horizontal track: at rest, hot, disabled, pressed'),
    ('vscroll.bmp', lambda: frames(4, lambda n: scroll_track(n, True)), 'vertical track: at rest, hot, disabled, pressed'),
    ('hthumb.bmp', lambda: frames(3, lambda n: scroll_thumb(n, False)), 'horizontal thumb: at rest, pressed, hot'),
    ('vthumb.bmp', lambda: frames(3, lambda n: scroll_thumb(n, True)), 'vertical thumb: at rest, pressed, hot'),
    ('thumbhorz.bmp', lambda: frames(5, lambda n: track_thumb(n, 'horz')), 'track bar thumb'),
    ('thumbvert.bmp', lambda: frames(5, lambda n: track_thumb(n, 'vert')), 'vertical track bar thumb'),
    ('thumbleft.bmp', lambda: frames(5, lambda n: track_thumb(n, 'left')), 'track bar thumb pointing left'),
    ('thumbright.bmp', lambda: frames(5, lambda n: track_thumb(n, 'right')), 'track bar thumb pointing right'),
    ('thumbup.bmp', lambda: frames(5, lambda n: track_thumb(n, 'up')), 'track bar thumb pointing up'),
    ('thumbdown.bmp', lambda: frames(5, lambda n: track_thumb(n, 'down')), 'track bar thumb pointing down'),
    ('track.bmp', lambda: channel(False), 'track bar channel'),
    ('trackvert.bmp', lambda: channel(True), 'vertical track bar channel'),
    ('updownh.bmp', lambda: frames(8, lambda n: updown(n, False)), 'up-down buttons, left and right'),
    ('updownhglyph.bmp', lambda: frames(8, lambda n: updown_glyph(n, False)), 'their arrows'),
    ('updownv.bmp', lambda: frames(8, lambda n: updown(n, True)), 'up-down buttons, up and down'),
    ('updownvglyph.bmp', lambda: frames(8, lambda n: updown_glyph(n, True)), 'their arrows'),
    ('mdicontrols.bmp', mdi_controls, 'a maximised child window\'s minimise, restore and close'),
    ('btnclose.bmp', lambda: title_button(CROSS, close=True), 'close: at rest, pressed, hot (red), inactive'),
    ('btnmax.bmp', lambda: title_button(MAXIMISE), 'maximise'),
    ('btnrestore.bmp', lambda: title_button(RESTORE), 'restore'),
    ('btnmin.bmp', lambda: title_button(MINIMISE), 'minimise'),
    ('btnhelp.bmp', lambda: title_button(HELP), 'help'),
    ('sysicon.bmp', window_icon, 'the window-icon button\'s box (the window\'s own icon is drawn in it)'),
    ('mdiclose.bmp', lambda: title_button(CROSS, on_menu_bar=True), 'a maximised child window\'s close in the menu bar'),
]

# ---- the description ------------------------------------------------------------------------------

def rgb(c):
    return '%d %d %d' % c


def bgr(c):
    """A colour as the engine's integer colour keys take it: 0x00BBGGRR."""
    return '0x00%02X%02X%02X' % (c[2], c[1], c[0])


def border(side, image, top, bottom):
    return [(side, image), (side + 'TopHeight', top), (side + 'BotHeight', bottom), (side + 'Frame', 2),
            (side + 'Stretch', 1), (side + 'Trans', 1)]


def margins(l, t, r, b):
    return [('LeftWidth', l), ('TopHeight', t), ('RightWidth', r), ('BottomHeight', b)]


def title_button_keys(action, align, x, y, visibility, image, visibility1=None, frame=4):
    keys = [('Action', action), ('Align', align), ('Xcoord', x), ('Ycoord', y), ('Visibility', visibility)]
    if visibility1 is not None:
        keys.append(('Visibility1', visibility1))
    return keys + [('frame', frame), ('ButtonImage', image)]


COLOURS = [
    ('WindowText', TEXT), ('ButtonFace', FACE), ('Scrollbar', TRACK), ('HilightText', TEXT),
    ('Hilight', SELECTED), ('Menubar', MENU_BAR), ('Menu', MENU), ('MenuText', TEXT), ('ButtonText', TEXT),
    ('ButtonHilight', ACCENT), ('Buttonlight', WHITE), ('ButtonShadow', SHADOW), ('ButtonDkShadow', DARK_SHADOW),
    ('MenuBarText', TEXT), ('TitleTextActive', TITLE_TEXT), ('TitleTextNoActive', TITLE_IDLE_TEXT),
]

BUTTON_Y = 3
SECTIONS = [
    ('TitlebarSkin', [('SkinName', 'Slate')]),
    ('Personality',
     border('Left', 'left.bmp', TITLE_HEIGHT, SIDE) + border('Right', 'right.bmp', TITLE_HEIGHT, SIDE) +
     border('Top', 'top.bmp', 20, 20) + border('Bottom', 'bottom.bmp', 10, 10) +
     [('menuBar', 'menubar.bmp'), ('TileMenu', 1), ('TileLeftMenu', 6), ('TileRightMenu', 6),
      ('TextBack', 'textback.bmp'), ('TextShift', 10), ('TextShiftVert', 6), ('TextRightClip', 8),
      ('TextAlignment', 0), ('Textbackground', 0), ('TXTBackleft', 4), ('TXTBackRight', 4),
      ('ActiveTextR', TITLE_TEXT[0]), ('ActiveTextG', TITLE_TEXT[1]), ('ActiveTextB', TITLE_TEXT[2]),
      ('InActiveTextR', TITLE_IDLE_TEXT[0]), ('InActiveTextG', TITLE_IDLE_TEXT[1]),
      ('InActiveTextB', TITLE_IDLE_TEXT[2])]),
    ('Fonts', [('FontHeight', 14)]),
    ('Colours', [(name, rgb(value)) for name, value in COLOURS]),
    ('Colour1', [('color', rgb(ACCENT))]),
    ('Colour2', [('color', rgb(TITLE))]),
    ('Customcolors', [('Color%d' % i, rgb(c)) for i, c in enumerate(
        [TITLE, TITLE_IDLE, ACCENT, ACCENT_DARK, HOT, PRESSED, FACE, EDGE, SHADOW, TEXT])]),
    ('Buttons', [('Bitmap', 'buttons.bmp')] + margins(4, 4, 4, 4) +
     [('Trans', 1), ('Tile', 0), ('CheckButton', 'check.bmp'), ('CheckButtonFrame', 12),
      ('RadioButton', 'radio.bmp'), ('RadioButtonFrame', 8),
      ('NormalColour', bgr(TEXT)), ('MouseOverColour', bgr(TEXT)), ('PressedColour', bgr(TEXT)),
      ('NormalColour2', rgb(TEXT)), ('MouseOverColour2', rgb(TEXT)), ('PressedColour2', rgb(TEXT))]),
    ('Tabs', [('Image', 'tabs.bmp'), ('Border', 'tabborder.bmp'), ('Style', 1)] + margins(4, 4, 4, 0) +
     [('Trans', 1), ('Tile', 0), ('NormalColour2', rgb(TEXT)), ('MouseOverColour2', rgb(TEXT))]),
    ('Tab.Pane', [('Image', 'tabpane.bmp')] + margins(4, 4, 4, 4)),
    ('StatusBarEdges', [('Image', 'statusbar.bmp')] + margins(2, 2, 2, 2) + [('NormalColour2', rgb(TEXT))]),
    ('Headerbar', [('Image', 'header.bmp'), ('Frame', 5)] + margins(3, 3, 3, 3)),
    ('GroupBox', [('Image', 'groupbox.bmp')] + margins(6, 6, 6, 6) +
     [('BackgroundAlignment', 0), ('BackgroundLeftShift', 8), ('BackgroundRightShift', 8)]),
    ('GroupBoxEdge', [('Image', 'groupboxedge.bmp')] + margins(4, 4, 4, 4)),
    ('SunkEdge', [('Image', 'sunkedge.bmp')] + margins(2, 2, 2, 2) + [('Trans', 0)]),
    ('ComboButton', [('Image', 'combobutton.bmp'), ('Trans', 1)]),
    ('ExtraImages', [('Image', 'extraimages.bmp'), ('Trans', 1)]),
    ('ToolBars', [('Image', 'toolbars.bmp')] + margins(3, 3, 3, 3)),
    ('Progress', [('Bitmap', 'progress.bmp'), ('Style', 0)] + margins(3, 3, 3, 3) + [('Trans', 1), ('Tile', 0)]),
    ('Progress.Chunk', [('Image', 'progresschunk.bmp'), ('Frame', 1), ('Tile', 1)]),
    ('MenuItem', [('Image', 'menuitem.bmp')] + margins(4, 2, 4, 2) + [('Trans', 0), ('Tile', 0)]),
    ('MenuBackground', [('Image', 'menubg.bmp')] + margins(3, 3, 3, 3) + [('Tile', 0)]),
    ('Scrollbar', [('Image', 'scrollbar.bmp'), ('Trans', 1)]),
    ('HorzScroll', [('Image', 'hscroll.bmp')] + margins(3, 0, 3, 0)),
    ('VertScroll', [('Image', 'vscroll.bmp')] + margins(0, 3, 0, 3)),
    ('HorzScrollThumb', [('Image', 'hthumb.bmp'), ('FrameCount', 3)] + margins(3, 3, 3, 3) + [('Trans', 1)]),
    ('VertScrollThumb', [('Image', 'vthumb.bmp'), ('FrameCount', 3)] + margins(3, 3, 3, 3) + [('Trans', 1)]),
    ('Trackbar.ThumbHorz', [('Image', 'thumbhorz.bmp'), ('Trans', 1)]),
    ('Trackbar.ThumbVert', [('Image', 'thumbvert.bmp'), ('Trans', 1)]),
    ('Trackbar.ThumbLeft', [('Image', 'thumbleft.bmp'), ('Trans', 1)]),
    ('Trackbar.ThumbRight', [('Image', 'thumbright.bmp'), ('Trans', 1)]),
    ('Trackbar.ThumbUp', [('Image', 'thumbup.bmp'), ('Trans', 1)]),
    ('Trackbar.ThumbDown', [('Image', 'thumbdown.bmp'), ('Trans', 1)]),
    ('UpDown.Horz', [('Image', 'updownh.bmp'), ('GlyphImage', 'updownhglyph.bmp'), ('Trans', 1)]),
    ('UpDown.Vert', [('Image', 'updownv.bmp'), ('GlyphImage', 'updownvglyph.bmp'), ('Trans', 1)]),
    ('Track', [('Image', 'track.bmp'), ('Frame', 1)] + margins(3, 0, 3, 0)),
    ('TRACKVERT', [('Image', 'trackvert.bmp'), ('Frame', 1)] + margins(0, 3, 0, 3)),
    ('MDICONTROLS', [('Image', 'mdicontrols.bmp')]),
    # The title buttons, from the right: close, maximise or restore, minimise, and help when the
    # window asks for it; the window's icon at the left of windows that are not dialogs.
    ('Button1', title_button_keys(0, 1, SIDE + 24, BUTTON_Y, 0, 'btnclose.bmp')),
    ('Button2', title_button_keys(1, 1, SIDE + 48, BUTTON_Y, 2, 'btnmax.bmp', visibility1=6)),
    ('Button3', title_button_keys(22, 1, SIDE + 48, BUTTON_Y, 1, 'btnrestore.bmp', visibility1=6)),
    ('Button4', title_button_keys(2, 1, SIDE + 72, BUTTON_Y, 8, 'btnmin.bmp', visibility1=8)),
    ('Button5', title_button_keys(3, 0, 6, 5, 0, 'sysicon.bmp', frame=1)),
    ('Button6', title_button_keys(40, 1, SIDE + 96, BUTTON_Y, 1000, 'btnhelp.bmp')),
    ('Button7', title_button_keys(62, 100, 20, 0, 100, 'mdiclose.bmp', visibility1=100)),
]


def write_ini():
    lines = ['; Slate, the skin the console ships with. Drawn by drawskin.py, which writes this file;',
             '; its looks are in LOOKS.md.']
    for section, keys in SECTIONS:
        lines.append('')
        lines.append('[%s]' % section)
        lines += ['%s=%s' % (key, value) for key, value in keys]
    with open(os.path.join(HERE, 'slate.ini'), 'w', newline='\r\n') as f:
        f.write('\n'.join(lines) + '\n')


def write_looks():
    out = ['# Slate: the skin the console ships with', '',
           'The bitmaps and slate.ini in this folder are drawn by drawskin.py; the build packs them into',
           'the package that the console\'s main form carries (skin/data/slate.skn of the build folder,',
           'CMake\'s SHIPPED_SKIN_PACKAGE). The colour-plan skin one folder up stays the tests\' skin.', '',
           'Frames are counted from 1; magenta (255, 0, 255) is transparent. Every caption is near-black',
           '%s on a light face, the title white on the dark title bar; the one accent colour %s marks' % (
               rgb(TEXT), rgb(ACCENT)),
           'what is hot, selected or focused. The tests hold every text colour to a contrast of 4.5:1',
           'against the pictures it is drawn on (tests/skin/ShippedSkinTest.cpp); a disabled push',
           'button\'s caption, which the engine draws in the system\'s shadow colour, is greyed on purpose.', '',
           '| file | frames | frame size | shows |', '|---|---|---|---|']
    for name, draw, text in IMAGES:
        picture = draw()
        count = frame_count(name)
        stacked = name in ('top.bmp', 'bottom.bmp')
        w, h = (picture.w, picture.h // count) if stacked else (picture.w // count, picture.h)
        out.append('| %s | %d%s | %dx%d | %s |' % (name, count, ' stacked' if stacked else '', w, h, text))
    out += ['', '## Colours', '', '| key | colour |', '|---|---|']
    out += ['| %s | %s |' % (key, rgb(value)) for key, value in COLOURS]
    out += ['', 'Title text: %s active, %s inactive. Push buttons, tabs and the status bar draw their' % (
        rgb(TITLE_TEXT), rgb(TITLE_IDLE_TEXT)),
            'captions in %s. ButtonHilight is the accent: the engine frames a hot menu-bar item in it.' % rgb(TEXT)]
    with open(os.path.join(HERE, 'LOOKS.md'), 'w') as f:
        f.write('\n'.join(out) + '\n')


FRAME_COUNTS = {'left.bmp': 2, 'right.bmp': 2, 'top.bmp': 2, 'bottom.bmp': 2, 'menubar.bmp': 2, 'buttons.bmp': 5,
                'check.bmp': 12, 'radio.bmp': 8, 'tabs.bmp': 5, 'statusbar.bmp': 3, 'header.bmp': 5,
                'groupboxedge.bmp': 2, 'sunkedge.bmp': 4, 'combobutton.bmp': 4, 'extraimages.bmp': 5,
                'toolbars.bmp': 5, 'progress.bmp': 2, 'menuitem.bmp': 5, 'scrollbar.bmp': 23, 'hscroll.bmp': 4,
                'vscroll.bmp': 4, 'hthumb.bmp': 3, 'vthumb.bmp': 3, 'updownh.bmp': 8, 'updownhglyph.bmp': 8,
                'updownv.bmp': 8, 'updownvglyph.bmp': 8, 'mdicontrols.bmp': 12, 'btnclose.bmp': 4, 'btnmax.bmp': 4,
                'btnrestore.bmp': 4, 'btnmin.bmp': 4, 'btnhelp.bmp': 4, 'mdiclose.bmp': 4}


def frame_count(name):
    if name.startswith('thumb'):
        return 5
    return FRAME_COUNTS.get(name, 1)


def main():
    for name, draw, _ in IMAGES:
        write_bmp(name, draw())
    write_ini()
    write_looks()


if __name__ == '__main__':
    main()
