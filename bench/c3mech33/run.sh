#!/bin/sh
# The reduction to a target error of 10 % on C3MechV3.3 (3761 species) with 4 cases: 20 and 40 atm,
# 1000 and 1200 K, n-dodecane in air at equivalence ratio 1, on 2 cores. Works on a copy in a
# fresh folder and reports the candidates, the search's time per kind of work and the peak
# resident memory.
#   bench/c3mech33/run.sh [BUILD_DIR] [--no-species-removal]     (default: build)
set -e
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
[ $# -gt 0 ] && shift
work=$(mktemp -d "${TMPDIR:-/tmp}/vantor_c3_XXXXXX")
trap '[ -n "$KEEP" ] || rm -rf "$work"' EXIT
cp "$top"/tests/data/corpus/c3mech33/* "$here/c3.PRJ" "$work/"
cd "$work"
/usr/bin/time -v "$build/bin/vantor-cli" run c3.PRJ --jobs 2 --target-error 10 "$@" > run.log 2> time.log ||
    { cat run.log time.log; exit 1; }
grep -E "^> (Detailed mechanism:|Candidate|Search time|Reduction to a target)|^Chosen" run.log
grep -E "Maximum resident|Elapsed \(wall|User time|System time|Percent of CPU" time.log
