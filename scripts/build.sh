#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1 with extra
# CMake options after it); TAVRIN_TARGETS names the targets when not all;
# TAVRIN_WERROR=ON makes warnings errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$root/build}"
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIN_WERROR="${TAVRIN_WERROR:-OFF}" "$@" >/dev/null
targets=()
for t in ${TAVRIN_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
