#!/usr/bin/env python3
"""Builds the Debian package of a build tree with CPack and checks what it holds.

The package must carry the programs, a desktop entry whose command and icon are in the
package and whose file types are known, the file type of sailorpoints files, the icon in the
sizes its folders claim, and the README with its images; nothing outside /usr, no build
leftovers and no database that the system's triggers build; and control fields that let apt install it with its
libraries. Exits 77 (skipped) where dpkg-deb is missing, as on a machine that is not
Debian-like.
"""

import argparse
import configparser
import io
import re
import shutil
import struct
import subprocess
import sys
import tarfile
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

SKIPPED = 77
CPACK_SECONDS = 120

ICONS = {
    "usr/share/icons/hicolor/32x32/apps/walk-converter.png": (32, 32),
    "usr/share/icons/hicolor/256x256/apps/walk-converter.png": (256, 256),
}
DESKTOP_ENTRY = "usr/share/applications/walk-converter.desktop"
MIME_PACKAGE = "usr/share/mime/packages/walk-converter.xml"
MIME_NAMESPACE = "{http://www.freedesktop.org/standards/shared-mime-info}"
# The types the desktop entry opens: C sources are the desktop's own, sailorpoints files ours.
OPENED_TYPES = ["text/x-csrc", "application/x-sailorpoints"]
REQUIRED_FILES = {
    "usr/bin/walk-converter",
    DESKTOP_ENTRY,
    MIME_PACKAGE,
    "usr/share/icons/hicolor/scalable/apps/walk-converter.svg",
    "usr/share/doc/walk-converter/README.md",
    *ICONS,
}
# dpkg-shlibdeps must have found these: the program cannot start without them.
REQUIRED_DEPENDENCIES = {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6"}


class Problems:
    def __init__(self):
        self.found = []

    def check(self, condition, message):
        if not condition:
            self.found.append(message)


def run(*command, timeout=30):
    done = subprocess.run(list(command), capture_output=True, timeout=timeout)
    if done.returncode != 0:
        raise RuntimeError(f"{' '.join(command)} failed:\n{done.stdout.decode(errors='replace')}"
                           f"{done.stderr.decode(errors='replace')}")
    return done.stdout


def build_package(cpack, build_dir, out_dir):
    run(cpack, "-G", "DEB", "--config", str(build_dir / "CPackConfig.cmake"), "-B", str(out_dir),
        timeout=CPACK_SECONDS)
    debs = sorted(out_dir.glob("*.deb"))
    if len(debs) != 1:
        raise RuntimeError(f"expected one .deb in {out_dir}, found {[d.name for d in debs]}")
    return debs[0]


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def control_fields(deb):
    fields = {}
    name = None
    for line in run("dpkg-deb", "--field", str(deb)).decode().splitlines():
        if line.startswith((" ", "\t")) and name:
            fields[name] += "\n" + line.strip()
        elif ":" in line:
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return fields


def dependency_names(depends):
    names = set()
    for clause in depends.split(","):
        for alternative in clause.split("|"):
            names.add(alternative.split("(")[0].strip().split(":")[0])
    return names


def check_control(problems, fields, version, architecture):
    problems.check(fields.get("Package") == "walk-converter", f"Package is {fields.get('Package')}")
    problems.check(fields.get("Version") == version,
                   f"Version is {fields.get('Version')}, the project's is {version}")
    problems.check(fields.get("Architecture") == architecture,
                   f"Architecture is {fields.get('Architecture')}, dpkg's is {architecture}")
    problems.check(fields.get("Section") == "utils", f"Section is {fields.get('Section')}")
    maintainer = fields.get("Maintainer", "")
    problems.check("<" in maintainer and "@" in maintainer and maintainer.endswith(">"),
                   f"Maintainer '{maintainer}' is not 'Name <address>'")
    description = fields.get("Description", "").split("\n")
    problems.check(len(description) >= 2 and description[0],
                   "Description needs a summary line and a long description")
    problems.check(all(len(line) <= 80 for line in description),
                   "Description has lines longer than 80 characters")
    missing = REQUIRED_DEPENDENCIES - dependency_names(fields.get("Depends", ""))
    problems.check(not missing, f"Depends lacks {sorted(missing)}: '{fields.get('Depends')}'")


def check_files(problems, archive, expect_cli):
    members = {m.name.removeprefix("./"): m for m in archive.getmembers()}
    files = {name: m for name, m in members.items() if not m.isdir()}
    required = REQUIRED_FILES | ({"usr/bin/walkconv"} if expect_cli else set())
    for name in sorted(required - files.keys()):
        problems.check(False, f"missing {name}")

    for name, member in sorted(files.items()):
        problems.check(name.startswith("usr/"), f"{name} lies outside /usr")
        problems.check(member.isfile(), f"{name} is not a regular file")
        problems.check(member.uname == "root" and member.gname == "root",
                       f"{name} belongs to {member.uname}:{member.gname}")
        leftover = name.endswith((".a", ".h", ".o", ".cmake")) or "/include/" in name
        problems.check(not leftover, f"{name} is a build leftover")
        built = name.startswith("usr/share/mime/") and not name.startswith("usr/share/mime/packages/")
        built = built or name.endswith("/mimeinfo.cache")
        problems.check(not built, f"{name} belongs to a database the system builds")
        wanted = 0o755 if name.startswith("usr/bin/") else 0o644
        problems.check(member.mode & 0o777 == wanted,
                       f"{name} has mode {member.mode & 0o777:o}, expected {wanted:o}")
    return files


def check_icons(problems, archive, files):
    for name, size in ICONS.items():
        if name in files:
            actual = png_size(archive.extractfile(files[name]).read())
            problems.check(actual == size, f"{name} is {actual}, expected a {size} PNG")


def check_readme_images(problems, archive, files):
    """Every image the README shows is installed beside it, at the path the README gives."""
    readme = "usr/share/doc/walk-converter/README.md"
    if readme not in files:
        return
    text = archive.extractfile(files[readme]).read().decode("utf-8")
    images = re.findall(r"!\[[^\]]*\]\(([^)\s]+)\)", text)
    for image in images:
        installed = str(Path(readme).parent / image)
        problems.check(installed in files, f"README shows {image}, which is not at {installed}")


def check_desktop_entry(problems, archive, files):
    if DESKTOP_ENTRY not in files:
        return
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys are case-sensitive
    parser.read_string(archive.extractfile(files[DESKTOP_ENTRY]).read().decode("utf-8"))
    entry = parser["Desktop Entry"] if parser.has_section("Desktop Entry") else {}
    problems.check(entry.get("Type") == "Application", "desktop entry: Type is not Application")
    problems.check(entry.get("Name") == "Walk files converter",
                   f"desktop entry: Name is {entry.get('Name')}")
    problems.check("Utility" in entry.get("Categories", "").split(";"),
                   f"desktop entry: Categories '{entry.get('Categories')}' lack Utility")
    problems.check(entry.get("Categories", "").endswith(";"),
                   "desktop entry: Categories must end with ';'")
    command = entry.get("Exec", "").split(" ")[0]
    problems.check(f"usr/bin/{command}" in files,
                   f"desktop entry: Exec '{command}' is not a program of the package")
    problems.check(entry.get("Exec", "").split(" ")[1:] == ["%f"],
                   f"desktop entry: Exec '{entry.get('Exec')}' does not take one file (%f)")
    problems.check(entry.get("MimeType", "").split(";") == OPENED_TYPES + [""],
                   f"desktop entry: MimeType '{entry.get('MimeType')}' is not {OPENED_TYPES}")
    icon = entry.get("Icon", "")
    themed = [n for n in files if n.startswith("usr/share/icons/hicolor/")
              and Path(n).stem == icon]
    problems.check(len(themed) >= 2,
                   f"desktop entry: Icon '{icon}' has {len(themed)} images in the hicolor theme")


def check_mime_package(problems, archive, files):
    """Sailorpoints files are *.ini files told apart from other INI files by their content."""
    if MIME_PACKAGE not in files:
        return
    root = ElementTree.fromstring(archive.extractfile(files[MIME_PACKAGE]).read())
    types = {t.get("type"): t for t in root.iter(f"{MIME_NAMESPACE}mime-type")}
    ours = types.get("application/x-sailorpoints")
    problems.check(ours is not None, "the MIME package defines no application/x-sailorpoints")
    if ours is None:
        return
    globs = [g.get("pattern") for g in ours.iter(f"{MIME_NAMESPACE}glob")]
    problems.check(globs == ["*.ini"], f"application/x-sailorpoints globs {globs}, not *.ini")
    matches = [m.get("value") for m in ours.iter(f"{MIME_NAMESPACE}match")]
    problems.check(matches == ["[POINT_DATA]"],
                   f"application/x-sailorpoints matches {matches}, not [POINT_DATA]")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cpack", required=True)
    parser.add_argument("--build-dir", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--expect-cli", action="store_true", help="walkconv must be packaged")
    args = parser.parse_args()

    if shutil.which("dpkg-deb") is None or shutil.which("dpkg") is None:
        print("SKIPPED: dpkg-deb is not installed; no Debian package can be built here")
        return SKIPPED

    with tempfile.TemporaryDirectory(prefix="package-", dir=args.build_dir) as out:
        deb = build_package(args.cpack, args.build_dir, Path(out))
        print(run("dpkg-deb", "--contents", str(deb)).decode())
        architecture = run("dpkg", "--print-architecture").decode().strip()
        problems = Problems()
        check_control(problems, control_fields(deb), args.version, architecture)
        tar = io.BytesIO(run("dpkg-deb", "--fsys-tarfile", str(deb)))
        with tarfile.open(fileobj=tar) as archive:
            files = check_files(problems, archive, args.expect_cli)
            check_icons(problems, archive, files)
            check_desktop_entry(problems, archive, files)
            check_mime_package(problems, archive, files)
            check_readme_images(problems, archive, files)

    if problems.found:
        print(f"{deb.name}:\n  " + "\n  ".join(problems.found))
        return 1
    print(f"{deb.name}: contents and control fields as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
