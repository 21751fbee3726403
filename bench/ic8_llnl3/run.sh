#!/bin/sh
# The integrated run plus reduced test of ic8_llnl3 (874 species) with 8 cases: 20 and 40 atm,
# 1000 and 1200 K, iso-octane in air at equivalence ratios 1 and 0.5, on 2 cores. Works on a copy
# in a fresh folder and reports the peak resident memory and the times.
#   bench/ic8_llnl3/run.sh [BUILD_DIR]     (default: build)
set -e
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vantor_ic8_XXXXXX")
trap '[ -n "$KEEP" ] || rm -rf "$work"' EXIT
cp "$top"/tests/data/corpus/ic8_llnl3/* "$here/ic8.PRJ" "$work/"
cd "$work"
/usr/bin/time -v "$build/bin/vantor-cli" run ic8.PRJ --jobs 2 > run.log 2> time.log || { cat run.log time.log; exit 1; }
grep -E "Elapsed time|^> .*(started|completed)" run.log | head -40
grep -E "Kept|kept|^ *[0-9]+ " run.log | tail -12
grep -E "Maximum resident|Elapsed \(wall|User time|System time|Percent of CPU" time.log
