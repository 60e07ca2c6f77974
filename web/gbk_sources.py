#!/usr/bin/python3
"""Copies the game's sources into a tree whose text is GBK by escapes.

The desktop build has gcc turn every literal into GBK (-fexec-charset=GBK);
emscripten's clang has no such option. Here every run of non-ASCII text is
written as octal escapes of its GBK bytes, so the literals hold the same bytes
whatever the compiler reads. Comments get the same treatment, which is
harmless. Files whose result did not change keep their time stamps, so a
rebuild compiles only what was edited.

usage: gbk_sources.py SOURCE_ROOT OUT_ROOT FOLDER...
"""
import os
import re
import sys

NON_ASCII = re.compile(r"[^\x00-\x7f]+")


def escape(match):
    try:
        data = match.group(0).encode("gbk")
    except UnicodeEncodeError as error:
        raise SystemExit("gbk_sources: %r has no GBK form" % match.group(0)) from error
    return "".join("\\%03o" % b for b in data)


def transcode(text):
    return NON_ASCII.sub(escape, text)


def main(argv):
    if len(argv) < 4:
        raise SystemExit(__doc__)
    src_root, out_root, folders = argv[1], argv[2], argv[3:]
    wanted = set()
    for folder in folders:
        top = os.path.join(src_root, folder)
        if not os.path.isdir(top):
            continue  # a folder that does not exist yet on this branch
        for dirpath, _, files in os.walk(top):
            for name in files:
                if not name.endswith((".cpp", ".h", ".hpp", ".inc")):
                    continue
                rel = os.path.relpath(os.path.join(dirpath, name), src_root)
                wanted.add(rel)
                with open(os.path.join(src_root, rel), encoding="utf-8") as f:
                    text = transcode(f.read())
                out = os.path.join(out_root, rel)
                try:
                    with open(out, encoding="ascii") as f:
                        if f.read() == text:
                            continue
                except (OSError, UnicodeDecodeError):
                    pass
                os.makedirs(os.path.dirname(out), exist_ok=True)
                with open(out, "w", encoding="ascii") as f:
                    f.write(text)
    # Sources removed or renamed upstream must not linger in the copy.
    for dirpath, _, files in os.walk(out_root):
        for name in files:
            rel = os.path.relpath(os.path.join(dirpath, name), out_root)
            if rel not in wanted:
                os.remove(os.path.join(dirpath, name))


if __name__ == "__main__":
    main(sys.argv)
