#!/usr/bin/python3
"""Lays out the game's data for the page.

Res/ as resgen built it goes into OUT/stage/Res (packed into index.data, the
first download), except:
  - the player's own entries (Save/, Log/, startup.ini, tmp.ktp), which live
    in the browser's storage, and Sound/, which the page never plays; the shipped startup.ini is packed as
    /game/shipped-startup.ini, the first start's copy;
  - the large pictures (the scenarios' portrait sheets, LATE_BYTES and up),
    which go into OUT/late/Res and are fetched the first time the game opens
    them. OUT/cmake/late-files.js tells the page which they are.
Files are hard-linked where possible, so staging costs no copy.

usage: stage_data.py RES_DIR OUT_DIR
"""
import json
import os
import shutil
import sys

LATE_BYTES = 4 * 1024 * 1024
PLAYERS_OWN = {"Save", "Log", "startup.ini", "tmp.ktp", ".stamp"}
# The page plays no sound (platform/sound_device.cpp), so its files stay behind.
SILENT = {"Sound"}


def place(src, dst):
    os.makedirs(os.path.dirname(dst), exist_ok=True)
    try:
        os.link(src, dst)
    except OSError:
        shutil.copy2(src, dst)


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    res, out = argv[1], argv[2]
    if not os.path.isfile(os.path.join(res, "startup.ini")):
        raise SystemExit("stage_data: %s has no startup.ini (build the desktop data first)" % res)
    stage, late_dir = os.path.join(out, "stage"), os.path.join(out, "late")
    for d in (stage, late_dir):
        shutil.rmtree(d, ignore_errors=True)
    late = {}
    for dirpath, dirnames, files in os.walk(res):
        rel_dir = os.path.relpath(dirpath, res)
        if rel_dir == ".":
            dirnames[:] = [d for d in dirnames if d not in PLAYERS_OWN and d not in SILENT]
        for name in files:
            rel = os.path.normpath(os.path.join(rel_dir, name))
            if rel in PLAYERS_OWN:
                continue
            src = os.path.join(dirpath, name)
            if os.path.getsize(src) >= LATE_BYTES:
                place(src, os.path.join(late_dir, "Res", rel))
                late["Res/" + rel] = "late/Res/" + rel
            else:
                place(src, os.path.join(stage, "Res", rel))
    place(os.path.join(res, "startup.ini"), os.path.join(stage, "shipped-startup.ini"))
    os.makedirs(os.path.join(out, "cmake"), exist_ok=True)
    js = os.path.join(out, "cmake", "late-files.js")
    text = "// Data files fetched when the game first opens them (web/stage_data.py).\n" \
           "Module.kestrelLate = %s;\n" % json.dumps(late, indent=1, sort_keys=True)
    old = open(js).read() if os.path.exists(js) else None
    if old != text:
        with open(js, "w") as f:
            f.write(text)
    print("stage_data: %d late files: %s" % (len(late), ", ".join(sorted(late))))


if __name__ == "__main__":
    main(sys.argv)
