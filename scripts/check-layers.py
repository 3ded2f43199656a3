#!/usr/bin/env python3
"""Checks that includes run one way through the layers of src/ (docs/ARCHITECTURE.md):

    app                         windows
    zoom  legend  output        logic that uses the logic below it
    datafile  render  filesel   logic
    model                       the plot state
    platform                    services

A file may include its own folder and folders of lower layers only; folders of one layer do not
include each other. Prints each offending include and exits 1 if there is one.
    check-layers.py [SRC_DIR]
"""
import pathlib
import re
import sys

LAYERS = [["platform"], ["model"], ["datafile", "render", "filesel"], ["zoom", "legend", "output"], ["app"]]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/[^"]+"', re.M)


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    bad = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.parent == src:
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in RANK:
            bad.append(f"{path}: folder {folder} has no layer")
            continue
        for target in INCLUDE.findall(path.read_text(errors="replace")):
            if target != folder and (target not in RANK or RANK[target] >= RANK[folder]):
                bad.append(f"{path}: includes {target}/ (layer {RANK.get(target, '?')}, own {RANK[folder]})")
    print("\n".join(bad) if bad else "includes run one way through the layers")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
