#!/usr/bin/env python3
"""Writes the demo account's Flash movies: make-demo.sh runs it as
make-demo.py OUTPUT_FOLDER, and it writes OUTPUT_FOLDER/<type>/<name>.swf.

Every movie plays on a deep blue stage (#1D3557) with one big amber shape
(#FFB703) in the middle, which sways, breathes and turns by one point's angle
over the loop but never leaves the stage nor covers its corners; a smaller
shape circles it and changes colour every four frames. 12 frames at 12
frames a second, looped. The movies are uncompressed ("FWS") SWF version 8
of straight-edged shapes only, which every Flash player (Ruffle among them)
plays. Each differs from the others by its number: the shapes' corners and
the small shape's colours.
"""

import math
import os
import sys

STAGE_COLOUR = 0x1D3557  # deep blue
SHAPE_COLOUR = 0xFFB703  # amber
FRAMES = 12
FRAME_RATE = 12  # frames a second
TWIPS = 20  # a pixel in the movie's units

# The small shape's three colours, by the movie's number.
ACCENTS = [
    (0xFF006E, 0x8338EC, 0x3A86FF),
    (0x06D6A0, 0xEF476F, 0xFFFFFF),
    (0xF72585, 0x4CC9F0, 0x7209B7),
    (0xFB5607, 0xFFFFFF, 0x80ED99),
    (0xE63946, 0xA8DADC, 0xF1FAEE),
    (0x9B5DE5, 0x00F5D4, 0xF15BB5),
]

# type folder, file name, stage width and height in pixels. The numbers run
# across the whole list, so no two movies look alike.
MOVIES = [
    ("winks", "cafe-dance", 320, 240),
    ("winks", "heart-fireworks", 320, 240),
    ("winks", "snowball-fight", 320, 240),
    ("winks", "bongo-drums", 320, 240),
    ("winks", "rainbow-kiss", 320, 240),
    ("winks", "pinata-party", 320, 240),
    ("dynamic-display-pictures", "sleepy-cat", 96, 96),
    ("dynamic-display-pictures", "dancing-robot", 96, 96),
    ("dynamic-display-pictures", "creme-brulee", 96, 96),
    ("dynamic-display-pictures", "rocket-launch", 96, 96),
    ("dynamic-backgrounds", "underwater-reef", 320, 240),
    ("dynamic-backgrounds", "chateau-garden", 320, 240),
    ("dynamic-backgrounds", "starry-night", 320, 240),
]

END_TAG = 0
SHOW_FRAME_TAG = 1
DEFINE_SHAPE_TAG = 2
SET_BACKGROUND_COLOR_TAG = 9
PLACE_OBJECT2_TAG = 26
FILE_ATTRIBUTES_TAG = 69


def lround(value):
    """C's lround: halves away from zero."""
    return int(math.copysign(math.floor(abs(value) + 0.5), value))


class Writer:
    """Bytes and bit fields, most significant bit first, as SWF packs them."""

    def __init__(self):
        self.data = bytearray()
        self.used = 0  # bits used in the last byte

    def bits(self, value, count):
        for i in range(count - 1, -1, -1):
            if self.used == 0:
                self.data.append(0)
            if (value >> i) & 1:
                self.data[-1] |= 0x80 >> self.used
            self.used = (self.used + 1) % 8

    def signed(self, value, count):
        self.bits(value & ((1 << count) - 1), count)

    def align(self):
        self.used = 0

    def u8(self, value):
        self.align()
        self.data.append(value & 0xFF)

    def u16(self, value):
        self.u8(value)
        self.u8(value >> 8)

    def rgb(self, colour):
        self.u8(colour >> 16)
        self.u8(colour >> 8)
        self.u8(colour)

    def append(self, data):
        self.align()
        self.data += data

    def take(self):
        self.align()
        return bytes(self.data)


def signed_bits(*values):
    """Bits a signed field needs for every one of the values."""
    bits = 1
    for value in values:
        while not -(1 << (bits - 1)) <= value < (1 << (bits - 1)):
            bits += 1
    return bits


def rect(out, x_min, x_max, y_min, y_max):
    bits = signed_bits(x_min, x_max, y_min, y_max)
    out.align()
    out.bits(bits, 5)
    for value in (x_min, x_max, y_min, y_max):
        out.signed(value, bits)
    out.align()


def tag(code, body=b""):
    out = Writer()
    if len(body) < 0x3F:
        out.u16(code << 6 | len(body))
    else:
        out.u16(code << 6 | 0x3F)
        out.u16(len(body))
        out.u16(len(body) >> 16)
    out.append(body)
    return out.take()


def star_corners(points, outer, inner):
    """A star (or, with inner equal to outer, a polygon) around the origin, in
    twips, corners going clockwise on the screen so the fill lies on the
    right of each edge (fill style 1)."""
    count = 2 * points if inner < outer else points
    corners = []
    for i in range(count):
        angle = -math.pi / 2 + 2 * math.pi * i / count
        radius = inner if inner < outer and i % 2 == 1 else outer
        corners.append((lround(radius * math.cos(angle)), lround(radius * math.sin(angle))))
    return corners


def define_shape(shape_id, colour, corners):
    xs = [0] + [x for x, _ in corners]
    ys = [0] + [y for _, y in corners]
    out = Writer()
    out.u16(shape_id)
    rect(out, min(xs), max(xs), min(ys), max(ys))
    out.u8(1)  # one fill style
    out.u8(0x00)  # solid
    out.rgb(colour)
    out.u8(0)  # no line styles
    out.bits(1, 4)  # fill index bits
    out.bits(0, 4)  # line index bits
    # Move to the first corner with fill style 1.
    x0, y0 = corners[0]
    out.bits(0, 1)  # a style change
    out.bits(0b00101, 5)  # new styles no, line no, fill 1 yes, fill 0 no, move yes
    move_bits = signed_bits(x0, y0)
    out.bits(move_bits, 5)
    out.signed(x0, move_bits)
    out.signed(y0, move_bits)
    out.bits(1, 1)  # fill style 1
    for i, (from_x, from_y) in enumerate(corners):
        to_x, to_y = corners[(i + 1) % len(corners)]
        dx, dy = to_x - from_x, to_y - from_y
        bits = max(2, signed_bits(dx, dy))
        out.bits(0b11, 2)  # an edge, straight
        out.bits(bits - 2, 4)
        out.bits(1, 1)  # both deltas
        out.signed(dx, bits)
        out.signed(dy, bits)
    out.bits(0, 6)  # end of shape
    return tag(DEFINE_SHAPE_TAG, out.take())


def matrix(out, x, y, scale, turn_degrees):
    radians = turn_degrees * math.pi / 180.0
    fixed = lambda value: lround(value * 65536)
    scale_term = fixed(scale * math.cos(radians))
    rotate0 = fixed(scale * math.sin(radians))
    rotate1 = -rotate0
    tx, ty = lround(x * TWIPS), lround(y * TWIPS)
    out.align()
    out.bits(1, 1)
    scale_bits = signed_bits(scale_term)
    out.bits(scale_bits, 5)
    out.signed(scale_term, scale_bits)
    out.signed(scale_term, scale_bits)
    out.bits(1, 1)
    rotate_bits = signed_bits(rotate0, rotate1)
    out.bits(rotate_bits, 5)
    out.signed(rotate0, rotate_bits)
    out.signed(rotate1, rotate_bits)
    translate_bits = signed_bits(tx, ty)
    out.bits(translate_bits, 5)
    out.signed(tx, translate_bits)
    out.signed(ty, translate_bits)
    out.align()


def recolour(out, colour):
    """A colour transform that paints the shape in colour whatever its own:
    the colour channels multiplied by 0 and the colour added, alpha kept."""
    bits = 10  # 256 (alpha times 1.0) needs 10 signed bits
    out.align()
    out.bits(1, 1)  # add terms
    out.bits(1, 1)  # multiply terms
    out.bits(bits, 4)
    for multiply in (0, 0, 0, 256):
        out.signed(multiply, bits)
    for add in ((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF, 0):
        out.signed(add, bits)
    out.align()


def place_object(depth, character, placement, colour=None):
    """Places character at depth, or with character 0 moves what is there."""
    out = Writer()
    flags = 0x04  # a matrix
    flags |= 0x02 if character else 0x01
    if colour is not None:
        flags |= 0x08
    out.u8(flags)
    out.u16(depth)
    if character:
        out.u16(character)
    matrix(out, *placement)
    if colour is not None:
        recolour(out, colour)
    return tag(PLACE_OBJECT2_TAG, out.take())


def movie(number, width, height):
    points = 4 + number % 5  # of the big shape
    star = number % 3 != 2  # a star, or a polygon of that many corners
    accent_points = 3 + number % 3  # of the small shape
    accents = ACCENTS[number % len(ACCENTS)]

    side = float(min(width, height))
    big_radius = 0.30 * side
    small_radius = 0.09 * side
    cx, cy = width / 2.0, height / 2.0

    tags = tag(FILE_ATTRIBUTES_TAG, bytes(4))
    background = Writer()
    background.rgb(STAGE_COLOUR)
    tags += tag(SET_BACKGROUND_COLOR_TAG, background.take())
    tags += define_shape(1, SHAPE_COLOUR,
                         star_corners(points, big_radius * TWIPS,
                                      (0.5 if star else 1.0) * big_radius * TWIPS))
    tags += define_shape(2, accents[0],
                         star_corners(accent_points, small_radius * TWIPS,
                                      0.45 * small_radius * TWIPS))
    for frame in range(FRAMES):
        phase = 2 * math.pi * frame / FRAMES
        # A turn by one point's angle over the loop looks seamless.
        big = (cx, cy + 0.06 * height * math.sin(phase), 1.0 + 0.08 * math.sin(2 * phase),
               360.0 / points * frame / FRAMES)
        small = (cx + 0.38 * width * math.cos(phase), cy + 0.36 * height * math.sin(phase), 1.0,
                 -360.0 * frame / FRAMES)
        # The first frame places the two shapes; the others move them.
        tags += place_object(1, 1 if frame == 0 else 0, big)
        tags += place_object(2, 2 if frame == 0 else 0, small, accents[frame // 4 % 3])
        tags += tag(SHOW_FRAME_TAG)
    tags += tag(END_TAG)

    header = Writer()
    rect(header, 0, width * TWIPS, 0, height * TWIPS)
    header.u16(FRAME_RATE << 8)  # 8.8 frames a second
    header.u16(FRAMES)
    frame_header = header.take()
    length = 8 + len(frame_header) + len(tags)
    return b"FWS\x08" + length.to_bytes(4, "little") + frame_header + tags


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-demo.py OUTPUT_FOLDER")
    for number, (folder, name, width, height) in enumerate(MOVIES):
        os.makedirs(os.path.join(sys.argv[1], folder), exist_ok=True)
        with open(os.path.join(sys.argv[1], folder, name + ".swf"), "wb") as out:
            out.write(movie(number, width, height))


if __name__ == "__main__":
    main()
