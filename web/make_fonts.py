#!/usr/bin/python3
"""Cuts the game's two faces down to the characters it can show.

The characters come from every text the game draws from: the data sources
(data/), the literals of the game and of resgen (which writes the lists and
tables), and the text files resgen wrote into Res/ (GBK). Printable ASCII is
always kept. Writes OUT/hei.ttf (WenQuanYi Zen Hei Mono, the face standing in
for 黑体) and OUT/li.ttf (AR PL UKai CN, for 隶书).

usage: make_fonts.py SOURCE_ROOT RES_DIR OUT_DIR FREETYPE_SOURCE
"""
import os
import subprocess
import sys

FACES = [
    ("hei.ttf", "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Mono"),
    ("li.ttf", "/usr/share/fonts/truetype/arphic/ukai.ttc", "AR PL UKai CN"),
]
SOURCE_FOLDERS = ["data", "platform", "shell", "campaign", "strategy", "war", "battle", "rules", "app",
                  "tools/resgen"]
TEXT_SUFFIXES = (".cpp", ".h", ".tsv", ".txt", ".kss", ".md", ".ini", ".csv", ".kdt", ".ktp", ".kmp", ".kls")


def characters(source_root, res_dir):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for folder in SOURCE_FOLDERS:
        for dirpath, _, files in os.walk(os.path.join(source_root, folder)):
            for name in files:
                if name.endswith(TEXT_SUFFIXES) or "." not in name:
                    with open(os.path.join(dirpath, name), encoding="utf-8", errors="ignore") as f:
                        chars.update(f.read())
    for dirpath, _, files in os.walk(res_dir):
        for name in files:
            # Only the text kinds: pictures, saves and sounds read as GBK
            # would bring in thousands of characters nobody sees.
            if not name.endswith(TEXT_SUFFIXES):
                continue
            with open(os.path.join(dirpath, name), "rb") as f:
                chars.update(f.read().decode("gbk", errors="ignore"))
    return {c for c in chars if ord(c) >= 0x20 and not 0xD800 <= ord(c) < 0xE000}


def autohint_characters(freetype_src):
    """FreeType's auto-hinter, which draws the game's text, measures each face
    on its CJK blue-zone characters (autofit/afblue.dat of the FreeType the page
    links) and the standard stems 田 and 囗: a face cut without them would be
    hinted differently from the whole one, and the text would differ by a pixel
    here and there from the desktop game's."""
    import re
    path = os.path.join(freetype_src, "src", "autofit", "afblue.dat")
    if not os.path.exists(path):
        raise SystemExit("make_fonts: no %s" % path)
    text = open(path, encoding="utf-8").read()
    chars = set("田囗")
    for block in re.findall(r"AF_BLUE_STRING_CJK_\w+\n((?:\s*\"[^\"]*\"\n)+)", text):
        chars.update(c for c in "".join(re.findall(r'"([^"]*)"', block)) if ord(c) > 0x7F)
    return chars


def font_number(path, family):
    from fontTools.ttLib import TTCollection
    for i, font in enumerate(TTCollection(path).fonts):
        if font["name"].getDebugName(1) == family:
            return i
    raise SystemExit("make_fonts: %s has no face %r" % (path, family))


def keep_if_unchanged(fresh, out):
    """The page's data is packed again whenever a face's file is newer, so a
    face cut to the same bytes keeps the file it had."""
    if os.path.exists(out) and open(out, "rb").read() == open(fresh, "rb").read():
        os.remove(fresh)
    else:
        os.replace(fresh, out)


def main(argv):
    if len(argv) != 5:
        raise SystemExit(__doc__)
    source_root, res_dir, out_dir, freetype_src = argv[1:]
    if not os.path.isdir(res_dir):
        raise SystemExit("make_fonts: no %s (build the desktop data first)" % res_dir)
    os.makedirs(out_dir, exist_ok=True)
    chars = characters(source_root, res_dir) | autohint_characters(freetype_src)
    text_file = os.path.join(out_dir, "characters.txt")
    with open(text_file, "w", encoding="utf-8") as f:
        f.write("".join(sorted(chars)))
    for out_name, path, family in FACES:
        if not os.path.exists(path):
            raise SystemExit("make_fonts: %s is missing (install fonts-wqy-zenhei and fonts-arphic-ukai)" % path)
        out = os.path.join(out_dir, out_name)
        fresh = out + ".new"
        subprocess.run([sys.executable, "-m", "fontTools.subset", path,
                        "--font-number=%d" % font_number(path, family),
                        "--text-file=" + text_file, "--output-file=" + fresh,
                        "--layout-features=*", "--name-IDs=*", "--notdef-outline",
                        "--drop-tables+=EBDT,EBLC,EBSC"], check=True)
        keep_if_unchanged(fresh, out)
    print("make_fonts: %d characters, %s" % (len(chars), ", ".join(
        "%s %d KB" % (n, os.path.getsize(os.path.join(out_dir, n)) // 1024) for n, _, _ in FACES)))


if __name__ == "__main__":
    main(sys.argv)
