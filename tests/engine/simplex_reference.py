#!/usr/bin/env python3
"""Regenerates the reference table of tests/engine/SimplexScaledTest.cpp.

Random small linear programs with integer data (so that scaling by 1e4 or
1e8 stays exact in double and long double alike), solved with
scipy.optimize.linprog(method='highs') at scale factors 1, 1e4 and 1e8 of the
right-hand side C (and, for every third problem, of the objective F too).

    maximise F*X subject to B*X <= C, X >= 0
    minimise F*X subject to B*X >= C, X >= 0

Every problem is feasible (C is built around a known point X0 >= 0) and
bounded (checked with scipy; unbounded draws are redrawn). The script also
checks that scipy's optimum at each scale equals the unscaled optimum times
the scale (or its square), and prints the C++ table on stdout.

Usage: python3 tests/engine/simplex_reference.py > table.inc
"""
import sys

import numpy as np
from scipy.optimize import linprog

SEED = 20261206
COUNT = 40
SCALES = (1.0, 1e4, 1e8)


def solve(maximise, f, b, c):
    if maximise:
        r = linprog(-f, A_ub=b, b_ub=c, bounds=(0, None), method='highs')
        return r.status, (-r.fun if r.status == 0 else None)
    r = linprog(f, A_ub=-b, b_ub=-c, bounds=(0, None), method='highs')
    return r.status, (r.fun if r.status == 0 else None)


def draw(rng, maximise):
    k = int(rng.integers(2, 6))
    m = int(rng.integers(2, 6))
    while True:
        b = rng.integers(-4, 21, size=(m, k)).astype(float)
        x0 = rng.integers(0, 11, size=k).astype(float)
        slack = rng.integers(0, 16, size=m).astype(float)
        if maximise:
            f = rng.integers(-3, 16, size=k).astype(float)
            c = b @ x0 + slack
        else:
            f = rng.integers(0, 16, size=k).astype(float)
            c = b @ x0 - slack
        status, value = solve(maximise, f, b, c)
        if status == 0 and abs(value) > 0:
            return k, m, f, b, c


def fmt(x):
    return '%d' % x if float(x).is_integer() else repr(float(x))


def main():
    rng = np.random.default_rng(SEED)
    worst = 0.0
    rows = []
    for n in range(COUNT):
        maximise = n % 2 == 0
        scale_objective = n % 3 == 0
        k, m, f, b, c = draw(rng, maximise)
        values = []
        for s in SCALES:
            fs = f * s if scale_objective else f
            status, value = solve(maximise, fs, b, c * s)
            assert status == 0, (n, s, status)
            values.append(value)
            expected = values[0] * (s * s if scale_objective else s)
            worst = max(worst, abs(value - expected) / abs(expected))
        rows.append('    {%s, %s, %d, %d, {%s}, {%s}, {%s}, {%s}},' % (
            'true' if maximise else 'false', 'true' if scale_objective else 'false', k, m,
            ', '.join(fmt(x) for x in f), ', '.join(fmt(x) for x in b.ravel()),
            ', '.join(fmt(x) for x in c), ', '.join('%.17g' % v for v in values)))
    print('\n'.join(rows))
    print('worst relative disagreement between scales: %.3g' % worst, file=sys.stderr)


if __name__ == '__main__':
    main()
