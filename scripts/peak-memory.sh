#!/usr/bin/env bash
# Peak memory of "open a real N x N matrix file, then A^-1" through
# tavrin-console (default N = 2000), as /usr/bin/time -v reports it. The file
# is made by a first, unmeasured run. For comparison: one N x N long double
# matrix is 16*N*N bytes (64 MB for N = 2000).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
n="${1:-2000}"
console="${2:-$root/build/src/tavrin-console}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
printf 'seed 1\nnew A random %s %s -1 1\nsave A %s/a.fma\n' "$n" "$n" "$tmp" > "$tmp/make.tvs"
"$console" "$tmp/make.tvs" >/dev/null
printf 'open %s/a.fma\ncalc B = A^-1\n' "$tmp" > "$tmp/inverse.tvs"
/usr/bin/time -v "$console" "$tmp/inverse.tvs" 2> "$tmp/time.txt" >/dev/null
kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$tmp/time.txt")
seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$tmp/time.txt")
echo "open + inverse of a ${n}x${n} real matrix: peak $(( kb / 1024 )) MB, wall $seconds," \
     "one long double matrix $(( 16 * n * n / 1048576 )) MB"
