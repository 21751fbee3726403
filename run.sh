#!/usr/bin/env bash
# Installs what is missing, builds, and runs the integrated reduction of the bundled GRI-Mech 3.0
# example, then prints the comparison. "./run.sh --gui" opens the desktop program on it instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)"

work=${VANTOR_WORK:-$PWD/build/example}
mkdir -p "$work"
cp examples/gri30/* "$work/"
if [ "${1:-}" = "--gui" ]; then
  exec build/bin/Vantor "$work/gri30.PRJ"
fi
exec build/bin/vantor-cli run "$work/gri30.PRJ"
