#!/usr/bin/env bash
# End-to-end timings through tavrin-console: a 500x500 real Calculate
# "A*B+C" and a 30x30 integer "A^-1" (each run includes making the inputs).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
console="${1:-$root/build/src/tavrin-console}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cat > "$tmp/real.tvs" <<'S'
seed 1
new A random 500 500 -1 1
new B random 500 500 -1 1
new C random 500 500 -1 1
calc D = A*B+C
S
cat > "$tmp/integer.tvs" <<'S'
seed 1
mode integer
new A random 30 30 0 99
calc B = A^-1
S
for s in real integer; do
  start=$(date +%s%N)
  "$console" "$tmp/$s.tvs" >/dev/null
  end=$(date +%s%N)
  echo "$s $(( (end - start) / 1000000 )) ms"
done
