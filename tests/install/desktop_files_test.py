#!/usr/bin/env python3
"""Checks the program's desktop files as the desktop's own tools read them.

desktop-file-validate must accept the desktop entry, and update-mime-database the file type
of sailorpoints files. Where GIO's `gio` tool is at hand, a database built from that file type
must tell a sailorpoints file named *.ini from another INI file, by content. Exits 77 (skipped)
where desktop-file-validate or update-mime-database is missing.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SKIPPED = 77

# name, content, and the type the desktop must give the file.
SAMPLES = [
    ("deck1.ini", b"\r\n[SIZE]\r\npoints = 1\r\n\r\n[POINT_DATA]\r\npoint 0 = 1,2,3,0\r\n",
     "application/x-sailorpoints"),
    ("SHIP1.INI", b"[POINT_DATA]\npoint 0 = 1,2,3,0\n[LINK_DATA]\n", "application/x-sailorpoints"),
    ("settings.ini", b"[General]\nwindow=1\n", "text/plain"),
    ("empty.ini", b"\n", "text/plain"),
]


def run(*command, env=None):
    return subprocess.run(list(command), capture_output=True, text=True, timeout=60, env=env)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--desktop-entry", type=Path, required=True)
    parser.add_argument("--mime-package", type=Path, required=True)
    args = parser.parse_args()

    for tool in ("desktop-file-validate", "update-mime-database"):
        if shutil.which(tool) is None:
            print(f"SKIPPED: {tool} is not installed")
            return SKIPPED

    problems = []
    validated = run("desktop-file-validate", str(args.desktop_entry))
    if validated.returncode != 0 or validated.stdout.strip():
        problems.append(f"desktop-file-validate: {validated.stdout}{validated.stderr}".strip())

    with tempfile.TemporaryDirectory(prefix="desktop-files-") as temp:
        data = Path(temp) / "data"
        (data / "mime" / "packages").mkdir(parents=True)
        shutil.copy(args.mime_package, data / "mime" / "packages" / "walk-converter.xml")
        built = run("update-mime-database", "-V", str(data / "mime"))
        if built.returncode != 0 or "error" in (built.stdout + built.stderr).lower():
            problems.append(f"update-mime-database: {built.stdout}{built.stderr}".strip())

        if shutil.which("gio") is None:
            print("gio is not installed: the types of the samples are not checked")
        elif not problems:
            env = dict(os.environ, XDG_DATA_HOME=str(data), XDG_DATA_DIRS="/usr/share")
            for name, content, wanted in SAMPLES:
                sample = Path(temp) / name
                sample.write_bytes(content)
                info = run("gio", "info", "-a", "standard::content-type", str(sample), env=env)
                found = [line.split(":", 3)[-1].strip() for line in info.stdout.splitlines()
                         if "standard::content-type" in line]
                if found != [wanted]:
                    problems.append(f"gio gives {name} the type {found}, expected {wanted}")

    if problems:
        print("\n".join(problems))
        return 1
    print("the desktop entry and the file type are valid")
    return 0


if __name__ == "__main__":
    sys.exit(main())
