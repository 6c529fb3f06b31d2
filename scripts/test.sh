#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the full build (GUI tests
# offscreen), then the plain layers again under address and UB sanitizers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
bash "$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j"$(nproc)")
bash "$root/scripts/build.sh" "$root/build-asan" -DTAVRIN_SANITIZE=ON -DTAVRIN_BUILD_UI=OFF \
  -DTAVRIN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$(nproc)")
