#!/usr/bin/env bash
# A library planted in the folder a program is started from is never loaded. Every program and
# library of the build has a run path without empty or relative entries (the loader reads those
# as the current folder), and vantor-cli and Vantor, started in a folder holding a fake KLU and
# a fake Qt module whose constructors leave a marker, load neither.
# planted_library_test.sh BIN_DIR CXX
set -euo pipefail
bin=$(cd "$1" && pwd)
cxx=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v readelf > /dev/null || { echo "readelf is not installed (binutils)"; exit 77; }

checked=0
for f in "$bin"/*; do
  [ -f "$f" ] && readelf -h "$f" > /dev/null 2>&1 || continue
  checked=$((checked + 1))
  path=$(readelf -d "$f" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p')
  [ -n "$path" ] || continue
  case ":$path:" in *::*) fail "$f has an empty run-path entry: [$path]" ;; esac
  IFS=: read -ra entries <<< "$path"
  for e in "${entries[@]}"; do
    case "$e" in /* | '$ORIGIN' | '$ORIGIN/'* | '${ORIGIN}' | '${ORIGIN}/'*) ;;
      *) fail "$f has a relative run-path entry '$e': [$path]" ;; esac
  done
done
[ "$checked" -ge 2 ] || fail "no programs found in $bin"

plant=$tmp/start
mkdir "$plant"
cat > "$tmp/planted.cpp" << 'CODE'
#include <cstdio>
#include <cstdlib>
__attribute__((constructor)) static void Planted() {
    if (const char* marker = std::getenv("PLANTED_MARKER")) std::fclose(std::fopen(marker, "w"));
}
CODE
for name in libklu.so.1 libQt6Svg.so.6; do "$cxx" -shared -fPIC -o "$plant/$name" "$tmp/planted.cpp"; done
export PLANTED_MARKER=$tmp/marker QT_QPA_PLATFORM=offscreen

# start PROGRAM ARGS...: runs it in the planted folder for at most a few seconds.
start() { (cd "$plant" && timeout -k 2 4 "$@" > /dev/null 2>&1) || true; }

# The fake is seen when the loader is pointed at it, so its absence below means something.
LD_LIBRARY_PATH=$plant start "$bin/vantor-cli" --help
[ -f "$PLANTED_MARKER" ] || fail "the planted library does not leave its marker"
rm -f "$PLANTED_MARKER"

start "$bin/vantor-cli" --help
[ ! -f "$PLANTED_MARKER" ] || fail "vantor-cli loaded a library from the folder it was started in"
if [ -x "$bin/Vantor" ]; then
  start "$bin/Vantor"
  [ ! -f "$PLANTED_MARKER" ] || fail "Vantor loaded a library from the folder it was started in"
fi
echo "no planted library loaded; $checked files' run paths checked"
