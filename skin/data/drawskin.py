#!/usr/bin/env python3
"""Draws the colour-plan skin, the tests' skin: every bitmap, the description (sablink.ini) and
the colour plan (COLOURS.md) beside this script. The build packs the bitmaps and the ini into the package; run
this again after changing the tables below and commit what it writes.

Every pixel tells what was drawn: red is 4 x the image's number, green 10 x the frame number
(from 1), blue 20 + 25 x the zone of the frame that the margins cut (0 top left, 1 top, 2 top
right, 3 left, 4 centre, 5 right, 6 bottom left, 7 bottom, 8 bottom right; an image without
margins is all centre). Magenta (255, 0, 255) marks the transparent pixels; no other pixel has a
red of 255.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)

# Transparent pixels of one frame, by the shape's name.
def corner_pixels(w, h, shape):
    round_tl = {(0, 0), (1, 0), (2, 0), (0, 1), (0, 2)}
    mirror = lambda pixels: {(w - 1 - x, y) for x, y in pixels}
    flip = lambda pixels: {(x, h - 1 - y) for x, y in pixels}
    if shape == 'round-tl':
        return round_tl
    if shape == 'round-tr':
        return mirror(round_tl)
    if shape == 'round-top':
        return round_tl | mirror(round_tl)
    if shape == 'corners':
        return {(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)}
    if shape == 'disc':
        top = {(0, 0), (1, 0), (0, 1)} | mirror({(0, 0), (1, 0), (0, 1)})
        return top | flip(top)
    if shape == 'glyph':
        # Only a centred block of half the frame's size is drawn.
        x0, y0 = w // 4, h // 4
        return {(x, y) for x in range(w) for y in range(h)
                if not (x0 <= x < x0 + (w + 1) // 2 and y0 <= y < y0 + (h + 1) // 2)}
    return set()

# name, file, frames, frame width, frame height, stacked (frames one below the other),
# margins (left, top, right, bottom), transparent shape.
IMAGES = [
    ('Left border', 'left.bmp', 2, 5, 60, False, (0, 26, 0, 5), 'round-tl'),
    ('Right border', 'right.bmp', 2, 5, 60, False, (0, 26, 0, 5), 'round-tr'),
    ('Top border (title bar)', 'top.bmp', 2, 80, 26, True, (20, 0, 20, 0), ''),
    ('Bottom border', 'bottom.bmp', 2, 80, 5, True, (10, 0, 10, 0), ''),
    ('Title text background', 'textback.bmp', 1, 40, 20, False, (0, 0, 0, 0), ''),
    ('Menu bar', 'menubar.bmp', 2, 40, 20, False, (6, 0, 6, 0), ''),
    ('Push button', 'buttons.bmp', 5, 24, 22, False, (4, 4, 4, 4), 'corners'),
    ('Check mark, 12 frames', 'check.bmp', 12, 13, 13, False, (0, 0, 0, 0), 'corners'),
    ('Radio mark, 8 frames', 'radio.bmp', 8, 13, 13, False, (0, 0, 0, 0), 'disc'),
    ('Check mark, 4 frames', 'check4.bmp', 4, 13, 13, False, (0, 0, 0, 0), 'corners'),
    ('Radio mark, 4 frames', 'radio4.bmp', 4, 13, 13, False, (0, 0, 0, 0), 'disc'),
    ('Tabs', 'tabs.bmp', 5, 40, 20, False, (4, 4, 4, 0), 'round-top'),
    ('Tab pane of style 0 (Tabs Border)', 'tabborder.bmp', 1, 30, 30, False, (4, 5, 4, 4), ''),
    ('Tab pane (Tab.Pane)', 'tabpane.bmp', 1, 30, 30, False, (4, 4, 4, 4), ''),
    ('Status bar edges', 'statusbar.bmp', 3, 20, 20, False, (2, 2, 2, 2), ''),
    ('Header bar', 'header.bmp', 5, 30, 20, False, (3, 3, 3, 3), ''),
    ('Group box', 'groupbox.bmp', 1, 30, 30, False, (6, 6, 6, 6), ''),
    ('Group box edge', 'groupboxedge.bmp', 2, 30, 30, False, (4, 4, 4, 4), ''),
    ('Sunken edge', 'sunkedge.bmp', 4, 30, 21, False, (2, 2, 2, 2), ''),
    ('Combo button', 'combobutton.bmp', 4, 18, 21, False, (0, 0, 0, 0), 'corners'),
    ('Extra images (combo arrow, size grip)', 'extraimages.bmp', 5, 12, 12, False, (0, 0, 0, 0), 'glyph'),
    ('Tool bar buttons', 'toolbars.bmp', 5, 24, 22, False, (3, 3, 3, 3), ''),
    ('Progress bar', 'progress.bmp', 2, 40, 16, False, (3, 3, 3, 3), 'corners'),
    ('Progress chunk', 'progresschunk.bmp', 1, 8, 10, False, (0, 0, 0, 0), ''),
    ('Menu item', 'menuitem.bmp', 5, 40, 20, False, (4, 2, 4, 2), ''),
    ('Menu background', 'menubg.bmp', 1, 40, 40, False, (3, 3, 3, 3), ''),
    ('Scroll bar arrows and grips', 'scrollbar.bmp', 23, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Horizontal scroll track', 'hscroll.bmp', 4, 30, 16, False, (3, 0, 3, 0), ''),
    ('Vertical scroll track', 'vscroll.bmp', 4, 16, 30, False, (0, 3, 0, 3), ''),
    ('Horizontal scroll thumb', 'hthumb.bmp', 3, 20, 16, False, (3, 3, 3, 3), 'corners'),
    ('Vertical scroll thumb', 'vthumb.bmp', 3, 16, 20, False, (3, 3, 3, 3), 'corners'),
    ('Track bar thumb, horizontal', 'thumbhorz.bmp', 5, 11, 20, False, (0, 0, 0, 0), 'corners'),
    ('Track bar thumb, vertical', 'thumbvert.bmp', 5, 20, 11, False, (0, 0, 0, 0), 'corners'),
    ('Track bar thumb, pointing left', 'thumbleft.bmp', 5, 20, 11, False, (0, 0, 0, 0), 'corners'),
    ('Track bar thumb, pointing right', 'thumbright.bmp', 5, 20, 11, False, (0, 0, 0, 0), 'corners'),
    ('Track bar thumb, pointing up', 'thumbup.bmp', 5, 11, 20, False, (0, 0, 0, 0), 'corners'),
    ('Track bar thumb, pointing down', 'thumbdown.bmp', 5, 11, 20, False, (0, 0, 0, 0), 'corners'),
    ('Track bar channel', 'track.bmp', 1, 30, 4, False, (3, 0, 3, 0), ''),
    ('Vertical track bar channel', 'trackvert.bmp', 1, 4, 30, False, (0, 3, 0, 3), ''),
    ('Up-down, horizontal', 'updownh.bmp', 8, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Up-down glyphs, horizontal', 'updownhglyph.bmp', 8, 8, 8, False, (0, 0, 0, 0), 'glyph'),
    ('Up-down, vertical', 'updownv.bmp', 8, 16, 10, False, (0, 0, 0, 0), 'corners'),
    ('Up-down glyphs, vertical', 'updownvglyph.bmp', 8, 8, 6, False, (0, 0, 0, 0), 'glyph'),
    ('MDI child buttons (3 buttons x 4 looks)', 'mdicontrols.bmp', 12, 16, 14, False, (0, 0, 0, 0), 'corners'),
    ('Title button: close', 'btnclose.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: maximise', 'btnmax.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: restore', 'btnrestore.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: minimise', 'btnmin.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: window icon', 'sysicon.bmp', 1, 16, 16, False, (0, 0, 0, 0), ''),
    ('Title button: help (6 frames by its shape)', 'btnhelp.bmp', 6, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: system menu', 'btnmenu.bmp', 3, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title lamp, active', 'lampon.bmp', 1, 8, 10, False, (0, 0, 0, 0), 'corners'),
    ('Title lamp, inactive', 'lampoff.bmp', 1, 8, 10, False, (0, 0, 0, 0), 'corners'),
    ('Title button: pin', 'btnpin.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: roll up', 'btnroll.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
    ('Title button: MDI child close', 'mdiclose.bmp', 4, 16, 16, False, (0, 0, 0, 0), 'corners'),
]

# The description, section by section in file order.
COLOURS = [
    ('WindowText', (1, 1, 1)), ('ButtonFace', (213, 209, 201)), ('Scrollbar', (197, 193, 185)),
    ('HilightText', (255, 255, 253)), ('Hilight', (49, 105, 197)), ('Menubar', (221, 217, 209)),
    ('Menu', (239, 237, 233)), ('MenuText', (5, 5, 5)), ('ButtonText', (9, 9, 9)),
    ('ButtonHilight', (253, 253, 251)), ('Buttonlight', (245, 243, 239)), ('ButtonShadow', (161, 157, 149)),
    ('ButtonDkShadow', (85, 81, 73)), ('MenuBarText', (13, 13, 13)), ('TitleTextActive', (251, 251, 249)),
    ('TitleTextNoActive', (181, 181, 181)),
]

def rgb(c):
    return '%d %d %d' % c

def border(side, image, top, bottom):
    return [(side, image), (side + 'TopHeight', top), (side + 'BotHeight', bottom), (side + 'Frame', 2),
            (side + 'Stretch', 1), (side + 'Trans', 1)]

def margins(l, t, r, b):
    return [('LeftWidth', l), ('TopHeight', t), ('RightWidth', r), ('BottomHeight', b)]

def title_button(action, align, x, y, visibility, image, visibility1=None, frame=None):
    keys = [('Action', action), ('Align', align), ('Xcoord', x), ('Ycoord', y)]
    if visibility is not None:
        keys.append(('Visibility', visibility))
    if visibility1 is not None:
        keys.append(('Visibility1', visibility1))
    if frame is not None:
        keys.append(('frame', frame))
    return keys + [('ButtonImage', image)]

SECTIONS = [
    ('TitlebarSkin', [('SkinName', 'Sablink')]),
    ('Personality',
     border('Left', 'left.bmp', 26, 5) + border('Right', 'right.bmp', 26, 5) +
     border('Top', 'top.bmp', 20, 20) + border('Bottom', 'bottom.bmp', 10, 10) +
     [('menuBar', 'menubar.bmp'), ('TileMenu', 1), ('TileLeftMenu', 6), ('TileRightMenu', 6),
      ('TextBack', 'textback.bmp'), ('TextShift', 30), ('TextShiftVert', 6), ('TextRightClip', 120),
      ('TextAlignment', 0), ('Textbackground', 0), ('TXTBackleft', 4), ('TXTBackRight', 4),
      ('ActiveTextR', 250), ('ActiveTextG', 250), ('ActiveTextB', 246),
      ('InActiveTextR', 190), ('InActiveTextG', 190), ('InActiveTextB', 186)]),
    ('Fonts', [('FontHeight', 14)]),
    ('Colours', [(name, rgb(value)) for name, value in COLOURS]),
    ('Colour1', [('color', '17 34 51')]),
    ('Colour2', [('color', '68 85 102')]),
    ('Customcolors', [('Color%d' % i, rgb((30 + i, 60 + i, 90 + i))) for i in range(10)]),
    ('Buttons', [('Bitmap', 'buttons.bmp')] + margins(4, 4, 4, 4) +
     [('Trans', 1), ('Tile', 0), ('CheckButton', 'check.bmp'), ('CheckButtonFrame', 12),
      ('RadioButton', 'radio.bmp'), ('RadioButtonFrame', 8),
      ('NormalColour', '0x00302010'), ('MouseOverColour', '0x00605040'), ('PressedColour', '0x00908070'),
      ('NormalColour2', '16 32 48'), ('MouseOverColour2', '64 80 96'), ('PressedColour2', '112 128 144')]),
    ('Tabs', [('Image', 'tabs.bmp'), ('Border', 'tabborder.bmp'), ('Style', 1)] + margins(4, 4, 4, 0) +
     [('Trans', 1), ('Tile', 0), ('NormalColour2', '33 33 33'), ('MouseOverColour2', '66 66 66')]),
    ('Tab.Pane', [('Image', 'tabpane.bmp')] + margins(4, 4, 4, 4)),
    ('StatusBarEdges', [('Image', 'statusbar.bmp')] + margins(2, 2, 2, 2) + [('NormalColour2', '3 6 9')]),
    ('Headerbar', [('Image', 'header.bmp')] + margins(3, 3, 3, 3)),
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
    ('Button1', title_button(0, 1, 22, 5, 0, 'btnclose.bmp', frame=4)),
    ('Button2', title_button(1, 1, 40, 5, 2, 'btnmax.bmp', visibility1=6, frame=4)),
    ('Button3', title_button(22, 1, 40, 5, 1, 'btnrestore.bmp', visibility1=6, frame=4)),
    ('Button4', title_button(2, 1, 58, 5, 8, 'btnmin.bmp', visibility1=8, frame=4)),
    ('Button5', title_button(3, 0, 5, 5, 0, 'sysicon.bmp')),
    ('Button6', title_button(40, 1, 76, 5, 1000, 'btnhelp.bmp')),
    ('Button7', title_button(12, 0, 24, 5, 200, 'btnmenu.bmp', frame=3)),
    ('Button8', title_button(-1, 3, 44, 8, 0, 'lampon.bmp', visibility1=3, frame=1)),
    ('Button9', title_button(-1, 3, 44, 8, 0, 'lampoff.bmp', visibility1=4, frame=1)),
    ('Button10', title_button(-1, 3, 56, 8, None, 'lampon.bmp', frame=1)),
    ('Button11', title_button(41, 1, 94, 5, 7, 'btnpin.bmp', visibility1=9, frame=4)),
    ('Button12', title_button(42, 1, 112, 5, 5, 'btnpin.bmp', frame=4)),
    ('Button13', title_button(23, 1, 112, 5, 250, 'btnroll.bmp', visibility1=4, frame=4)),
    ('Button14', title_button(11, 0, 5, 5, 1500, 'sysicon.bmp', frame=1)),
    ('Button15', title_button(62, 100, 20, 0, 100, 'mdiclose.bmp', visibility1=100, frame=4)),
]

# What each title button is there to show, for the plan.
TITLE_BUTTON_NOTES = {
    'Button1': 'close, always shown',
    'Button2': 'maximise while not maximised, with a maximize box',
    'Button3': 'restore (action 22) while maximised, with a maximize box',
    'Button4': 'minimise with a minimize box and a system menu',
    'Button5': 'window icon: no frame key, so it loses its image and shows the window icon',
    'Button6': 'help, posted as WM_SKINSYSACTION; shown when WM_SKINBUTTONQUERY answers > 0; 6 frames from its shape',
    'Button7': 'system menu (action 12) for dialog frames that are not dialogs (visibility 200); never shown, as dialog frames hide actions 3, 11 and 12',
    'Button8': 'decoration (action -1 is kept with visibility 0) while active (visibility1 3)',
    'Button9': 'decoration while inactive (visibility1 4)',
    'Button10': 'action -1 without a visibility: not a title button',
    'Button11': 'action 41, without maximize box and without minimize box',
    'Button12': 'action 42, never shown (visibility 5)',
    'Button13': 'roll up (action 23) while inactive (visibility 250 = always, visibility1 4)',
    'Button14': 'window icon (action 11) with its own image, shown when WM_SKINBUTTONQUERY answers > 0',
    'Button15': 'MDI child close (action 62) in the menu bar of an MDI frame with a maximised child',
}


def zone_of(x, y, w, h, m):
    left, top, right, bottom = m
    column = 0 if x < left else (2 if x >= w - right else 1)
    row = 0 if y < top else (2 if y >= h - bottom else 1)
    return row * 3 + column


def pixel(number, frame, x, y, w, h, m, clear):
    if (x, y) in clear:
        return MAGENTA
    return (4 * number, 10 * frame, 20 + 25 * zone_of(x, y, w, h, m))


def write_bmp(path, width, height, rows):
    """rows[y][x] = (r, g, b), y from the top; written as a 24-bit bottom-up bitmap."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        line = bytearray()
        for r, g, b in rows[y]:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def draw(number, entry):
    name, file, frames, w, h, stacked, m, shape = entry
    clear = corner_pixels(w, h, shape)
    width, height = (w, h * frames) if stacked else (w * frames, h)
    rows = [[None] * width for _ in range(height)]
    for frame in range(1, frames + 1):
        ox, oy = (0, (frame - 1) * h) if stacked else ((frame - 1) * w, 0)
        for y in range(h):
            for x in range(w):
                rows[oy + y][ox + x] = pixel(number, frame, x, y, w, h, m, clear)
    write_bmp(os.path.join(HERE, file), width, height, rows)


def write_ini():
    lines = ['; The console\'s own skin. Drawn by drawskin.py, which writes this file; colours in COLOURS.md.']
    for section, keys in SECTIONS:
        lines.append('')
        lines.append('[%s]' % section)
        lines += ['%s=%s' % (key, value) for key, value in keys]
    with open(os.path.join(HERE, 'sablink.ini'), 'w', newline='\r\n') as f:
        f.write('\n'.join(lines) + '\n')


def section_of(file):
    found = []
    for section, keys in SECTIONS:
        found += ['[%s] %s' % (section, key) for key, value in keys if value == file]
    return ', '.join(found) if found else 'not in sablink.ini (used by a variant)'


def write_plan():
    out = []
    out.append('# The colour-plan skin: the tests\' skin')
    out.append('')
    out.append('The bitmaps and sablink.ini in this folder are drawn by drawskin.py; the build packs them')
    out.append('into the skin package that the pixel tests load. The console ships with another skin,')
    out.append('Slate (slate/, its looks in slate/LOOKS.md). Every pixel here says which image, frame and')
    out.append('zone it comes from:')
    out.append('')
    out.append('- red = 4 x image number (the table below); no image pixel has red 255;')
    out.append('- green = 10 x frame number, frames counted from 1;')
    out.append('- blue = 20 + 25 x zone, where the image\'s margins (LeftWidth, TopHeight, RightWidth,')
    out.append('  BottomHeight) cut each frame into zones: 0 top left, 1 top, 2 top right, 3 left, 4 centre,')
    out.append('  5 right, 6 bottom left, 7 bottom, 8 bottom right (blue 20, 45, 70, 95, 120, 145, 170, 195,')
    out.append('  220). An image without margins is all centre (blue 120).')
    out.append('- magenta (255, 0, 255) is transparent, at the pixels the shape names, in every frame:')
    out.append('  round-tl: (0,0) (1,0) (2,0) (0,1) (0,2); round-tr: its mirror at the right edge; round-top:')
    out.append('  both; corners: the four corner pixels; disc: three pixels at each corner ((0,0) (1,0) (0,1)')
    out.append('  and mirrors); glyph: all but a centred block of half the frame (from (w/4, h/4), (w+1)/2 by')
    out.append('  (h+1)/2).')
    out.append('')
    out.append('Frames lie side by side, except the top and bottom borders, whose frames are stacked.')
    out.append('Example: frame 4 (hot) of the push button is (28, 40, 120) in its centre.')
    out.append('')
    out.append('| no. | image | file | frames | frame size | margins l,t,r,b | transparent | read as |')
    out.append('|---|---|---|---|---|---|---|---|')
    for number, entry in enumerate(IMAGES, 1):
        name, file, frames, w, h, stacked, m, shape = entry
        layout = '%d stacked' % frames if stacked else str(frames)
        out.append('| %d | %s | %s | %s | %dx%d | %s | %s | %s |' % (
            number, name, file, layout, w, h, ','.join(map(str, m)), shape or '-', section_of(file)))
    out.append('')
    out.append('## Title buttons')
    out.append('')
    out.append('| section | keys | meant to show |')
    out.append('|---|---|---|')
    for section, keys in SECTIONS:
        if section in TITLE_BUTTON_NOTES:
            text = ', '.join('%s=%s' % kv for kv in keys if kv[0] != 'ButtonImage')
            image = dict(keys)['ButtonImage']
            out.append('| %s | %s, %s | %s |' % (section, image, text, TITLE_BUTTON_NOTES[section]))
    out.append('')
    out.append('MDICONTROLS holds the three MDI child buttons (minimise, restore, close), four looks each:')
    out.append('frames 1-4, 5-8 and 9-12.')
    out.append('')
    out.append('## Colours of the description')
    out.append('')
    out.append('Section [Colours], as red green blue; none of them is an image colour (their reds are')
    out.append('not multiples of 4 or their blues not 20 + 25 x zone).')
    out.append('')
    out.append('| key | colour |')
    out.append('|---|---|')
    for key, value in COLOURS:
        out.append('| %s | %s |' % (key, rgb(value)))
    out.append('')
    out.append('Text colours: [Buttons] NormalColour2 16 32 48, MouseOverColour2 64 80 96, PressedColour2')
    out.append('112 128 144 (NormalColour, MouseOverColour, PressedColour 0x00302010, 0x00605040, 0x00908070);')
    out.append('[Tabs] NormalColour2 33 33 33, MouseOverColour2 66 66 66; [StatusBarEdges] NormalColour2 3 6 9;')
    out.append('title text 250 250 246 active, 190 190 186 inactive. Colour table: [Colour1] 17 34 51,')
    out.append('[Colour2] 68 85 102. [Customcolors] ColorN = 30+N 60+N 90+N.')
    out.append('')
    out.append('## Packages the build makes')
    out.append('')
    out.append('The build writes the package to skin/data/sablink.skn of the build folder and, with')
    out.append('skinvariants, these variants to skin/data/variants/ there, for the robustness tests; CMake')
    out.append('gives the paths as SKIN_PACKAGE and SKIN_VARIANTS_DIR.')
    out.append('')
    out.append('| file | what it is |')
    out.append('|---|---|')
    for name, text in VARIANT_NOTES:
        out.append('| %s | %s |' % (name, text))
    with open(os.path.join(HERE, 'COLOURS.md'), 'w') as f:
        f.write('\n'.join(out) + '\n')


VARIANT_NOTES = [
    ('sablink.skn', 'this folder packed: the tests\' skin (slate.skn beside it is the one the console carries)'),
    ('shortmarks.skn', 'good; check4.bmp and radio4.bmp as check and radio marks, frame counts left to the loader (4 each)'),
    ('empty.skn', 'unpacked length 0: no header, so an older skin'),
    ('oldmagic.skn', 'magic 19000: an older skin'),
    ('hugelength.skn', 'claims 0x7FFFFFF0 unpacked bytes: refused'),
    ('truncated.skn', 'the package cut to half its bytes: the rest decodes from zero bits'),
    ('badindex.skn', 'the first entry\'s size reaches past the entry bytes: refused'),
    ('manyentries.skn', '1001 entries: refused'),
    ('badbitmap.skn', 'buttons.bmp with a header of impossible sizes, check.bmp cut to 30 bytes, radio.bmp text'),
    ('zeroframes.skn', 'frame counts of 0 and below: LeftFrame, TopFrame, Headerbar, Progress.Chunk, Track, TRACKVERT, HorzScrollThumb FrameCount, Button1 frame'),
    ('noini.skn', 'no description entry'),
]


def main():
    for number, entry in enumerate(IMAGES, 1):
        draw(number, entry)
    write_ini()
    write_plan()


if __name__ == '__main__':
    main()
