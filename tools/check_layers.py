#!/usr/bin/env python3
"""Checks the #include lines of src/, server/, tools/, bench/ and fuzz/ against src/layers.txt.

A file may include files of its own unit and of units on lower floors only; no file declares
a function of another unit with a local `extern`. Prints one line per fault, naming file and
line, and exits with 1 when there is any.  Usage: check_layers.py [REPOSITORY_ROOT]
"""
import os
import re
import sys

TREES = ("src", "server", "tools", "bench", "fuzz")
SOURCE_ENDINGS = (".cpp", ".cc", ".c", ".h", ".hpp")
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')
EXTERN = re.compile(r'\s*extern\b(?!\s*"C"\s*\{)')
FUNCTION_DECLARATION = re.compile(r'\b[A-Za-z_]\w*\s*\((?!\s*\*)')


def read_floors(root):
    """Unit path -> floor number, from the layers file (bottom floor is 0)."""
    floors, floor = {}, 0
    with open(os.path.join(root, "src", "layers.txt"), encoding="utf-8") as lines:
        for line in lines:
            units = line.split("#", 1)[0].split()
            for unit in units:
                floors[unit.rstrip("/")] = floor
            floor += 1 if units else 0
    return floors


def unit_of(path, floors):
    """The deepest unit holding the path (relative to the root), or None."""
    parts = path.split("/")
    for n in range(len(parts) - 1, 0, -1):
        unit = "/".join(parts[:n])
        if unit in floors:
            return unit
    return None


def resolve(root, including, name):
    """The repository path of an included file, or None for a header from elsewhere."""
    for base in (os.path.dirname(including), "src", "server"):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(os.path.join(root, candidate)):
            return candidate.replace(os.sep, "/")
    return None


def source_files(root):
    for tree in TREES:
        for folder, subfolders, names in os.walk(os.path.join(root, tree)):
            subfolders[:] = sorted(d for d in subfolders if d != "corpus")
            for name in sorted(names):
                if name.endswith(SOURCE_ENDINGS):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def check_file(root, path, floors):
    unit = unit_of(path, floors)
    if unit is None or (unit == "src" and path.count("/") > 1):
        return ["%s: its folder is on no floor of src/layers.txt" % path]
    faults = []
    header = path.endswith((".h", ".hpp"))
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as lines:
        for number, line in enumerate(lines, 1):
            where = "%s:%d" % (path, number)
            include = INCLUDE.match(line)
            if include:
                target = resolve(root, path, include.group(1))
                other = target and unit_of(target, floors)
                if other and other != unit and floors[other] >= floors[unit]:
                    side = "on its own floor" if floors[other] == floors[unit] else "above it"
                    faults.append("%s: %s includes %s, which is %s" % (where, unit, target, side))
            elif EXTERN.match(line) and line.rstrip().endswith(";"):
                if not header:
                    faults.append("%s: local extern declaration; include the header of its unit" % where)
                elif FUNCTION_DECLARATION.search(line):
                    faults.append("%s: extern function declaration; declare it without extern" % where)
    return faults


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    floors = read_floors(root)
    faults, files = [], 0
    for path in source_files(root):
        files += 1
        faults += check_file(root, path, floors)
    for fault in faults:
        print(fault)
    print("%d files on %d floors: %d faults" % (files, max(floors.values()) + 1, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
