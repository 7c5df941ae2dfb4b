#!/usr/bin/env python3
"""Checks the pictures that svg_samples writes.

  svg_check.py --samples PROGRAM --work FOLDER xml
      every picture parses as XML, holds one <title> for each point and link its header counts,
      and every number in an attribute is plain (two decimals, no exponent, inf or nan)
  svg_check.py --samples PROGRAM --work FOLDER pixels
      rsvg-convert renders the picture of points far apart, and the pixel at the place that each
      point's coordinates predict (one scale for all three axes) has the colour of its dot;
      exit status 77 (skipped) when rsvg-convert is missing
"""
import argparse
import re
import shutil
import struct
import subprocess
import sys
import zlib
import xml.etree.ElementTree as ElementTree
from pathlib import Path

SVG = "{http://www.w3.org/2000/svg}"
NUMERIC = {"x", "y", "cx", "cy", "r", "width", "height", "stroke-width"}
PLAIN = re.compile(r"-?[0-9]+\.[0-9]{2}")
POINT_TITLE = re.compile(r"point (\d+): ([^,]+), ([^,]+), ([^,]+), type ([^;]+)")
SKIPPED = 77
LARGEST_BYTES = 400 * 1024  # what the picture of the largest graph may take


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def titled(root, word):
    """The elements whose <title> begins with `word`, and the text of that title."""
    found = []
    for element in root.iter():
        titles = element.findall(SVG + "title")
        if titles and (titles[0].text or "").startswith(word + " "):
            if len(titles) != 1:
                fail("%s has %d titles" % (titles[0].text, len(titles)))
            found.append((element, titles[0].text))
    return found


def check_xml(folder):
    pictures = sorted(folder.glob("*.svg"))
    if len(pictures) < 6:
        fail("expected the six sample pictures, found %d" % len(pictures))
    for picture in pictures:
        try:
            root = ElementTree.parse(picture).getroot()
        except ElementTree.ParseError as error:
            fail("%s is no well-formed XML: %s" % (picture.name, error))
        if root.tag != SVG + "svg" or root.get("version") != "1.1":
            fail("%s: the root is no SVG 1.1 element" % picture.name)
        for element in root.iter():
            for name, value in element.attrib.items():
                if name in NUMERIC and value != "100%" and not PLAIN.fullmatch(value):
                    fail("%s: %s=%r" % (picture.name, name, value))
            if element.tag == SVG + "path":
                for number in re.split(r"[ML ]+", element.get("d").strip("ML")):
                    if not PLAIN.fullmatch(number):
                        fail("%s: path number %r" % (picture.name, number))
        view_box = root.get("viewBox").split()
        if view_box[:2] != ["0", "0"] or view_box[2:] != [root.get("width"),
                                                                  root.get("height")]:
            fail("%s: viewBox %r" % (picture.name, root.get("viewBox")))
        header = next(t.text for t in root.iter(SVG + "text") if t.get("class") == "header")
        counts = re.search(r": (\d+) points?, (\d+) links?, ", header)
        points, links = titled(root, "point"), titled(root, "link")
        if len(points) != int(counts.group(1)) or len(links) != int(counts.group(2)):
            fail("%s: %d point and %d link titles under the header %r"
                 % (picture.name, len(points), len(links), header))
        if picture.name == "largest.svg" and picture.stat().st_size >= LARGEST_BYTES:
            fail("the picture of 1000 points and 1000 links takes %d bytes"
                 % picture.stat().st_size)
        print("%s: %d points, %d links, %d bytes" % (picture.name, len(points), len(links),
                                                     picture.stat().st_size))


def read_png(path):
    """Width, height and rows of RGBA (or RGB) bytes of an 8-bit, non-interlaced PNG."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail("%s is no PNG" % path)
    position, idat = 8, b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                fail("unexpected PNG format: depth %d, colour %d" % (depth, colour))
            size = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        position += 12 + length
    raw, rows, previous = zlib.decompress(idat), [], bytearray(width * size)
    stride = width * size
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - size] if i >= size else 0
            up = previous[i]
            corner = previous[i - size] if i >= size else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                           (abs(guess - corner), 2, corner))
                row[i] = (row[i] + near[2]) & 0xFF
        rows.append(row)
        previous = row
    return width, height, size, rows


def check_pixels(folder):
    rsvg = shutil.which("rsvg-convert")
    if rsvg is None:
        print("rsvg-convert is missing: skipped")
        sys.exit(SKIPPED)
    picture = folder / "spread.svg"
    png = folder / "spread.png"
    subprocess.run([rsvg, "--format=png", "--output", str(png), str(picture)], check=True)
    width, height, size, rows = read_png(png)
    root = ElementTree.parse(picture).getroot()
    if abs(width - float(root.get("width"))) > 1 or abs(height - float(root.get("height"))) > 1:
        fail("rendered at %dx%d" % (width, height))

    dots = []
    for element, title in titled(root, "point"):
        match = POINT_TITLE.match(title)
        x, y, z = (float(match.group(i)) for i in (2, 3, 4))
        circles = [(float(c.get("cx")), float(c.get("cy"))) for c in element.iter(SVG + "circle")]
        dots.append(((x, y, z), circles, element.get("fill")))
    # The lowest and highest z give the scale; the lowest point of each view its height.
    low = min(dots, key=lambda d: d[0][2])
    high = max(dots, key=lambda d: d[0][2])
    scale = (high[1][0][0] - low[1][0][0]) / (high[0][2] - low[0][2])
    if scale <= 0:
        fail("z does not run to the right")
    for view, axis in ((0, 0), (1, 1)):  # x upward in the top view, y upward in the side view
        anchor = min(dots, key=lambda d: d[0][axis])
        for (coordinates, circles, fill) in dots:
            predicted = (low[1][view][0] + scale * (coordinates[2] - low[0][2]),
                         anchor[1][view][1] - scale * (coordinates[axis] - anchor[0][axis]))
            drawn = circles[view]
            if abs(predicted[0] - drawn[0]) > 0.02 or abs(predicted[1] - drawn[1]) > 0.02:
                fail("point %r drawn at %r in view %d, predicted %r"
                     % (coordinates, drawn, view, predicted))
            column, row = int(predicted[0]), int(predicted[1])
            pixel = tuple(rows[row][column * size:column * size + 3])
            expected = tuple(int(fill[i:i + 2], 16) for i in (1, 3, 5))
            if max(abs(a - b) for a, b in zip(pixel, expected)) > 8:
                fail("pixel %d,%d of point %r is %r, its dot's colour %r"
                     % (column, row, coordinates, pixel, expected))
    corner = tuple(rows[1][size:size + 3])
    if corner != (255, 255, 255):
        fail("the background is %r, not white" % (corner,))
    print("%d dots in both views at the predicted pixels" % len(dots))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--samples", required=True, help="the svg_samples program")
    parser.add_argument("--work", required=True, type=Path, help="a folder for the pictures")
    parser.add_argument("check", choices=["xml", "pixels"])
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    subprocess.run([args.samples, str(args.work)], check=True)
    check_xml(args.work) if args.check == "xml" else check_pixels(args.work)


if __name__ == "__main__":
    main()
