#!/usr/bin/env bash
# Runs the desktop program under a virtual X server on a copy of the bundled example and saves
# the pictures of the user manual into docs/images/: the cover, the working layout, the window
# after the integrated reduction and after the reduced test, the comparison viewer with its plots
# and error table, and the target search with its candidate plot.
# Build first (./run.sh or cmake --build build); VANTOR_BUILD names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${VANTOR_BUILD:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
if [ ! -x "$build/bin/Vantor" ]; then
  echo "screenshots: $build/bin/Vantor is missing; build the program first" >&2
  exit 1
fi
command -v xvfb-run >/dev/null || { echo "screenshots: xvfb-run is missing (Debian package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/gri30/* "$work/"
chmod u+w "$work"/*
mkdir -p docs/images

# The program's start-up folder is the work folder, so its settings file stays there.
cd "$work"
VANTOR_SCREENSHOT_DIR="$root/docs/images" \
  xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/Vantor" "$work/gri30.PRJ"
ls -l "$root/docs/images"
