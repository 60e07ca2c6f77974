#!/usr/bin/python3
"""Prints what a player downloads: the first download (the page, the program
and the packed data) and each late file, raw and gzip-compressed as a server
sends them. Also written to BUILD/sizes.txt. Each file's compressed form is
kept beside it as NAME.gz, which serve.py (or a static server's precompressed
mode) sends as it is, instead of compressing the data for each fresh start.

usage: sizes.py BUILD_WEB
"""
import gzip
import os
import sys

FIRST = ["index.html", "page.css", "index.js", "index.wasm", "index.data"]


def write_gz(path):
    """Writes path's compressed form beside it as NAME.gz; returns its size."""
    with open(path, "rb") as f:
        body = gzip.compress(f.read(), compresslevel=6, mtime=0)
    with open(path + ".gz.part", "wb") as f:
        f.write(body)
    os.replace(path + ".gz.part", path + ".gz")
    return len(body)


def mb(n):
    return "%.1f MB" % (n / 1e6)


def main(argv):
    root = argv[1]
    lines, raw_total, gz_total = [], 0, 0
    for name in FIRST:
        path = os.path.join(root, name)
        if not os.path.exists(path):
            raise SystemExit("sizes: %s is missing" % path)
        raw, gz = os.path.getsize(path), write_gz(path)
        raw_total += raw
        gz_total += gz
        lines.append("%-40s %10s %10s" % (name, mb(raw), mb(gz)))
    lines.append("%-40s %10s %10s" % ("first download", mb(raw_total), mb(gz_total)))
    late_root = os.path.join(root, "late")
    for dirpath, _, files in os.walk(late_root):
        for name in sorted(f for f in files if not f.endswith(".gz")):
            path = os.path.join(dirpath, name)
            lines.append("%-40s %10s %10s" % ("late: " + os.path.relpath(path, late_root), mb(os.path.getsize(path)),
                                              mb(write_gz(path))))
    text = "%-40s %10s %10s\n" % ("file", "raw", "gzip") + "\n".join(lines) + "\n"
    with open(os.path.join(root, "sizes.txt"), "w") as f:
        f.write(text)
    sys.stdout.write(text)


if __name__ == "__main__":
    main(sys.argv)
