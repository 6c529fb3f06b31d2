#!/usr/bin/env bash
# Fuzzing with libFuzzer: builds the harnesses of tests/fuzz with clang into
# build-fuzz/ and runs them one at a time, each for SECONDS (default 600),
# under nice. Each harness grows its corpus in build-fuzz/corpus/NAME from
# the seeds in tests/fuzz/corpus/NAME; crashes, time-outs and memory
# blow-ups are kept in build-fuzz/artifacts/ and make the script fail.
#   scripts/fuzz.sh [SECONDS [NAME...]]     a campaign (all harnesses by default)
#   FUZZ_SMOKE=1 scripts/fuzz.sh 5          a short run from the seeds alone (the test command)
# TAVRIN_WERROR=ON makes compiler warnings errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
shift || true
build="$root/build-fuzz"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRIN_FUZZ=ON -DTAVRIN_BUILD_UI=OFF -DTAVRIN_BUILD_BENCH=OFF \
  -DTAVRIN_WERROR="${TAVRIN_WERROR:-OFF}" "${launcher[@]}" >/dev/null
# The build's output is kept, and shown when the build fails.
if ! nice cmake --build "$build" --target fuzzers -j"$(nproc)" >"$build/build.log" 2>&1; then
  grep -E "error|FAILED" "$build/build.log" | head -20
  echo "fuzz harnesses did not build (all of it in $build/build.log)"
  exit 1
fi
names=("$@")
if ((${#names[@]} == 0)); then
  for f in "$build"/tests/fuzz/fuzz_*; do names+=("${f##*/fuzz_}"); done
fi
mkdir -p "$build/artifacts"
failed=0
for name in "${names[@]}"; do
  seeds="$root/tests/fuzz/corpus/$name"
  if [[ -n "${FUZZ_SMOKE:-}" ]]; then
    corpus="$(mktemp -d)"
  else
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
  fi
  log="$build/fuzz-$name.log"
  # Time-outs past 60 s, more than 2 GB or one allocation over 1 GB are findings. A
  # session may legitimately work on a million entries, which takes seconds under the
  # sanitizers on a busy machine; a hang takes longer than a minute.
  if nice -n 19 "$build/tests/fuzz/fuzz_$name" "$corpus" "$seeds" -max_total_time="$seconds" \
      -timeout=60 -rss_limit_mb=2048 -malloc_limit_mb=1024 -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz $name: ${seconds}s, $runs runs, no finding"
  else
    echo "fuzz $name: FOUND a fault, see $log and $build/artifacts/"
    tail -n 40 "$log"
    failed=1
  fi
  [[ -n "${FUZZ_SMOKE:-}" ]] && rm -rf "$corpus"
done
exit "$failed"
