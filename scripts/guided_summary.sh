#!/bin/sh
# What the guided player reached over several runs: a goal counts as reached
# when at least one run's report leaves it out of its "not reached" list.
# Usage: guided_summary.sh REPORT...
[ $# -gt 0 ] || { echo "usage: $0 REPORT..." >&2; exit 2; }
for report in "$@"; do
  grep -m1 '^not reached' "$report" | grep -o '\[[^]]*\]' | sort -u
  echo "--"
done | awk -v runs=$# '
  $0 == "--" { next }
  { missing[$0]++ }
  END {
    n = 0
    for (goal in missing) if (missing[goal] == runs) { never = never " " goal; n++ }
    if (n == 0) print "guided over " runs " runs: every goal reached"
    else print "guided over " runs " runs: never reached (" n "):" never
  }'
