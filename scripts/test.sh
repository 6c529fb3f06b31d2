#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the full build (GUI tests
# offscreen), then every layer below the desktop again under address and UB
# sanitizers (core, engine, lang, io, app and the console with its scripts),
# the long-work tests under ThreadSanitizer, and a few seconds of each fuzz
# harness from its seeds. Every build treats warnings as errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen TAVRIN_WERROR=ON
bash "$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j"$(nproc)")
bash "$root/scripts/build.sh" "$root/build-asan" -DTAVRIN_SANITIZE=ON -DTAVRIN_BUILD_UI=OFF \
  -DTAVRIN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$(nproc)")
# Work on a worker thread while the interface thread goes on.
TAVRIN_TARGETS="tests_core tests_app" bash "$root/scripts/build.sh" "$root/build-tsan" -DTAVRIN_TSAN=ON \
  -DTAVRIN_BUILD_UI=OFF -DTAVRIN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O1
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/tests/tests_app" --gtest_brief=1 --gtest_filter='LongWork.*'
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/tests/tests_core" --gtest_brief=1 --gtest_filter='*Random*:*Poll*'
FUZZ_SMOKE=1 bash "$root/scripts/fuzz.sh" 5
