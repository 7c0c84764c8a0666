#!/usr/bin/env python3
"""Draws the program's icon and writes it as vk47_Orvane.ico beside this file.

The icon shows what the program does: on a drawing sheet, a vertical chain of
dimensions with three extension lines; the lower dimension (grey) is the
chain drawn so far, the upper one (red) is the dimension being added, its
value placed away from the line on an underline with a leader. Two images,
32 x 32 and 16 x 16, in the 16 standard colours.

Run it after changing the drawing: python3 make_icon.py
"""
import os
import struct

# The 16 standard colours, by index.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, RED, WHITE = 0, 4, 7, 8, 9, 15
CLEAR = None

DIGITS = {
    "3": ["###", "..#", "###", "..#", "###"],
    "5": ["###", "#..", "###", "..#", "###"],
    "0": ["###", "#.#", "#.#", "#.#", "###"],
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def dot(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def hline(self, x0, x1, y, colour):
        for x in range(x0, x1 + 1):
            self.dot(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(y0, y1 + 1):
            self.dot(x, y, colour)

    def rect(self, x0, y0, x1, y1, fill, edge):
        for y in range(y0, y1 + 1):
            self.hline(x0, x1, y, fill)
        self.hline(x0, x1, y0, edge)
        self.hline(x0, x1, y1, edge)
        self.vline(x0, y0, y1, edge)
        self.vline(x1, y0, y1, edge)

    def arrow(self, x, tip, direction, depth, colour):
        """A filled arrowhead whose tip touches an extension line."""
        for row in range(depth):
            self.hline(x - row, x + row, tip + direction * row, colour)

    def text(self, x, y, digits, colour):
        for digit in digits:
            for row, line in enumerate(DIGITS[digit]):
                for column, mark in enumerate(line):
                    if mark == "#":
                        self.dot(x + column, y + row, colour)
            x += 4

    def line(self, points, colour):
        for x, y in points:
            self.dot(x, y, colour)


def draw32():
    c = Canvas(32)
    c.rect(0, 1, 31, 30, WHITE, GREY)
    for y in (4, 16, 27):                       # extension lines
        c.hline(9, 28, y, BLACK)
    c.vline(23, 5, 15, RED)                     # the added dimension
    c.arrow(23, 5, +1, 3, RED)
    c.arrow(23, 15, -1, 3, RED)
    c.vline(23, 17, 26, GREY)                   # the chain drawn so far
    c.arrow(23, 17, +1, 3, GREY)
    c.arrow(23, 26, -1, 3, GREY)
    c.text(3, 6, "50", NAVY)                    # value, underline, leader
    c.hline(2, 12, 12, NAVY)
    c.line([(22, 10), (21, 10), (20, 10), (19, 11), (18, 11), (17, 11),
            (16, 11), (15, 12), (14, 12), (13, 12)], NAVY)
    c.text(3, 18, "30", GREY)
    c.hline(2, 12, 24, GREY)
    c.line([(22, 22), (21, 22), (20, 22), (19, 23), (18, 23), (17, 23),
            (16, 23), (15, 24), (14, 24), (13, 24)], GREY)
    return c


def draw16():
    c = Canvas(16)
    c.rect(0, 0, 15, 15, WHITE, GREY)
    for y in (2, 8, 14):
        c.hline(5, 13, y, BLACK)
    c.vline(11, 3, 7, RED)
    c.arrow(11, 3, +1, 2, RED)
    c.arrow(11, 7, -1, 2, RED)
    c.vline(11, 9, 13, GREY)
    c.arrow(11, 9, +1, 2, GREY)
    c.arrow(11, 13, -1, 2, GREY)
    c.hline(2, 5, 4, NAVY)                      # value as a bar of text
    c.hline(2, 7, 6, NAVY)                      # its underline
    c.line([(10, 5), (9, 5), (8, 6)], NAVY)    # and leader
    c.hline(2, 5, 10, GREY)
    c.hline(2, 7, 12, GREY)
    c.line([(10, 11), (9, 11), (8, 12)], GREY)
    return c


def image_bytes(canvas):
    """One icon image: header, palette, 4-bit colour bits and 1-bit mask."""
    n = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_row = ((n * 4 + 31) // 32) * 4
    mask_row = ((n + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(n)):               # rows are stored bottom up
        row = canvas.pixels[y]
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, value in enumerate(row):
            index = 0 if value is None else value
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if value is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        colour += packed
        mask += bits
    return header + palette + bytes(colour) + bytes(mask)


def ico(canvases):
    images = [image_bytes(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 16, 0, 1, 4,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def preview(canvas):
    marks = {None: " ", BLACK: "#", NAVY: "n", GREY: "g", RED: "r",
             WHITE: ".", SILVER: "s"}
    return "\n".join("".join(marks[p] for p in row) for row in canvas.pixels)


if __name__ == "__main__":
    big, small = draw32(), draw16()
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "vk47_Orvane.ico")
    with open(target, "wb") as f:
        f.write(ico([big, small]))
    print(preview(big))
    print()
    print(preview(small))
