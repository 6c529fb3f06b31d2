#!/usr/bin/env bash
# Peak memory of "open a real N x N matrix file, then A^-1" through
# tavrin-console (default N = 2000), as /usr/bin/time -v reports it. The file
# is made before the measured run. For comparison: one N x N long double
# matrix is 16*N*N bytes (64 MB for N = 2000).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
n="${1:-2000}"
console="${2:-$root/build/src/tavrin-console}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# New stops at a million entries, so the file is a 2x2 one saved by the
# program with its size patched and N*N random 80-bit entries put in.
printf 'seed 1\nnew A random 2 2 -1 1\nsave A %s/small.fma\n' "$tmp" > "$tmp/make.tvs"
"$console" "$tmp/make.tvs" >/dev/null
python3 - "$tmp/small.fma" "$tmp/a.fma" "$n" <<'PY'
import random, struct, sys
small, out, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
data = open(small, 'rb').read()
header = 80 + 680 + 68 + 30 + 112          # sections A to E
entries = header + 80                       # after the matrix header F
tail = data[entries + 4 * 10:]              # what follows the 2x2 entries

def extended(x):  # a nonzero double as the 10 bytes of an x87 80-bit value
    bits = struct.unpack('<Q', struct.pack('<d', x))[0]
    sign, exponent, fraction = bits >> 63, (bits >> 52) & 0x7FF, bits & ((1 << 52) - 1)
    mantissa = (1 << 63) | (fraction << 11)
    return struct.pack('<QH', mantissa, (sign << 15) | (exponent - 1023 + 16383))

g = random.Random(1)
raw = b''.join(extended(g.uniform(-1, 1) or 0.5) for _ in range(n * n))
with open(out, 'wb') as f:
    f.write(data[:header] + struct.pack('<ii', n, n) + data[header + 8:entries] + raw + tail)
PY
printf 'open %s/a.fma\ncalc B = A^-1\n' "$tmp" > "$tmp/inverse.tvs"
/usr/bin/time -v "$console" "$tmp/inverse.tvs" 2> "$tmp/time.txt" > "$tmp/out.txt" || true
if grep -q '^error' "$tmp/out.txt"; then cat "$tmp/out.txt"; exit 1; fi
kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$tmp/time.txt")
seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$tmp/time.txt")
echo "open + inverse of a ${n}x${n} real matrix: peak $(( kb / 1024 )) MB, wall $seconds," \
     "one long double matrix $(( 16 * n * n / 1048576 )) MB"
