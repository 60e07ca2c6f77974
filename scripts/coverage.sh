#!/bin/sh
# Builds the tests with gcov instrumentation in BUILD_DIR (default
# build-coverage), runs them, and reports line and branch coverage of the
# game's own folders: a table per folder on the terminal and an HTML report
# with every file at BUILD_DIR/coverage/index.html.
# Usage: scripts/coverage.sh [BUILD_DIR] [JOBS]
set -e
BUILD=${1:-build-coverage}
JOBS=${2:-$(nproc)}
ROOT=$(pwd)
FOLDERS="platform shell campaign strategy war battle app"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DKESTREL_TESTS=ON -DKESTREL_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$BUILD" -j "$JOBS"
find "$BUILD" -name '*.gcda' -delete
# A failing test still leaves its counts; the report is made either way and
# the exit status tells.
status=0
(cd "$BUILD" && ctest -j "$JOBS" --output-on-failure >ctest.log 2>&1) || status=$?
tail -3 "$BUILD/ctest.log"
filters=""
for f in $FOLDERS; do filters="$filters --filter $ROOT/$f/"; done
mkdir -p "$BUILD/coverage"
# Branches the compiler adds for exceptions (the game throws none) and for
# code it can prove unreachable would only blur the figures.
gcovr -r "$ROOT" "$BUILD" $filters --exclude-throw-branches --exclude-unreachable-branches \
  --json-summary "$BUILD/coverage/summary.json" --html-details "$BUILD/coverage/index.html" \
  --txt "$BUILD/coverage/files.txt" -j "$JOBS" >/dev/null
python3 - "$BUILD/coverage/summary.json" $FOLDERS <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
folders = sys.argv[2:]
sums = {f: [0, 0, 0, 0] for f in folders}
for f in data["files"]:
    top = f["filename"].split("/")[0]
    if top in sums:
        s = sums[top]
        s[0] += f["line_covered"]; s[1] += f["line_total"]
        s[2] += f["branch_covered"]; s[3] += f["branch_total"]
def pct(a, b):
    return "%5.1f %%" % (100.0 * a / b) if b else "    -  "
print("%-10s %18s %9s %20s %9s" % ("folder", "lines", "", "branches", ""))
total = [0, 0, 0, 0]
for name in folders:
    s = sums[name]
    total = [a + b for a, b in zip(total, s)]
    print("%-10s %8d / %-8d %s %9d / %-8d %s" % (name, s[0], s[1], pct(s[0], s[1]), s[2], s[3], pct(s[2], s[3])))
s = total
print("%-10s %8d / %-8d %s %9d / %-8d %s" % ("all", s[0], s[1], pct(s[0], s[1]), s[2], s[3], pct(s[2], s[3])))
PY
echo "HTML report: $BUILD/coverage/index.html (per file: $BUILD/coverage/files.txt)"
exit $status
