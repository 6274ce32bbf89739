#!/usr/bin/env bash
# Builds everything and runs every test twice: as it ships, and under the address and
# undefined-behaviour sanitizers (separate build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=${JOBS:-$(nproc)}

echo "== release build =="
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== sanitizer build =="
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZE=ON -DTAVRIX_BENCH=OFF
cmake --build "$root/build-asan" -j"$jobs"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"
echo "All tests passed."
