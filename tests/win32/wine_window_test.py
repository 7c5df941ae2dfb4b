#!/usr/bin/env python3
"""Drives the real walk-converter.exe under Wine in the X display of the Windows stage.

"walk-converter.exe FILE", then from the keyboard: Convert! through the real save dialog and
message box (the file compared byte for byte with the Linux program's), Show graph, an edit of
the graph saved with Ctrl+S (the walk source compared with the original with only point 0's
x changed, and Convert! again with what it converts of it), a Shift-band, a drag of the points
selected and Ctrl+M (the file saved holds them moved and mirrored), the question about an
unsaved edit, and Alt+F4, which must end the program; then a walk source with the sample ship
beside it, whose graph window shows the ship; then one crash-restore cycle (an edit, taskkill
/F, the program started again and Restore answered). Prints the time to the first window; saves
windows.png (for the README). Skipped (77) without WALKCONV_WINE_DISPLAY
(scripts/test-windows.sh sets it), xdotool or xwd. Every wait is bounded; a failure names its
step.
"""

import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# The X helpers of the Linux program's real-window test: named steps, bounded waits, window
# dumps and PNG files.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "qt" / "smoke"))
import window_smoke_test as smoke  # noqa: E402

SKIPPED = 77
MESSAGE_TITLE = "Walk files converter"
GRAPH_TITLE = "deck - graph"
EDITED_GRAPH_TITLE = "deck* - graph"
# Point 0 of deck_walk.c as the test types it into the graph window's X field.
ORIGINAL_X = b"deck_walk_verts[0] = 1.5;"
EDITED_X = b"deck_walk_verts[0] = 1.25;"
BUDGET_SECONDS = 90
SHIP_BUDGET_SECONDS = 40
Step = smoke.Step


def visible_windows(desktop):
    """Title of every mapped top-level window on the display, by window id."""
    found = desktop.xdotool("search", "--onlyvisible", "--name", "", check=False)
    windows = {}
    for window in found.split():
        name = desktop.run("xdotool", "getwindowname", window, check=False)
        if name.returncode == 0:
            windows[window] = name.stdout.decode(errors="replace").rstrip("\n")
    return windows


def wait_window(desktop, title):
    def probe():
        matching = [w for w, name in visible_windows(desktop).items() if name == title]
        return matching[0] if len(matching) == 1 else None
    return smoke.wait_for(f"the window '{title}'", probe)


def wait_new_window(desktop, known, what):
    """The one titled window that has appeared beside `known`."""
    def probe():
        fresh = [w for w, name in visible_windows(desktop).items() if w not in known and name]
        return fresh[0] if len(fresh) == 1 else None
    return smoke.wait_for(what, probe)


def wait_gone(desktop, window, what):
    smoke.wait_for(f"{what} to close", lambda: window not in visible_windows(desktop))


def has_keyboard(desktop, window):
    return desktop.xdotool("getwindowfocus", check=False).strip() == window


def activate(desktop, window):
    """A click on the window's title bar (Wine draws it), which activates it as on Windows;
    returns once the keyboard goes there."""
    desktop.xdotool("mousemove", "--window", window, "60", "8", "click", "1")
    smoke.wait_for("the keyboard to go to the window clicked",
                   lambda: has_keyboard(desktop, window))


def client_area(image, width, height):
    """The client area of a window dump that holds the frame Wine draws: a border of one width
    on the left, right and bottom, and the title bar above."""
    full_width, full_height, rows = image
    border = (full_width - width) // 2
    top = full_height - height - border
    return width, height, [row[3 * border:3 * (border + width)] for row in rows[top:top + height]]


def side_by_side(left, right, gap=16, background=(0x9a, 0xa4, 0xae)):
    """Two window dumps next to each other, tops aligned."""
    (lw, lh, lrows), (rw, rh, rrows) = left, right
    height = max(lh, rh)
    fill = bytes(background)
    rows = []
    for y in range(height):
        row = lrows[y] if y < lh else fill * lw
        row += fill * gap
        row += rrows[y] if y < rh else fill * rw
        rows.append(row)
    return lw + gap + rw, height, rows


def walkconv(args, work, *arguments):
    """Runs walkconv.exe in the folder `work`, which must succeed."""
    done = subprocess.run([args.emulator, str(args.walkconv), *arguments], cwd=work,
                          capture_output=True, timeout=30)
    if done.returncode != 0:
        smoke.fail(f"walkconv {' '.join(arguments)} ended with code {done.returncode}: "
                   f"{done.stderr.decode(errors='replace').strip()}")


def load_tables(args):
    """The converter window's caption and the client sizes in pixels, from the tables."""
    printed = subprocess.run([args.emulator, str(args.tables)], check=True, capture_output=True)
    tables = json.loads(printed.stdout)
    form1 = tables["Form1"]
    return form1["caption"], smoke.pixels(form1["size"]), tuple(tables["GraphWindow"]["size"])


def program_env(work):
    """The environment of walk-converter.exe: its journal of unsaved edits in the test's own
    folder (as Wine names it on drive Z:), never in the prefix's settings."""
    folder = "Z:" + str(work / "journal").replace("/", "\\")
    return dict(os.environ, WALK_CONVERTER_JOURNAL=folder)


def run(args, desktop, work):
    form1_title, form1_size, graph_size = load_tables(args)
    args.form1_title, args.graph_size = form1_title, graph_size
    with Step("starting walk-converter.exe with a walk source to open"):
        started = time.monotonic()
        log = open(work / "walk-converter.log", "wb")
        process = subprocess.Popen([args.emulator, str(args.program), "deck_walk.c"], cwd=work,
                                   env=program_env(work), preexec_fn=smoke.die_with_parent,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    try:
        with Step("the converter window of the file's kind opens"):
            form1 = wait_window(desktop, form1_title)
            print(f"walk-converter.exe showed its window {time.monotonic() - started:.2f} s "
                  "after it was started")

        with Step("Convert! from the keyboard opens the save dialog"):
            activate(desktop, form1)
            desktop.key("Tab", "Tab", "Tab", "space")  # Text1, Analyse, "...", Convert!
            dialog = wait_new_window(desktop, {form1}, "the save dialog")
        with Step("the save dialog, proposing deck1.ini, saves into the folder out"):
            desktop.screenshot(dialog, "windows-save-dialog.png")  # waits until it has settled
            activate(desktop, dialog)
            desktop.key("Home")
            desktop.type("out\\")
            desktop.key("Return")
            wait_gone(desktop, dialog, "the save dialog")
        with Step("the success message"):
            box = wait_window(desktop, MESSAGE_TITLE)
            desktop.screenshot(box, "windows-message.png")
            activate(desktop, box)
            desktop.key("Return")
            wait_gone(desktop, box, "the message box")
        with Step("comparing the sailorpoints file with the Linux program's"):
            smoke.expect_file(work / "out" / "deck1.ini", args.data / "deck1.ini.expected")

        with Step("Show graph (the focus moved on from the disabled Convert!)"):
            activate(desktop, form1)
            desktop.key("space")
            graph = wait_window(desktop, GRAPH_TITLE)

        with Step("the graph window: Ctrl+G, point 0 and Enter, Tab to X, 1.25 and Enter"):
            activate(desktop, graph)
            desktop.key("ctrl+g")
            desktop.type("0")
            desktop.key("Return", "Tab")
            desktop.type("1.25")
            desktop.key("Return")
            wait_window(desktop, EDITED_GRAPH_TITLE)
        with Step("Ctrl+S changes only the statement of point 0's x in the walk source"):
            desktop.key("ctrl+s")
            wait_window(desktop, GRAPH_TITLE)
            edited = work / "expected" / "deck_walk.c"
            (edited.parent / "converted").mkdir(parents=True)
            original = (args.data / "deck_walk.c").read_bytes()  # line ends as they are
            if original.count(ORIGINAL_X) != 1:
                smoke.fail(f"deck_walk.c does not hold {ORIGINAL_X!r} once")
            edited.write_bytes(original.replace(ORIGINAL_X, EDITED_X))
            smoke.expect_file(work / "deck_walk.c", edited)
        with Step("screenshot of the windows"):
            desktop.screenshot(graph, "windows-graph.png")  # waits until painting has settled
            picture = side_by_side(client_area(desktop.capture(form1), *form1_size),
                                   client_area(desktop.capture(graph), *graph_size))
            (args.screenshots / "windows.png").write_bytes(smoke.encode_png(picture))
            args.greys_without_model = smoke.model_grey_pixels(
                client_area(desktop.capture(graph), *graph_size))

        with Step("Convert! again converts the saved graph, which the converter analysed again"):
            activate(desktop, form1)
            desktop.key("shift+Tab", "space")  # from Show graph back to Convert!
            dialog = wait_new_window(desktop, {form1, graph}, "the save dialog")
            activate(desktop, dialog)
            desktop.key("Home")
            desktop.type("again\\")  # beside the first, in the folder the dialog remembered
            desktop.key("Return")
            wait_gone(desktop, dialog, "the save dialog")
            box = wait_window(desktop, MESSAGE_TITLE)
            activate(desktop, box)
            desktop.key("Return")
            wait_gone(desktop, box, "the message box")
            walkconv(args, work, "to-ini", "-d", "expected/converted", "deck_walk.c")
            smoke.expect_file(work / "out" / "again" / "deck1.ini",
                              work / "expected" / "converted" / "deck1.ini")

        select_move_and_mirror(args, desktop, work, graph)

        with Step("Alt+F4 with an edit unsaved asks in a task dialog; Escape keeps the window"):
            activate(desktop, graph)
            desktop.key("ctrl+Insert")
            wait_window(desktop, EDITED_GRAPH_TITLE)
            desktop.key("alt+F4")
            question = wait_window(desktop, MESSAGE_TITLE)
            desktop.screenshot(question, "windows-question.png")
            activate(desktop, question)
            desktop.key("Escape")
            wait_gone(desktop, question, "the question")
            wait_window(desktop, EDITED_GRAPH_TITLE)
        with Step("Ctrl+Z takes the edit back: nothing is unsaved"):
            activate(desktop, graph)
            desktop.key("ctrl+z")
            wait_window(desktop, GRAPH_TITLE)

        with Step("Alt+F4 in the graph window hides it, and in the converter window ends the program"):
            desktop.key("alt+F4")
            wait_gone(desktop, graph, "the graph window")
            smoke.wait_for("the keyboard to go back to the converter window",
                           lambda: has_keyboard(desktop, form1))
            desktop.key("alt+F4")
            smoke.wait_for("walk-converter.exe to end", lambda: process.poll() is not None)
            if process.returncode != 0:
                smoke.fail(f"walk-converter.exe ended with code {process.returncode}")
    finally:
        smoke.stop_process(process)
        log.close()


def graph_on_ship(args, desktop, work):
    """A walk source with the project's sample ship beside it (brig.obj, written by
    scripts/sample-ship.py): its graph window shows the ship under the graph, told by the
    model's greys in the views, many more than the graph of deck_walk.c alone shows."""
    ship = work / "ship"
    with Step("writing the sample ship beside brig_walk.c"):
        ship.mkdir()
        shutil.copyfile(args.data / "brig_walk.c", ship / "brig_walk.c")
        subprocess.run([sys.executable, str(args.sample_ship), str(ship)], check=True,
                       capture_output=True, timeout=30)
    with Step("starting walk-converter.exe with brig_walk.c"):
        log = open(work / "graph-on-ship.log", "wb")
        process = subprocess.Popen([args.emulator, str(args.program), "brig_walk.c"], cwd=ship,
                                   env=program_env(work), preexec_fn=smoke.die_with_parent,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    try:
        with Step("Show graph opens the graph window with the ship drawn under the graph"):
            form1 = wait_window(desktop, args.form1_title)
            activate(desktop, form1)
            desktop.key("Tab", "Tab", "Tab", "Tab", "space")  # Text1 to Show graph
            graph = wait_window(desktop, "brig - graph")
            least = 5000 + 4 * args.greys_without_model
            smoke.wait_for(
                f"at least {least} pixels of the model's greys in the views "
                f"({args.greys_without_model} without a model)",
                lambda: smoke.model_grey_pixels(
                    client_area(desktop.capture(graph), *args.graph_size)) >= least)
            desktop.screenshot(graph, "windows-graph-on-ship.png")
    finally:
        smoke.stop_process(process)
        log.close()


def select_move_and_mirror(args, desktop, work, graph):
    """Selects points of the graph window with a Shift-band, drags them all by one of them,
    mirrors them with Ctrl+M, saves with Ctrl+S and checks the file through walkconv.exe."""
    def sailorpoints(folder):
        walkconv(args, work, "to-ini", "-q", "-d", folder, "deck_walk.c")
        return (work / folder / "deck1.ini").read_text()
    (work / "before-mirror").mkdir()
    (work / "mirrored").mkdir()
    before = sailorpoints("before-mirror")
    with Step("a Shift-band around all the dots, a drag of one of them and Ctrl+M"):
        activate(desktop, graph)
        smoke.band_drag_and_mirror(desktop, graph)
        wait_window(desktop, EDITED_GRAPH_TITLE)
        desktop.screenshot(graph, "windows-graph-mirrored.png")
    with Step("Ctrl+S: the points moved by one displacement, and their mirror images added"):
        desktop.key("ctrl+s")
        wait_window(desktop, GRAPH_TITLE)
        smoke.check_moved_and_mirrored(before, sailorpoints("mirrored"))


# ---- No edit lost: one crash-restore cycle ----------------------------------------------------

def start(args, work, log_name, *arguments):
    log = open(work / log_name, "wb")
    return log, subprocess.Popen([args.emulator, str(args.program), *arguments], cwd=work,
                                 env=program_env(work), preexec_fn=smoke.die_with_parent,
                                 stdin=subprocess.DEVNULL, stdout=log, stderr=log)


def crash_and_restore(args, desktop, work):
    """An edit in the graph window, walk-converter.exe killed with taskkill /F before a save,
    started again: the question is answered Restore, the edit is back (unsaved) and Ctrl+S
    saves it."""
    form1_title = load_tables(args)[0]
    keel = work / "keel_walk.c"
    keel.write_bytes((args.data / "hull_walk.c").read_bytes().replace(b"hull", b"keel"))
    journal = work / "journal"
    with Step("keel_walk.c opened, Show graph, point 0's X typed as 2.5"):
        log, process = start(args, work, "crash.log", "keel_walk.c")
    try:
        form1 = wait_window(desktop, form1_title)
        activate(desktop, form1)
        desktop.key("Tab", "Tab", "Tab", "Tab", "space")  # Text1, Analyse, "...", Convert!
        graph = wait_window(desktop, "keel - graph")
        activate(desktop, graph)
        desktop.key("ctrl+g")
        desktop.type("0")
        desktop.key("Return", "Tab")
        desktop.type("2.5")
        desktop.key("Return")
        wait_window(desktop, "keel* - graph")
        with Step("the journal is written within a second or two"):
            smoke.wait_for("the journal", lambda: list(journal.glob("*.json")), seconds=3)
        with Step("taskkill /F ends walk-converter.exe at once"):
            subprocess.run([args.emulator, "taskkill", "/F", "/IM", "walk-converter.exe"],
                           capture_output=True, timeout=30)
            smoke.wait_for("walk-converter.exe to end", lambda: process.poll() is not None)
    finally:
        smoke.stop_process(process)
        log.close()
    with Step("started again: the task dialog about the unsaved edits, answered Restore"):
        log, process = start(args, work, "restore.log")
    try:
        question = wait_window(desktop, MESSAGE_TITLE)
        desktop.screenshot(question, "windows-restore-question.png")
        activate(desktop, question)
        desktop.key("Return")
        wait_gone(desktop, question, "the question")
        with Step("the graph window shows the edit, unsaved"):
            graph = wait_window(desktop, "keel* - graph")
            form1 = wait_window(desktop, form1_title)
        with Step("Ctrl+S saves the restored edit and the journal goes"):
            activate(desktop, graph)
            desktop.key("ctrl+s")
            wait_window(desktop, "keel - graph")
            if b"keel_walk_verts[0] = 2.5;" not in keel.read_bytes():
                smoke.fail("the saved file does not hold the restored edit")
            smoke.wait_for("the journal to go", lambda: not list(journal.glob("*.json")),
                           seconds=2)
        with Step("Alt+F4 in the converter window ends the program"):
            activate(desktop, form1)
            desktop.key("alt+F4")
            smoke.wait_for("walk-converter.exe to end", lambda: process.poll() is not None)
    finally:
        smoke.stop_process(process)
        log.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--emulator", required=True, help="what runs a Windows program")
    parser.add_argument("--program", type=Path, required=True, help="walk-converter.exe")
    parser.add_argument("--walkconv", type=Path, required=True, help="walkconv.exe")
    parser.add_argument("--tables", type=Path, required=True,
                        help="the program that prints the windows' tables")
    parser.add_argument("--data", type=Path, required=True, help="inputs and expected outputs")
    parser.add_argument("--screenshots", type=Path, required=True, help="folder for the PNGs")
    args = parser.parse_args()
    args.sample_ship = Path(__file__).resolve().parents[2] / "scripts" / "sample-ship.py"
    args.greys_without_model = 0
    display = os.environ.get("WALKCONV_WINE_DISPLAY")
    if not display:
        print("SKIPPED: no X display for Wine (scripts/test-windows.sh starts one)")
        return SKIPPED
    for tool in ("xdotool", "xwd"):
        if shutil.which(tool) is None:
            print(f"SKIPPED: {tool} is not installed")
            return SKIPPED
    smoke.BUDGET_SECONDS = BUDGET_SECONDS
    smoke.deadline = time.monotonic() + BUDGET_SECONDS
    args.screenshots.mkdir(parents=True, exist_ok=True)
    desktop = smoke.Desktop(display, args.screenshots)
    with tempfile.TemporaryDirectory(prefix="walkconv-wine-") as temp:
        work = Path(temp)
        (work / "out" / "again").mkdir(parents=True)
        shutil.copyfile(args.data / "deck_walk.c", work / "deck_walk.c")
        try:
            run(args, desktop, work)
            # The run with the ship has a budget of its own.
            smoke.deadline = time.monotonic() + SHIP_BUDGET_SECONDS
            graph_on_ship(args, desktop, work)
            # And so has the crash-restore cycle.
            smoke.deadline = time.monotonic() + SHIP_BUDGET_SECONDS
            crash_and_restore(args, desktop, work)
        except Exception as error:  # noqa: BLE001 - every failure is reported with its step
            failure = error if isinstance(error, smoke.StepFailed) else f"{Step.current}: {error!r}"
            print(f"FAILED at step {failure}")
            for log in sorted(work.glob("*.log")):
                said = log.read_text(errors="replace").strip()
                if said:
                    print(f"--- {log.name}\n{said}")
            return 1
    print(f"passed; screenshots in {args.screenshots}")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
