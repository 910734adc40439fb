#!/usr/bin/env python3
"""Checks every #include of src/ against the layers.

    scripts/check_layers.py [SRC_FOLDER]     (default: the src/ beside this script)

Prints one line per include against the table below, as
"src/FILE:LINE: includes WHAT; RULE", and exits with 1 when there is any.
The README's layout section says the same in words.
"""

import os
import re
import sys

# Each row: a folder (or one file, which then replaces its folder's row), and
# what it may include besides its own folder: project folders, single project
# files, and the libraries "ImGui" (<imgui*.h>) and "SDL" (<SDL3/...>). A file
# takes the row of its longest matching folder. A header brings in what it
# includes: a layout that includes a header which includes ImGui uses ImGui.
# The painting files of timeline/ and preview/ are named by their own rows.
FOUNDATIONS = "subtitles settings ui platform base"  # what every part of the editor may use
EDITOR_FOUNDATIONS = "editor/style " + FOUNDATIONS  # and, above the document and media, its colours and sizes
LAYERS = {
    "base": "",
    "platform": "SDL base",
    "ui": "base",
    "subtitles": "platform base",
    "settings": "platform base",
    "state": "platform base",
    "update": "state platform install/process_runner.h base",
    "install": "update state settings platform base",
    "install/game_start.cpp": "update state settings platform SDL base",
    "editor/document": FOUNDATIONS,
    "editor/style": "base",
    "editor/media": "editor/document install SDL " + FOUNDATIONS,
    "editor/timeline": "editor/document editor/media editor/preview " + EDITOR_FOUNDATIONS,
    "editor/timeline/draw_timeline.cpp": "editor/document editor/media editor/preview ImGui SDL " + EDITOR_FOUNDATIONS,
    "editor/timeline/draw_text.h": "ImGui " + EDITOR_FOUNDATIONS,
    "editor/preview": "editor/document editor/timeline " + EDITOR_FOUNDATIONS,
    "editor/screen": "editor editor/document editor/media editor/timeline editor/preview install ImGui SDL " + EDITOR_FOUNDATIONS,
    "editor": "editor/document editor/media editor/style editor/screen editor/timeline editor/preview ImGui SDL " + EDITOR_FOUNDATIONS,
    "menu": "app install update state ImGui SDL " + FOUNDATIONS,
    "app": "menu editor install update state ImGui SDL " + FOUNDATIONS,
    "imgui_hooks": "ImGui",
}

LIBRARIES = ("ImGui", "SDL")
INCLUDE = re.compile(r'\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE = re.compile(r".*\.(h|hpp|cpp|c)$")


def library_of(angled):
    """ImGui or SDL for an angled include, else None."""
    if re.match(r"imgui[^/]*\.h$", angled):
        return "ImGui"
    if angled.startswith("SDL3/"):
        return "SDL"
    return None


def row_of(path):
    """The table key whose row rules `path` (relative to src/), or None."""
    key = path
    while key:
        if key in LAYERS:
            return key
        key = key.rpartition("/")[0]
    return None


def may_use(row, target):
    """Whether the row allows the library, project file or the folder it lies in."""
    allowed = LAYERS[row].split()
    if target in allowed:
        return True
    folder = target
    while "/" in folder:
        folder = folder.rpartition("/")[0]
        if folder in allowed:
            # A subfolder with a row of its own (editor/screen under editor) must be
            # listed itself; a file with a row of its own belongs to its folder.
            owner = row_of(target)
            if owner and SOURCE.match(owner):
                owner = owner.rpartition("/")[0]
            return owner == folder
    return False


def read_includes(src, path):
    """(line number, library or project path) of each include of the file."""
    found = []
    with open(os.path.join(src, path), encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, name = match.groups()
            if kind == "<":
                library = library_of(name)
                if library:
                    found.append((number, library))
            elif "/" in name:
                found.append((number, name))
            else:
                found.append((number, os.path.join(os.path.dirname(path), name)))
    return found


def check(src):
    """The offence lines of the tree under `src`."""
    files = {}
    for folder, _, names in os.walk(src):
        for name in names:
            if SOURCE.match(name):
                path = os.path.relpath(os.path.join(folder, name), src).replace(os.sep, "/")
                files[path] = read_includes(src, path)

    reached = {}

    def libraries_reached(path, seen=()):
        """The libraries a project file brings in, itself or through its includes."""
        if path in reached:
            return reached[path]
        result = set()
        for _, target in files.get(path, []):
            if target in LIBRARIES:
                result.add(target)
            elif target in files and target not in seen:
                result |= libraries_reached(target, seen + (path,))
        reached[path] = result
        return result

    offences = []
    for path in sorted(files):
        row = row_of(path)
        if row is None:
            offences.append(f"src/{path}:1: lies in no folder of the layers table in scripts/check_layers.py")
            continue
        name = row if SOURCE.match(row) else row + "/"
        rule = f"{name} may use only: {', '.join(LAYERS[row].split()) or 'nothing outside itself'}"
        for number, target in files[path]:
            where = f"src/{path}:{number}: includes "
            if target in LIBRARIES:
                if not may_use(row, target):
                    offences.append(f"{where}{target}; {rule}")
                continue
            if os.path.dirname(target) != os.path.dirname(path) and not may_use(row, target):
                offences.append(f"{where}{target}; {rule}")
                continue
            for library in sorted(libraries_reached(target)):
                if not may_use(row, library):
                    offences.append(f"{where}{target}, which brings in {library}; {rule}")
    return offences


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    offences = check(src)
    for line in offences:
        print(line)
    if offences:
        print(f"{len(offences)} include(s) against the layers; the table is in scripts/check_layers.py")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
