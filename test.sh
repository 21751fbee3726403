#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build, the build with
# address and undefined-behaviour sanitizers, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== sanitizer build and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_SANITIZE=ON -DVANTOR_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzz targets (a few seconds each)"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_FUZZ=ON \
  -DVANTOR_TESTS=OFF -DVANTOR_BENCH=OFF -DVANTOR_GUI=OFF
cmake --build build-fuzz -j "$jobs"
for f in build-fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=tests/fuzz/corpus/${name#fuzz_}
  args=(-max_total_time=10 -rss_limit_mb=4096)
  [ -d "$corpus" ] && args+=("$corpus")
  echo "-- $name"
  "$f" "${args[@]}" 2>&1 | tail -n 3
done
echo "== all tests passed"
