#!/usr/bin/env bash
# Installs what is missing, builds, and runs the integrated reduction of the bundled GRI-Mech 3.0
# example, then prints the comparison. "./run.sh --gui" opens the desktop program on it instead.
# Other arguments go to "vantor-cli run" (for example --method ecf or --jobs 1). The example runs
# on a copy in build/example (or $VANTOR_WORK), so the sources stay untouched.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

gui=false
if [ "${1:-}" = "--gui" ]; then
  gui=true
  shift
fi
targets=(vantor-cli Tolmar Pellor SENKIN KELDA MORVA BRENA TOVIK)
$gui && targets+=(Vantor)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target "${targets[@]}"

work=${VANTOR_WORK:-$PWD/build/example}
mkdir -p "$work"
for f in chem.inp therm.dat tran.dat gri30.PRJ; do
  cp "examples/gri30/$f" "$work/"
done
if $gui; then
  # The program keeps its settings file (PFA.ini) in the folder it starts in: the work folder.
  bin=$PWD/build/bin
  cd "$work"
  exec "$bin/Vantor" "$work/gri30.PRJ"
fi
exec build/bin/vantor-cli run "$work/gri30.PRJ" "$@"
