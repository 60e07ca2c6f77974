#!/bin/sh
# Remakes the golden saves: plays each NAME.keys here (with the seed its
# "# seed N" line names) in a fresh folder and keeps the slot it saved as
# NAME.ksv, then loads that slot and keeps the records of the runner's dump
# as NAME.json. Run only when the save format or the loader changes on
# purpose (with a version step); the test compares against these files.
# Usage: tests/golden/make_golden.sh BUILD_DIR [NAME...]
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:?usage: make_golden.sh BUILD_DIR [NAME...]}" && pwd)
shift
NAMES=${*:-$(for f in "$HERE"/*.keys; do basename "$f" .keys; done)}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fresh() {
  rm -rf "$WORK/box" && mkdir -p "$WORK/box/Res/Save" "$WORK/box/Res/Log/Err"
  for f in "$BUILD"/Res/*; do
    case $(basename "$f") in Save|Log|startup.ini|tmp.ktp) ;; *) ln -s "$f" "$WORK/box/Res/" ;; esac
  done
  cp "$BUILD/Res/startup.ini" "$WORK/box/Res/"
}
for name in $NAMES; do
  seed=$(sed -n 's/^# seed \([0-9]*\).*/\1/p' "$HERE/$name.keys" | head -1)
  fresh
  (cd "$WORK/box" && ASAN_OPTIONS=detect_leaks=0 "$BUILD/kestrelmoor" --headless --seed "${seed:-1}" --keys "$HERE/$name.keys" >/dev/null)
  cp "$WORK/box/Res/Save/save0.ksv" "$HERE/$name.ksv"
  fresh
  cp "$HERE/$name.ksv" "$WORK/box/Res/Save/save0.ksv"
  printf 'DOWN\nDOWN\nRETURN\nRETURN\ndump loaded.json\nquit\n' >"$WORK/load.keys"
  (cd "$WORK/box" && ASAN_OPTIONS=detect_leaks=0 "$BUILD/kestrelmoor" --headless --seed 1 --keys "$WORK/load.keys" >/dev/null)
  python3 - "$WORK/box/loaded.json" "$HERE/$name.json" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
m = d["map"]
keep = {"playerRuler": m["playerRuler"], "rulerChoice": m["rulerChoice"], "scenario": m["scenario"], "taskCount": m["taskCount"],
        "date": m["date"], "cities": m["cities"], "officers": m["officers"], "items": m["items"], "tasks": m["tasks"]}
with open(sys.argv[2], "w") as out:
    out.write("{")
    for i, (k, v) in enumerate(keep.items()):
        sep = "," if i else ""
        if isinstance(v, list):
            out.write('%s\n"%s":[\n%s]' % (sep, k, ",\n".join(json.dumps(r, separators=(",", ":")) for r in v)))
        else:
            out.write('%s\n"%s":%s' % (sep, k, json.dumps(v, separators=(",", ":"))))
    out.write("\n}\n")
PY
  echo "$name: $(wc -c <"$HERE/$name.ksv") bytes of save, $(python3 -c "import json;d=json.load(open('$HERE/$name.json'));print('year',d['date'],'tasks',d['taskCount'])")"
done
