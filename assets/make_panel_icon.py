#!/usr/bin/env python3
"""Makes panel_icon.ico from the drawing panel_icon.svg.

The icon holds eleven images in this order: 48, 32, 24 and 16 pixels at 8 bits with a
256-entry colour table and a transparency mask; 256 pixels as a 32-bit PNG; 128, 64, 48, 32,
24 and 16 pixels at 32 bits with alpha and a transparency mask. rsvg-convert renders the
drawing at each size; ImageMagick's convert turns the renderings into raw pixels and reduces
the colours of the 8-bit images.

Usage: make_panel_icon.py [DRAWING] [ICON]
"""

import os
import struct
import subprocess
import sys
import tempfile

PALETTED_SIZES = (48, 32, 24, 16)
PNG_SIZE = 256
TRUE_COLOUR_SIZES = (128, 64, 48, 32, 24, 16)


def render(drawing, size, folder):
    path = os.path.join(folder, f"{size}.png")
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", path, drawing],
                   check=True)
    return path


def rgba_pixels(png, colours=None):
    """Rows top to bottom of (r, g, b, a) tuples; colours reduces to at most that many."""
    command = ["convert", png]
    if colours:
        command += ["+dither", "-colors", str(colours)]
    command += ["-depth", "8", "rgba:-"]
    raw = subprocess.run(command, check=True, capture_output=True).stdout
    pixels = [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]
    side = int(len(pixels) ** 0.5)
    return [pixels[row * side:(row + 1) * side] for row in range(side)]


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def mask_bits(rows):
    """The 1-bit mask, bottom row first: 1 where the pixel is fully transparent."""
    side = len(rows)
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes(side))
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def bitmap_header(side, bit_count, image_size):
    return struct.pack("<IiiHHIIiiII", 40, side, side * 2, 1, bit_count, 0, image_size,
                       0, 0, 0, 0)


def true_colour_image(rows):
    side = len(rows)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask = mask_bits(rows)
    return bitmap_header(side, 32, len(colour) + len(mask)) + bytes(colour) + mask


def paletted_image(rows):
    """8 bits per pixel: opaque-enough pixels keep their reduced colour, the rest are black
    under a set mask bit, so the mask alone makes them transparent."""
    side = len(rows)
    solid = [[(r, g, b) if a >= 128 else None for r, g, b, a in row] for row in rows]
    table = [(0, 0, 0)]
    index = {(0, 0, 0): 0}
    for row in solid:
        for pixel in row:
            if pixel is not None and pixel not in index:
                index[pixel] = len(table)
                table.append(pixel)
    if len(table) > 256:
        sys.exit(f"{side}x{side}: {len(table)} colours after reduction, more than 256")
    table += [(0, 0, 0)] * (256 - len(table))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in table)
    stride = row_bytes(side * 8)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(solid):
        line = bytearray(stride)
        mask_line = bytearray(row_bytes(side))
        for x, pixel in enumerate(row):
            if pixel is None:
                mask_line[x // 8] |= 0x80 >> (x % 8)
            else:
                line[x] = index[pixel]
        colour += line
        mask += mask_line
    return bitmap_header(side, 8, len(colour) + len(mask)) + palette + bytes(colour) + bytes(mask)


def png_image(png, folder):
    """A 32-bit RGBA PNG without time stamps, so that a rerun gives the same bytes."""
    path = os.path.join(folder, "stripped.png")
    subprocess.run(["convert", png, "-strip", "-define", "png:exclude-chunks=date,time",
                    "png32:" + path], check=True)
    with open(path, "rb") as f:
        return f.read()


def icon_file(images):
    """images: (side, bit count, bytes) in directory order."""
    directory = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for side, bit_count, data in images:
        side_byte = 0 if side == 256 else side
        directory += struct.pack("<BBBBHHII", side_byte, side_byte, 0, 0, 1, bit_count,
                                 len(data), offset)
        offset += len(data)
    return bytes(directory) + b"".join(data for _, _, data in images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    drawing = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "panel_icon.svg")
    target = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "panel_icon.ico")
    with tempfile.TemporaryDirectory() as folder:
        images = []
        for side in PALETTED_SIZES:
            rows = rgba_pixels(render(drawing, side, folder), colours=255)
            images.append((side, 8, paletted_image(rows)))
        images.append((PNG_SIZE, 32, png_image(render(drawing, PNG_SIZE, folder), folder)))
        for side in TRUE_COLOUR_SIZES:
            rows = rgba_pixels(render(drawing, side, folder))
            images.append((side, 32, true_colour_image(rows)))
    with open(target, "wb") as f:
        f.write(icon_file(images))
    print(f"{target}: {len(images)} images")


if __name__ == "__main__":
    main()
