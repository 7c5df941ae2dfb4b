#!/usr/bin/env python3
"""Drives the real walk-converter in a private X server, as a user would, in both directions.

A run starts Xvfb on a free display and walk-converter in it, picks the direction in the
chooser, types the input path, presses Analyse and Convert!, answers the real save dialog and
the message box from the keyboard, and compares the written file with the expected bytes. On
the way it saves screenshots of the windows and of both message boxes, and checks from the
pixels that the result area shows its summary uncut. A third run opens a file given on the
command line, shows its graph and saves the picture as PNG through the real save dialog, then
edits a point in the graph window, saves over the file and converts what the window analysed
again; then it selects points with a Shift-band, drags them together, mirrors them with Ctrl+M
and checks the file saved. A fourth run opens a walk source with the sample ship beside it and
finds the ship drawn in the graph window. A last run edits a graph, kills the program before a
save, starts it again, answers Restore and saves the edit.

Every wait is bounded; a failure names the step that failed. When no X server can be started
the test reports itself skipped (exit code 77). Linux only; standard library only; needs Xvfb,
xdotool and xwd.
"""

import argparse
import ctypes
import json
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from pathlib import Path

SKIPPED = 77
WAIT_SECONDS = 10.0
POLL_SECONDS = 0.05
BUDGET_SECONDS = 75.0
SHIP_BUDGET_SECONDS = 30.0
deadline = time.monotonic() + BUDGET_SECONDS

CHOOSER_TITLE = "Walk files converter - v.beta2"
GRAPH_TITLE = "hull - graph"
FORM1_TITLE = "Walk to Sailorpoints converter - v.beta2"
FORM2_TITLE = "Sailorpoints to Walk converter - v.beta2"
MESSAGE_TITLE = "Walk files converter"

# Client sizes and control rectangles (left, top, width, height) in twips, 15 to a pixel, as
# the windows' tables give them (print_window_tables); set by load_tables().
CHOOSER_SIZE = FORM1_SIZE = FORM2_SIZE = None
OPTION1 = OPTION2 = CHOOSER_OK = None
TEXT1 = ANALYSE = LABEL2 = FORM1_CONVERT = FORM2_CONVERT = TEXT2 = FORM1_SHOW_GRAPH = None
GRAPH_SIZE = None  # pixels


def load_tables(program):
    """Reads the windows' sizes and control places from the program that prints the tables."""
    global CHOOSER_SIZE, FORM1_SIZE, FORM2_SIZE, OPTION1, OPTION2, CHOOSER_OK
    global TEXT1, ANALYSE, LABEL2, FORM1_CONVERT, FORM2_CONVERT, TEXT2, FORM1_SHOW_GRAPH
    global GRAPH_SIZE
    tables = json.loads(subprocess.run([str(program)], check=True, capture_output=True).stdout)
    chooser, form1, form2 = tables["Form3"], tables["Form1"], tables["Form2"]
    CHOOSER_SIZE, FORM1_SIZE, FORM2_SIZE = (tuple(t["size"]) for t in (chooser, form1, form2))
    OPTION1, OPTION2, CHOOSER_OK = (
        tuple(chooser["controls"][n]) for n in ("Option1", "Option2", "Command1"))
    TEXT1, ANALYSE, LABEL2, FORM1_CONVERT, FORM1_SHOW_GRAPH = (
        tuple(form1["controls"][n]) for n in ("Text1", "Command1", "Label2", "Command3", "Command4"))
    FORM2_CONVERT, TEXT2 = (tuple(form2["controls"][n]) for n in ("Command3", "Text2"))
    GRAPH_SIZE = tuple(tables["GraphWindow"]["size"])


def pixels(twips):
    return tuple(t // 15 for t in twips)


class StepFailed(Exception):
    pass


class Skip(Exception):
    pass


class Step:
    """Names what the test is doing, so that any failure inside says where it happened."""

    current = "setting up"

    def __init__(self, name):
        self.name = name

    def __enter__(self):
        Step.current = self.name
        return self

    def __exit__(self, kind, error, trace):
        if error is not None and not isinstance(error, (StepFailed, Skip)):
            raise StepFailed(f"{self.name}: {kind.__name__}: {error}") from error
        return False


def fail(detail):
    raise StepFailed(f"{Step.current}: {detail}")


def wait_for(what, probe, seconds=WAIT_SECONDS):
    """Polls `probe` until it returns something true; fails the current step after `seconds`."""
    until = time.monotonic() + seconds
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > until:
            fail(f"timed out after {seconds:.0f} s waiting for {what}")
        if time.monotonic() > deadline:
            fail(f"the whole run took longer than {BUDGET_SECONDS:.0f} s; was waiting for {what}")
        time.sleep(POLL_SECONDS)


def die_with_parent():
    """Runs in each child before it starts: it gets SIGTERM when this script dies, even when
    killed outright, so that no X server or program outlives a test run cut short."""
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class XServer:
    """A private Xvfb on the first free display; the display number comes back via -displayfd."""

    def __init__(self, log_dir):
        if shutil.which("Xvfb") is None:
            raise Skip("Xvfb is not installed")
        read_end, write_end = os.pipe()
        self.log = open(log_dir / "xvfb.log", "wb")
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), preexec_fn=die_with_parent, stdin=subprocess.DEVNULL,
            stdout=self.log, stderr=self.log)
        os.close(write_end)
        # Xvfb writes the number once it accepts connections.
        number = b""
        until = time.monotonic() + WAIT_SECONDS
        try:
            while not number.endswith(b"\n") and time.monotonic() < until:
                ready, _, _ = select.select([read_end], [], [], 0.1)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        break
                    number += chunk
        finally:
            os.close(read_end)
        if not number.strip().isdigit():
            self.stop()
            said = (log_dir / "xvfb.log").read_text(errors="replace").strip()
            raise Skip(f"Xvfb could not be started: {said or 'no display number came back'}")
        self.display = ":" + number.strip().decode()

    def stop(self):
        stop_process(self.process)
        self.log.close()


def stop_process(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(timeout=5)


class Desktop:
    """xdotool and xwd against one display."""

    def __init__(self, display, screenshot_dir):
        self.env = dict(os.environ, DISPLAY=display)
        self.screenshot_dir = screenshot_dir

    def run(self, *args, check=True):
        try:
            done = subprocess.run(list(args), env=self.env, capture_output=True,
                                  timeout=WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            fail(f"'{' '.join(args)}' did not finish within {WAIT_SECONDS:.0f} s")
        if check and done.returncode != 0:
            fail(f"'{' '.join(args)}' failed: {done.stderr.decode(errors='replace').strip()}")
        return done

    def xdotool(self, *args, check=True):
        return self.run("xdotool", *args, check=check).stdout.decode(errors="replace")

    def visible_windows(self, pid):
        """Title of every mapped top-level window of the process, by window id."""
        found = self.xdotool("search", "--onlyvisible", "--pid", str(pid), check=False)
        windows = {}
        for window in found.split():
            name = self.run("xdotool", "getwindowname", window, check=False)
            if name.returncode == 0:
                windows[window] = name.stdout.decode(errors="replace").rstrip("\n")
        return windows

    def size(self, window):
        shell = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def click(self, window, rect):
        left, top, width, height = pixels(rect)
        self.xdotool("mousemove", "--window", window, str(left + width // 2),
                     str(top + height // 2), "click", "1")

    def focus(self, window):
        # No window manager runs: the keyboard goes where XSetInputFocus puts it. The pointer
        # goes there too, so that nothing depends on focus following the mouse.
        self.xdotool("mousemove", "--window", window, "1", "1")
        self.xdotool("windowfocus", "--sync", window)

    def raise_above_others(self, window):
        # No window manager raises a window that is clicked: the test does.
        self.xdotool("windowraise", window)

    def type(self, text):
        self.xdotool("type", "--delay", "2", "--", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "20", *keys)

    def capture(self, window):
        """The window's pixels as (width, height, rows of RGB bytes)."""
        return decode_xwd(self.run("xwd", "-silent", "-id", window).stdout)

    def screenshot(self, window, name):
        """Saves a PNG of the window once two captures in a row agree (painting has settled)."""
        previous = None

        def settled():
            nonlocal previous
            image = self.capture(window)
            if image == previous:
                return image
            previous = image
            return None

        image = wait_for(f"the window to settle before taking {name}", settled)
        path = self.screenshot_dir / name
        path.write_bytes(encode_png(image))
        return path


def decode_xwd(dump):
    """Reads the true-colour window dumps that xwd makes of a 24-bit screen."""
    header = struct.unpack(">25I", dump[:100])
    (header_size, version, pixmap_format, depth, width, height, _, byte_order, _, _, _,
     bits_per_pixel, bytes_per_line, visual_class, red_mask, green_mask, blue_mask, _, _,
     colours) = header[:20]
    if version != 7 or pixmap_format != 2 or bits_per_pixel != 32 or visual_class != 4:
        fail(f"unexpected window dump: depth {depth}, {bits_per_pixel} bits per pixel, "
             f"visual class {visual_class}")
    start = header_size + colours * 12
    # Where each colour's byte sits in the 4 bytes of a pixel.
    offsets = []
    for mask in (red_mask, green_mask, blue_mask):
        shift = (mask & -mask).bit_length() - 1
        if mask >> shift != 0xFF or shift % 8:
            fail(f"unexpected colour masks in the window dump: {mask:#x}")
        offsets.append(shift // 8 if byte_order == 0 else 3 - shift // 8)
    rows = []
    for y in range(height):
        line = dump[start + y * bytes_per_line:start + y * bytes_per_line + width * 4]
        row = bytearray(width * 3)
        for channel, offset in enumerate(offsets):
            row[channel::3] = line[offset::4]
        rows.append(bytes(row))
    return width, height, rows


def encode_png(image):
    width, height, rows = image

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def decode_png(data):
    """The size and rows of RGB bytes of an 8-bit RGB or RGBA PNG, as Qt writes them."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail("the picture is not a PNG file")
    chunks, at = {}, 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    if depth != 8 or colour not in (2, 6) or interlace:
        fail(f"unexpected PNG: depth {depth}, colour type {colour}, interlace {interlace}")
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(chunks[b"IDAT"])
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - step] if x >= step else 0
            up = previous[x]
            corner = previous[x - step] if x >= step else 0
            if kind == 1:
                line[x] = (line[x] + left) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + up) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                           (abs(guess - corner), 2, corner))
                line[x] = (line[x] + near[2]) & 0xFF
        previous = line
        rgb = bytearray(width * 3)
        for channel in range(3):
            rgb[channel::3] = line[channel::step]
        rows.append(bytes(rgb))
    return width, height, rows


def check_picture(path, size):
    """A PNG of `size` on a white page that shows the graph's dots and lines."""
    wait_for(f"{path.name} to be written", path.exists, seconds=2)
    width, height, rows = decode_png(path.read_bytes())
    if (width, height) != size:
        fail(f"{path.name} is {width}x{height} pixels, expected {size[0]}x{size[1]}")
    pixels_seen = [tuple(row[x:x + 3]) for row in rows for x in range(0, len(row), 3)]
    white = pixels_seen.count((255, 255, 255))
    if white < len(pixels_seen) // 2:
        fail(f"{path.name} has only {white} white pixels of {len(pixels_seen)}: no page")
    inked = len(pixels_seen) - white
    if inked < len(pixels_seen) // 200:
        fail(f"{path.name} is blank: {inked} pixels that are not white")
    # The dots of the three point types in the sample (types 1, 7 and 10), and the colour of
    # what its findings are about.
    for colour in ((0x1f, 0x77, 0xb4), (0x2c, 0xa0, 0x2c), (0xff, 0x7f, 0x0e), (0xd6, 0x27, 0x28)):
        if colour not in pixels_seen:
            fail(f"{path.name} shows no dot of the colour #{bytes(colour).hex()}")


def text_bands(image, rect):
    """Rows of `rect` (twips) that hold ink, grouped into bands: one band per line of text.

    Ink is any pixel clearly darker than the window's background, taken from the top-left
    corner of the client area, which no control covers."""
    width, height, rows = image
    left, top, w, h = pixels(rect)
    background = sum(rows[2][6:9]) // 3
    inked = []
    for y in range(top, min(top + h, height)):
        line = rows[y]
        dark = any(sum(line[x * 3:x * 3 + 3]) // 3 < background - 80
                   for x in range(left, min(left + w, width)))
        inked.append(dark)
    bands = []
    for offset, dark in enumerate(inked):
        if dark and (offset == 0 or not inked[offset - 1]):
            bands.append([offset, offset])
        elif dark:
            bands[-1][1] = offset
    return bands


# --- Several points at once: a band, a group drag and Ctrl+M -------------------------------
# The places come from the window's pixels, not from its layout: the dots are found by their
# colours left of the side column, and a selected dot by the selection colour, which nothing
# else is painted in. The lead adapts these when the views change.

DOT_COLOURS = {(0x1f, 0x77, 0xb4), (0x2c, 0xa0, 0x2c), (0xff, 0x7f, 0x0e), (0xd6, 0x27, 0x28)}
SELECTION_COLOUR = (0x1e, 0x90, 0xff)
VIEW_BACKGROUND = (0xe8, 0xe8, 0xe8)  # around the page in the view
SIDE_COLUMN = 260  # pixels at the right of the window that the side column takes at most


def find_pixels(image, colours, right_margin=SIDE_COLUMN):
    """Places (x, y) of the pixels of `colours` left of the side column."""
    width, height, rows = image
    end = 3 * max(0, width - right_margin)
    found = []
    for y in range(height):
        row = rows[y]
        for colour in colours:
            pattern = bytes(colour)
            at = row.find(pattern, 0, end)
            while at >= 0:
                if at % 3 == 0:
                    found.append((at // 3, y))
                at = row.find(pattern, at + 1, end)
    return found


def selected_dot(image):
    """The middle of a dot painted in the selection colour: of the pixels of that colour
    within 6 pixels of the first one found, which the dot and its ring hold."""
    places = find_pixels(image, [SELECTION_COLOUR])
    if not places:
        return None
    first = places[0]
    near = [(x, y) for x, y in places if abs(x - first[0]) <= 6 and abs(y - first[1]) <= 6]
    return (round(sum(x for x, _ in near) / len(near)),
            round(sum(y for _, y in near) / len(near)))


def band_drag_and_mirror(desktop, window):
    """Selects the points with a Shift-band around all the dots (within the grey of the view),
    drags one of them (and so all) by 30 pixels right and 20 up, and mirrors them with Ctrl+M."""
    width, height, _ = image = desktop.capture(window)
    dots = find_pixels(image, DOT_COLOURS)
    grey = find_pixels(image, [VIEW_BACKGROUND])
    if not dots or not grey:
        fail("no dot of a point type, or no view, left of the side column")
    left = max(min(x for x, _ in grey) + 3, min(x for x, _ in dots) - 12)
    top = max(min(y for _, y in grey) + 3, min(y for _, y in dots) - 12)
    right = min(max(x for x, _ in grey) - 3, max(x for x, _ in dots) + 12)
    bottom = min(max(y for _, y in grey) - 3, max(y for _, y in dots) + 12)
    desktop.xdotool("mousemove", "--window", window, str(left), str(top), "keydown", "shift",
                    "mousedown", "1", "mousemove", "--window", window, str((left + right) // 2),
                    str((top + bottom) // 2), "mousemove", "--window", window, str(right),
                    str(bottom), "mouseup", "1", "keyup", "shift")
    x, y = wait_for("a dot in the selection colour",
                    lambda: selected_dot(desktop.capture(window)))
    desktop.xdotool("mousemove", "--window", window, str(x), str(y), "mousedown", "1",
                    "mousemove", "--window", window, str(x + 15), str(y - 10), "mousemove",
                    "--window", window, str(x + 30), str(y - 20), "mouseup", "1")
    desktop.key("ctrl+m")


def read_sailorpoints(text):
    """The points (x, y, z, type) and links (from, to) of a sailorpoints file's text."""
    points, links = {}, {}
    for line in text.splitlines():
        name, _, value = line.partition(" = ")
        if name.startswith("point "):
            points[int(name[6:])] = tuple(float(v) for v in value.split(","))
        elif name.startswith("link "):
            links[int(name[5:])] = tuple(int(v) for v in value.split(","))
    return [points[i] for i in sorted(points)], [links[i] for i in sorted(links)]


def check_moved_and_mirrored(before, after):
    """`after` (sailorpoints text) holds the points of `before`, two or more of them moved by
    one displacement, then the mirror image across x = 0 of each moved one that is off the
    centre line, and the image of every link between two moved ones."""
    old_points, old_links = read_sailorpoints(before)
    new_points, new_links = read_sailorpoints(after)
    count = len(old_points)
    moved = {number: tuple(n - o for n, o in zip(new[:3], old[:3]))
             for number, (new, old) in enumerate(zip(new_points[:count], old_points))
             if any(abs(n - o) > 1e-6 for n, o in zip(new[:3], old[:3]))}
    shifts = list(moved.values())
    if len(moved) < 2 or any(abs(a - b) > 1e-6 for m in shifts for a, b in zip(m, shifts[0])):
        fail(f"not two or more points moved by one displacement: {moved}")
    image, added = {}, []
    for number in sorted(moved):
        x, y, z, kind = new_points[number]
        if abs(x) <= 0.01:
            image[number] = number
        else:
            image[number] = count + len(added)
            added.append((-x, y, z, kind))
    got = new_points[count:]
    if len(got) != len(added) or any(
            abs(a - b) > 1e-6 for p, q in zip(got, added) for a, b in zip(p, q)):
        fail(f"the points added are {got}, expected the mirror images {added}")
    pairs = {frozenset(link) for link in new_links}
    for a, b in old_links:
        if a in image and b in image and frozenset((image[a], image[b])) not in pairs:
            fail(f"the mirror image of link {a}-{b} is missing: {new_links}")
    print(f"moved {len(moved)} points by {shifts[0]}, mirrored {len(added)} of them")

class Program:
    """One walk-converter process in the private X server."""

    def __init__(self, executable, desktop, work_dir, log_name, arguments=()):
        home = work_dir / "home"
        runtime = work_dir / "runtime"
        for folder in (home, runtime):
            folder.mkdir(exist_ok=True)
        runtime.chmod(0o700)
        env = dict(desktop.env)
        for name in ("XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "GNOME_DESKTOP_SESSION_ID",
                     "KDE_FULL_SESSION", "WAYLAND_DISPLAY", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR",
                     "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "SESSION_MANAGER"):
            env.pop(name, None)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            # Qt's own widget dialogs, whatever desktop integration the machine has installed.
            "QT_QPA_PLATFORMTHEME": "generic",
            "QT_ENABLE_HIGHDPI_SCALING": "0",
            "LC_ALL": "C.UTF-8",
            "LANG": "C.UTF-8",
            "HOME": str(home),
            "XDG_CONFIG_HOME": str(home / ".config"),
            "XDG_CACHE_HOME": str(home / ".cache"),
            "XDG_DATA_HOME": str(home / ".local/share"),
            "XDG_RUNTIME_DIR": str(runtime),
        })
        self.desktop = desktop
        self.log = open(work_dir / log_name, "wb")
        # The dialogs open in the working folder, which is the test's own.
        self.process = subprocess.Popen([str(executable), *arguments], cwd=work_dir, env=env,
                                        preexec_fn=die_with_parent,
                                        stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log)

    def windows(self):
        if self.process.poll() is not None:
            fail(f"walk-converter exited with code {self.process.returncode}")
        return self.desktop.visible_windows(self.process.pid)

    def window_titled(self, title):
        matching = [w for w, name in self.windows().items() if name == title]
        return matching[0] if len(matching) == 1 else None

    def wait_window(self, title):
        return wait_for(f"the window '{title}'", lambda: self.window_titled(title))

    def wait_gone(self, window, what):
        wait_for(f"{what} to close", lambda: window not in self.windows())

    def wait_new_window(self, known, what):
        def probe():
            fresh = [w for w in self.windows() if w not in known]
            return fresh[0] if len(fresh) == 1 else None
        return wait_for(what, probe)

    def stop(self):
        stop_process(self.process)
        self.log.close()


def check_size(desktop, window, twips):
    expected = pixels(twips)
    actual = desktop.size(window)
    if actual != expected:
        fail(f"client area is {actual[0]}x{actual[1]} pixels, expected {expected[0]}x{expected[1]}")


def check_summary(desktop, window):
    """The result area shows four lines (the second one empty), none of them cut off."""
    def summary():
        image = desktop.capture(window)
        bands = text_bands(image, LABEL2)
        return bands if len(bands) >= 3 else None

    bands = wait_for("the analysis summary in the result area", summary)
    if len(bands) != 3:
        fail(f"the result area shows {len(bands)} lines of text, expected 3 and an empty one")
    # Lines start one line pitch apart; the empty second line makes the first step two pitches.
    pitch = bands[2][0] - bands[1][0]
    if abs(bands[1][0] - bands[0][0] - 2 * pitch) > 2:
        fail(f"no empty line after the model name (lines start at rows {[b[0] for b in bands]})")
    # Every line shows at least the height of its capitals: a line cut off by the bottom of
    # the result area shows only a strip of them.
    full = bands[0][1] - bands[0][0] + 1
    for number, (top, bottom) in enumerate(bands, start=1):
        if bottom - top + 1 < 0.6 * full:
            fail(f"line {number} of the summary is {bottom - top + 1} pixels high, the first one "
                 f"{full}: cut off")


def check_result_area_empty(desktop, window):
    def empty():
        image = desktop.capture(window)
        return not text_bands(image, LABEL2)
    wait_for("the result area to be cleared", empty)


def answer_save_dialog(program, desktop, known, folder, screenshot):
    """Puts `folder` in front of the proposed file name and presses Enter."""
    dialog = program.wait_new_window(known, "the save dialog")
    desktop.screenshot(dialog, screenshot)  # also waits until the dialog has settled
    desktop.focus(dialog)
    desktop.key("Home")
    desktop.type(f"{folder}/")
    desktop.key("Return")
    program.wait_gone(dialog, "the save dialog")


def close_message_box(program, desktop, screenshot):
    box = program.wait_window(MESSAGE_TITLE)
    desktop.screenshot(box, screenshot)
    desktop.focus(box)
    desktop.key("Return")
    program.wait_gone(box, "the message box")


def type_into(desktop, window, rect, text):
    desktop.click(window, rect)
    desktop.focus(window)
    desktop.click(window, rect)
    desktop.key("ctrl+a")
    desktop.type(text)


def expect_file(written, expected):
    wait_for(f"{written.name} to be written", written.exists, seconds=2)
    actual = written.read_bytes()
    wanted = expected.read_bytes()
    if actual != wanted:
        fail(f"{written} differs from {expected}:\n"
             f"--- written\n{actual!r}\n--- expected\n{wanted!r}")


def choose(desktop, program, option, title, size):
    with Step("the chooser opens"):
        chooser = program.wait_window(CHOOSER_TITLE)
        check_size(desktop, chooser, CHOOSER_SIZE)
    with Step(f"choosing '{title}' in the chooser"):
        desktop.click(chooser, option)
        desktop.click(chooser, CHOOSER_OK)
        window = program.wait_window(title)
        program.wait_gone(chooser, "the chooser")
        check_size(desktop, window, size)
    return chooser, window


def walk_to_sailorpoints(args, desktop, work):
    with Step("starting walk-converter"):
        program = Program(args.program, desktop, work, "walk-to-sailorpoints.log")
    try:
        with Step("screenshot of the chooser"):
            desktop.screenshot(program.wait_window(CHOOSER_TITLE), "chooser.png")
        _, form1 = choose(desktop, program, OPTION1, FORM1_TITLE, FORM1_SIZE)

        with Step("analysing a walk source file"):
            # A name relative to the program's working folder; the other inputs are full paths.
            type_into(desktop, form1, TEXT1, "deck_walk.c")
            desktop.click(form1, ANALYSE)
            check_summary(desktop, form1)
            desktop.screenshot(form1, "walk-to-sailorpoints.png")

        with Step("Convert! and the save dialog proposing deck1.ini"):
            known = set(program.windows())
            desktop.click(form1, FORM1_CONVERT)
            answer_save_dialog(program, desktop, known, work / "out", "save-dialog-ini.png")
        with Step("the success message after writing the sailorpoints file"):
            close_message_box(program, desktop, "success-message.png")
        with Step("comparing the sailorpoints file"):
            expect_file(work / "out" / "deck1.ini", args.data / "deck1.ini.expected")

        # The full path is long enough; only the file name's 6 characters are too few.
        with Step("analysing a file whose name is too short for a model name"):
            type_into(desktop, form1, TEXT1, str(work / "ship.c"))
            desktop.click(form1, ANALYSE)
            close_message_box(program, desktop, "error-message.png")
            check_result_area_empty(desktop, form1)
        with Step("the window stays open after the error"):
            if program.window_titled(FORM1_TITLE) != form1:
                fail("the converter window is gone")
    finally:
        program.stop()


def sailorpoints_to_walk(args, desktop, work):
    with Step("starting walk-converter again"):
        program = Program(args.program, desktop, work, "sailorpoints-to-walk.log")
    try:
        _, form2 = choose(desktop, program, OPTION2, FORM2_TITLE, FORM2_SIZE)

        with Step("analysing a sailorpoints file"):
            type_into(desktop, form2, TEXT1, str(work / "mast1.ini"))
            desktop.click(form2, ANALYSE)
            check_summary(desktop, form2)
        with Step("editing the output model name"):
            type_into(desktop, form2, TEXT2, "upper_mast")
            desktop.screenshot(form2, "sailorpoints-to-walk.png")

        with Step("Convert! and the save dialog proposing upper_mast_walk.c"):
            known = set(program.windows())
            desktop.click(form2, FORM2_CONVERT)
            answer_save_dialog(program, desktop, known, work / "out", "save-dialog-walk.png")
        with Step("the success message after writing the walk source file"):
            close_message_box(program, desktop, "success-message-walk.png")
        with Step("comparing the walk source file"):
            expect_file(work / "out" / "upper_mast_walk.c",
                        args.data / "upper_mast_walk.c.expected")
    finally:
        program.stop()


def open_with_file(args, desktop, work):
    with Step("starting walk-converter with a walk source to open"):
        program = Program(args.program, desktop, work, "open-with-file.log",
                          arguments=[str(work / "hull_walk.c")])
    try:
        with Step("the file opens in its converter window, analysed, without the chooser"):
            form1 = program.wait_window(FORM1_TITLE)
            check_size(desktop, form1, FORM1_SIZE)
            check_summary(desktop, form1)
            if program.window_titled(CHOOSER_TITLE) is not None:
                fail("the chooser is shown too")
            desktop.screenshot(form1, "opened-with-file.png")

        with Step("Show graph opens the graph window"):
            desktop.click(form1, FORM1_SHOW_GRAPH)
            graph = program.wait_window(GRAPH_TITLE)
            size = desktop.size(graph)
            if size != GRAPH_SIZE:
                fail(f"the graph window is {size[0]}x{size[1]}, expected 800x600")
            desktop.screenshot(graph, "graph-window.png")
            args.greys_without_model = model_grey_pixels(desktop.capture(graph))

        with Step("Save picture (Ctrl+Shift+E) and the save dialog proposing hull_graph.png"):
            known = set(program.windows())
            desktop.focus(graph)
            desktop.key("ctrl+shift+e")
            answer_save_dialog(program, desktop, known, work / "out", "save-dialog-png.png")
        with Step("the picture is a PNG of the graph window's size that shows the graph"):
            check_picture(work / "out" / "hull_graph.png", GRAPH_SIZE)
            if program.window_titled(MESSAGE_TITLE) is not None:
                fail("a message box reports a failure")

        edit_save_and_reanalyse(args, desktop, program, work, form1, graph)
        select_move_and_mirror(args, desktop, program, work, graph)
    finally:
        program.stop()


# The model's cells are filled in greys from 0xd0 to 0xee by height; the views stand left of the
# side column, which is kGraphListWidth (240) pixels wide.
MODEL_GREYS = range(0xD0, 0xEF)
SIDE_COLUMN_WIDTH = 240


def model_grey_pixels(image):
    """How many pixels left of the side column show one of the model's greys other than the
    grey around the views' pages and of the bar between them."""
    width, height, rows = image
    left_part = (width - SIDE_COLUMN_WIDTH) * 3
    around = VIEW_BACKGROUND[0]
    count = 0
    for row in rows[:height - 30]:  # above the status line
        line = row[:left_part]
        for x in range(0, len(line), 3):
            grey = line[x]
            if grey in MODEL_GREYS and grey != around and grey == line[x + 1] == line[x + 2]:
                count += 1
    return count


def graph_on_ship(args, desktop, work):
    """A walk source with the project's sample ship beside it (brig.obj, written by
    scripts/sample-ship.py): its graph window shows the ship under the graph. The graph window
    of hull_walk.c, which has no model beside it, is the measure of the greys a graph alone
    shows (antialiased lines and texts)."""
    ship = work / "ship"
    with Step("writing the sample ship beside brig_walk.c"):
        ship.mkdir()
        shutil.copyfile(args.data / "brig_walk.c", ship / "brig_walk.c")
        subprocess.run([sys.executable, str(args.sample_ship), str(ship)], check=True,
                       capture_output=True, timeout=WAIT_SECONDS)
    with Step("starting walk-converter with brig_walk.c"):
        program = Program(args.program, desktop, work, "graph-on-ship.log",
                          arguments=[str(ship / "brig_walk.c")])
    try:
        with Step("Show graph opens the graph window with the ship drawn under the graph"):
            form1 = program.wait_window(FORM1_TITLE)
            check_summary(desktop, form1)
            desktop.click(form1, FORM1_SHOW_GRAPH)
            graph = program.wait_window("brig - graph")
            # A ship fills a good part of the views; a graph alone shows few such greys.
            least = 5000 + 4 * args.greys_without_model
            wait_for(f"at least {least} pixels of the model's greys in the views "
                     f"({args.greys_without_model} without a model)",
                     lambda: model_grey_pixels(desktop.capture(graph)) >= least)
            desktop.screenshot(graph, "graph-window-on-ship.png")
    finally:
        program.stop()


def edit_save_and_reanalyse(args, desktop, program, work, form1, graph):
    """Moves point 0 in the graph window by its fields, saves over the file with Ctrl+S, and
    checks the file and the converter window that analysed it again."""
    original = work / "hull_original_walk.c"
    shutil.copyfile(work / "hull_walk.c", original)
    with Step("Ctrl+G, point 0, its X typed as 1.5: the title marks the unsaved edit"):
        desktop.focus(graph)
        desktop.key("ctrl+g")
        desktop.type("0")
        desktop.key("Return")
        desktop.key("Tab")
        desktop.key("ctrl+a")
        desktop.type("1.5")
        desktop.key("Return")
        program.wait_window("hull* - graph")
        desktop.screenshot(graph, "graph-editor.png")
    with Step("Ctrl+S saves over the walk source"):
        desktop.key("ctrl+s")
        program.wait_window(GRAPH_TITLE)
    with Step("the file on disk is the old text with only the statement of point 0's x changed"):
        written = (work / "hull_walk.c").read_bytes().splitlines(keepends=True)
        before = original.read_bytes().splitlines(keepends=True)
        changed = [(old, new) for old, new in zip(before, written) if old != new]
        if (len(written) != len(before) or len(changed) != 1
                or not changed[0][1].strip().startswith(b"hull_walk_verts[0] = 1.5;")):
            fail(f"the save changed other lines than point 0's x: {changed!r}")
        diff = subprocess.run([str(args.walkconv), "diff", str(original), str(work / "hull_walk.c")],
                              capture_output=True, text=True, timeout=WAIT_SECONDS)
        moved = [line for line in diff.stdout.splitlines() if line.startswith(("point ", "link "))]
        if diff.returncode != 1 or moved != ["point 0 moved (0, 0, 0) -> (1.5, 0, 0)"]:
            fail(f"walkconv diff says: {diff.stdout!r} (status {diff.returncode})")
    with Step("the converter window analysed the saved file: Convert! writes point 0 at x 1.5"):
        desktop.raise_above_others(form1)
        known = set(program.windows())
        desktop.click(form1, FORM1_CONVERT)
        answer_save_dialog(program, desktop, known, work / "out", "save-dialog-edited.png")
        close_message_box(program, desktop, "success-message-edited.png")
        if b"point 0 = 1.5,0,0," not in (work / "out" / "hull1.ini").read_bytes():
            fail("the converted file does not hold the saved graph")


def select_move_and_mirror(args, desktop, program, work, graph):
    """Selects every point of the graph window with a Shift-band, drags them all by one of
    them, mirrors them with Ctrl+M, saves with Ctrl+S and checks the file."""
    def sailorpoints():
        done = subprocess.run([str(args.walkconv), "to-ini", str(work / "hull_walk.c"), "-o", "-"],
                              capture_output=True, text=True, timeout=WAIT_SECONDS)
        if done.returncode != 0:
            fail(f"walkconv to-ini failed: {done.stderr!r}")
        return done.stdout
    before = sailorpoints()
    with Step("a Shift-band around all the dots, a drag of one of them and Ctrl+M"):
        desktop.raise_above_others(graph)
        desktop.focus(graph)
        band_drag_and_mirror(desktop, graph)
        program.wait_window("hull* - graph")
        desktop.screenshot(graph, "graph-mirrored.png")
    with Step("Ctrl+S: every point moved by one displacement, and their mirror images added"):
        desktop.key("ctrl+s")
        program.wait_window(GRAPH_TITLE)
        check_moved_and_mirrored(before, sailorpoints())


# ---- No edit lost: one crash-restore cycle ----------------------------------------------------

RESTORE_QUESTION = ("The walking graph of keel has edits that were not saved when the program "
                    "ended. Restore them?")


def crash_and_restore(args, desktop, work):
    """An edit in the graph window, the program killed outright before a save, started again:
    the question is answered Restore, the edit is back (unsaved) and Ctrl+S saves it."""
    keel = work / "keel_walk.c"
    keel.write_bytes((args.data / "hull_walk.c").read_bytes().replace(b"hull", b"keel"))
    journal = work / "home" / ".config" / "walk-converter" / "journal"
    with Step("keel_walk.c opened, Show graph, point 0's X typed as 2.5"):
        program = Program(args.program, desktop, work, "crash.log", arguments=[str(keel)])
        try:
            form1 = program.wait_window(FORM1_TITLE)
            desktop.click(form1, FORM1_SHOW_GRAPH)
            graph = program.wait_window("keel - graph")
            desktop.focus(graph)
            desktop.key("ctrl+g")
            desktop.type("0")
            desktop.key("Return")
            desktop.key("Tab")
            desktop.key("ctrl+a")
            desktop.type("2.5")
            desktop.key("Return")
            program.wait_window("keel* - graph")
            with Step("the journal is written within a second or two"):
                wait_for("the journal", lambda: list(journal.glob("*.json")), seconds=3)
        finally:
            with Step("the program killed outright"):
                program.process.kill()
                program.process.wait(timeout=5)
                program.stop()
    with Step("started again: the question about the unsaved edits, answered Restore"):
        program = Program(args.program, desktop, work, "restore.log")
    try:
        box = program.wait_window(MESSAGE_TITLE)
        desktop.screenshot(box, "restore-question.png")
        desktop.focus(box)
        desktop.key("Return")
        with Step("the graph window shows the edit, unsaved, without the chooser"):
            graph = program.wait_window("keel* - graph")
            program.wait_window(FORM1_TITLE)
            if program.window_titled(CHOOSER_TITLE) is not None:
                fail("the chooser is shown too")
        with Step("Ctrl+S saves the restored edit and the journal goes"):
            desktop.focus(graph)
            desktop.key("ctrl+s")
            program.wait_window("keel - graph")
            if b"keel_walk_verts[0] = 2.5;" not in keel.read_bytes():
                fail("the saved file does not hold the restored edit")
            wait_for("the journal to go", lambda: not list(journal.glob("*.json")), seconds=2)
    finally:
        program.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", type=Path, required=True, help="the walk-converter binary")
    parser.add_argument("--walkconv", type=Path, required=True, help="the walkconv binary")
    parser.add_argument("--tables", type=Path, required=True,
                        help="the program that prints the windows' tables")
    parser.add_argument("--data", type=Path, required=True, help="inputs and expected outputs")
    parser.add_argument("--screenshots", type=Path, required=True, help="folder for the PNGs")
    args = parser.parse_args()
    args.program = args.program.resolve()
    args.data = args.data.resolve()
    args.sample_ship = Path(__file__).resolve().parents[3] / "scripts" / "sample-ship.py"
    args.greys_without_model = 0
    load_tables(args.tables)

    started = time.monotonic()
    args.screenshots.mkdir(parents=True, exist_ok=True)
    server = None
    with tempfile.TemporaryDirectory(prefix="walkconv-smoke-") as temp:
        work = Path(temp)
        try:
            with Step("starting the X server"):
                for tool in ("xdotool", "xwd"):
                    if shutil.which(tool) is None:
                        raise Skip(f"{tool} is not installed")
                server = XServer(work)
            desktop = Desktop(server.display, args.screenshots)

            with Step("preparing the input files"):
                (work / "out").mkdir()
                for name in ("deck_walk.c", "mast1.ini", "hull_walk.c"):
                    shutil.copyfile(args.data / name, work / name)
                (work / "ship.c").write_bytes(b"")

            walk_to_sailorpoints(args, desktop, work)
            sailorpoints_to_walk(args, desktop, work)
            open_with_file(args, desktop, work)
            # The run with the ship has a budget of its own.
            global deadline
            deadline = time.monotonic() + SHIP_BUDGET_SECONDS
            graph_on_ship(args, desktop, work)
            # And so has the crash-restore cycle.
            deadline = time.monotonic() + SHIP_BUDGET_SECONDS
            crash_and_restore(args, desktop, work)
        except Skip as reason:
            print(f"SKIPPED: {reason}")
            return SKIPPED
        except Exception as error:  # noqa: BLE001 - every failure is reported with its step
            failure = error if isinstance(error, StepFailed) else f"{Step.current}: {error!r}"
            print(f"FAILED at step {failure}")
            for log in sorted(work.glob("*.log")):
                text = log.read_text(errors="replace").strip()
                if text:
                    print(f"--- {log.name}\n{text}")
            return 1
        finally:
            if server is not None:
                server.stop()
    print(f"passed in {time.monotonic() - started:.1f} s; screenshots in {args.screenshots}")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
