#!/usr/bin/env python3
"""Writes the project's own sample ship model, for trying --mesh and for the README's pictures.

    scripts/sample-ship.py DIR [NAME]

writes DIR/NAME.obj, DIR/NAME.gltf with DIR/NAME.bin, and DIR/NAME.glb (NAME: brig), all the
same ship in the graph's coordinates (x across, y up, z along): a hull from keel (y 0) to main
deck (y 2), 6 across and 20 long, a quarterdeck at y 3 from z 15 aft, and a mast at z 10 up to
y 12. The tests build the same ship in tests/support/ship_model.h.
"""
import json
import os
import struct
import sys

BOXES = [((-3, 0, 0), (3, 2, 20)), ((-3, 2, 15), (3, 3, 20)), ((-0.25, 2, 9.75), (0.25, 12, 10.25))]
# The sides of a box as quads of its corners, numbered by bits: 1 high x, 2 high y, 4 high z.
SIDES = [(0, 1, 3, 2), (4, 6, 7, 5), (0, 2, 6, 4), (1, 5, 7, 3), (0, 4, 5, 1), (2, 3, 7, 6)]


def corners(box):
    low, high = box
    return [tuple(high[a] if i >> a & 1 else low[a] for a in range(3)) for i in range(8)]


def obj_text():
    lines = ["# sample ship", "o ship"]
    for n, box in enumerate(BOXES):
        lines += ["v %g %g %g" % c for c in corners(box)]
        lines += ["f " + " ".join(str(8 * n + i + 1) for i in side) for side in SIDES]
    return "\n".join(lines) + "\n"


def gltf_parts(uri):
    positions = b"".join(struct.pack("<3f", *c) for box in BOXES for c in corners(box))
    indices = b"".join(struct.pack("<3I", *(8 * n + side[i] for i in t))
                       for n in range(len(BOXES)) for side in SIDES for t in ((0, 1, 2), (0, 2, 3)))
    buffer = {"byteLength": len(positions) + len(indices)}
    if uri:
        buffer["uri"] = uri
    document = {
        "asset": {"version": "2.0", "generator": "walk converter sample ship"},
        "scene": 0, "scenes": [{"nodes": [0]}], "nodes": [{"mesh": 0, "name": "ship"}],
        "meshes": [{"primitives": [{"attributes": {"POSITION": 0}, "indices": 1}]}],
        "accessors": [
            {"bufferView": 0, "componentType": 5126, "count": 8 * len(BOXES), "type": "VEC3",
             "min": [min(b[0][a] for b in BOXES) for a in range(3)],
             "max": [max(b[1][a] for b in BOXES) for a in range(3)]},
            {"bufferView": 1, "componentType": 5125, "count": 36 * len(BOXES), "type": "SCALAR"}],
        "bufferViews": [{"buffer": 0, "byteLength": len(positions)},
                        {"buffer": 0, "byteOffset": len(positions), "byteLength": len(indices)}],
        "buffers": [buffer],
    }
    return json.dumps(document, separators=(",", ":")), positions + indices


def main():
    folder = sys.argv[1]
    name = sys.argv[2] if len(sys.argv) > 2 else "brig"
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name + ".obj"), "w", newline="\n") as f:
        f.write(obj_text())
    text, data = gltf_parts(name + ".bin")
    with open(os.path.join(folder, name + ".gltf"), "w", newline="\n") as f:
        f.write(text)
    with open(os.path.join(folder, name + ".bin"), "wb") as f:
        f.write(data)
    text, data = gltf_parts(None)
    chunk = text.encode() + b" " * (-len(text) % 4)
    data += b"\0" * (-len(data) % 4)
    glb = (b"glTF" + struct.pack("<2I", 2, 12 + 8 + len(chunk) + 8 + len(data)) +
           struct.pack("<I", len(chunk)) + b"JSON" + chunk + struct.pack("<I", len(data)) + b"BIN\0" + data)
    with open(os.path.join(folder, name + ".glb"), "wb") as f:
        f.write(glb)


if __name__ == "__main__":
    main()
