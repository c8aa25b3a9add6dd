#!/usr/bin/env python3
"""Draws the program's own pictures and its shutter sound into resources/Vistrel (rewritten in place):

    SnapButton-Red.png    the snap button while snapping: a red disc in a grey ring
    SnapButton-Blank.png  the snap button while snaps are selected: the ring around a pale disc
    Vistrel.png           the program's icon, 256 x 256: a film frame with a red shutter dot
    SnapSound.wav         the shutter: two short clicks of noise, 22050 Hz, mono, 16-bit

and the same icon, drawn afresh at each size the icon theme asks for, into resources/desktop/icons as the
installed tree lays it out (hicolor/NxN/apps/net.vistrel.Vistrel.png).

Pure Python (zlib, struct, wave), and every run writes the same bytes:

    python3 scripts/make_app_resources.py [output folder [icons folder]]
"""

import math
import os
import struct
import sys
import wave
import zlib

SUPERSAMPLE = 4  # samples per pixel side, for smooth edges
ICON_SIZES = (16, 32, 48, 64, 128, 256, 512)  # the hicolor theme's sizes, in pixels


def png(path, width, height, shade):
    """Writes an RGBA PNG whose pixel at (x, y) (y down, in pixels) is the average of shade() over it."""
    rows = []
    for y in range(height):
        row = bytearray([0])  # filter: none
        for x in range(width):
            total = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    r, g, b, a = shade(x + (sx + 0.5) / SUPERSAMPLE, y + (sy + 0.5) / SUPERSAMPLE)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            n = SUPERSAMPLE * SUPERSAMPLE
            alpha = total[3] / n
            if alpha > 0:
                colour = [total[i] / total[3] for i in range(3)]
            else:
                colour = [0, 0, 0]
            row += bytes(int(round(max(0.0, min(1.0, c)) * 255)) for c in colour + [alpha])
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    data += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(data)
    return path


def over(top, bottom):
    """`top` (r, g, b, a) painted over `bottom`."""
    ta, ba = top[3], bottom[3]
    a = ta + ba * (1 - ta)
    if a == 0:
        return (0, 0, 0, 0)
    return tuple((top[i] * ta + bottom[i] * ba * (1 - ta)) / a for i in range(3)) + (a,)


CLEAR = (0, 0, 0, 0)


def snap_button(inner):
    """A 64-pixel button: a grey ring, then a disc of the inner colour with a soft highlight."""
    size = 64.0

    def shade(x, y):
        d = math.hypot(x - size / 2, y - size / 2)
        colour = CLEAR
        if d <= 30:
            colour = (0.36, 0.36, 0.38, 1)
        if d <= 27:
            colour = (0.93, 0.93, 0.94, 1)
        if d <= 23:
            light = max(0.0, 1 - math.hypot(x - size / 2, y - size / 2 + 8) / 30) * 0.25
            colour = tuple(min(1.0, c + light) for c in inner) + (1,)
        return colour

    return shade


def icon(x, y):
    """The program's icon: a dark blue rounded square, a white film frame with sprocket holes, a red dot."""
    size = 256.0
    colour = CLEAR
    # The rounded square, corner 48.
    cx, cy = min(max(x, 48), size - 48), min(max(y, 48), size - 48)
    if math.hypot(x - cx, y - cy) <= 48 and 8 <= x <= size - 8 and 8 <= y <= size - 8:
        t = y / size
        colour = (0.10 + 0.06 * t, 0.22 + 0.08 * t, 0.42 + 0.10 * t, 1)
    # The film strip: a white band with holes along its top and bottom.
    if 40 <= x <= 216 and 64 <= y <= 192:
        holes = (y < 82 or y > 174) and (int(x - 44) % 24) < 12
        if not holes:
            colour = over((0.97, 0.97, 0.98, 1), colour)
        # The picture inside the frame.
        if 56 <= x <= 200 and 88 <= y <= 168:
            colour = (0.20, 0.26, 0.34, 1)
            if math.hypot(x - 128, y - 128) <= 28:
                colour = (0.90, 0.20, 0.20, 1)
            elif math.hypot(x - 128, y - 128) <= 34:
                colour = (0.97, 0.97, 0.98, 1)
    return colour


def icon_at(pixels):
    """The icon's shade for a picture of `pixels` a side: the 256-unit drawing scaled to it."""
    scale = 256.0 / pixels
    return lambda x, y: icon(x * scale, y * scale)


def shutter(path):
    """Two clicks of decaying noise, the second quieter, 0.16 s in all."""
    rate = 22050
    frames = bytearray()
    seed = 12345
    total = int(rate * 0.16)
    for i in range(total):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        noise = seed / 0x3FFFFFFF - 1.0
        t = i / rate
        value = 0.0
        for start, loud in ((0.0, 0.7), (0.07, 0.45)):
            if t >= start:
                value += loud * noise * math.exp(-(t - start) * 90)
        sample = int(max(-1.0, min(1.0, value)) * 32767)
        frames += struct.pack("<h", sample)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))
    return path


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "Vistrel")
    print(png(os.path.join(folder, "SnapButton-Red.png"), 64, 64, snap_button((0.86, 0.16, 0.16))))
    print(png(os.path.join(folder, "SnapButton-Blank.png"), 64, 64, snap_button((0.80, 0.80, 0.82))))
    print(png(os.path.join(folder, "Vistrel.png"), 256, 256, icon))
    print(shutter(os.path.join(folder, "SnapSound.wav")))
    icons = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "resources", "desktop", "icons")
    for pixels in ICON_SIZES:
        apps = os.path.join(icons, "hicolor", "%dx%d" % (pixels, pixels), "apps")
        os.makedirs(apps, exist_ok=True)
        print(png(os.path.join(apps, "net.vistrel.Vistrel.png"), pixels, pixels, icon_at(pixels)))


if __name__ == "__main__":
    main()
