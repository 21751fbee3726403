#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build, the build with
# address and undefined-behaviour sanitizers, the build with the thread sanitizer, and a short run
# of each fuzz target.
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

echo "== thread-sanitizer build and tests"
# Without the desktop program and its tests: Qt's libraries from Debian are not instrumented, so
# their own threads and locks give reports that are not ours. A report fails the test at once.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_SANITIZE_THREAD=ON \
  -DVANTOR_BENCH=OFF -DVANTOR_GUI=OFF
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$jobs"

echo "== fuzz targets (a few seconds each)"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_FUZZ=ON \
  -DVANTOR_TESTS=OFF -DVANTOR_BENCH=OFF -DVANTOR_GUI=OFF
cmake --build build-fuzz -j "$jobs"
for f in build-fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  seeds=tests/fuzz/corpus/${name#fuzz_}
  # New inputs go to a scratch folder; the committed seeds are only read.
  scratch=build-fuzz/corpus/${name#fuzz_}
  mkdir -p "$scratch"
  args=(-max_total_time=10 -timeout=10 -rss_limit_mb=4096 "$scratch")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "-- $name"
  if ! "$f" "${args[@]}" > "build-fuzz/$name.log" 2>&1; then
    tail -n 40 "build-fuzz/$name.log"
    echo "fuzz target $name found a fault" >&2
    exit 1
  fi
  tail -n 1 "build-fuzz/$name.log"
done
echo "== all tests passed"
