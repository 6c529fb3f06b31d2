# Writes rref.txt: random integer matrices up to 8x8 (entries up to 10^6 in
# magnitude, most of them rank deficient) with sympy's exact reduced row
# echelon form. Each case: "rows cols", the entries, then the reduced form
# as reduced fractions, row-major, on one line each.
import random
from sympy import Matrix

random.seed(17)
lines = []
for case in range(200):
    rows, cols = random.randint(1, 8), random.randint(1, 8)
    rank = random.randint(0, min(rows, cols)) if case % 4 else min(rows, cols)
    base = [[random.randint(-100000, 100000) for _ in range(cols)] for _ in range(rank)]
    m = [row[:] for row in base]
    while len(m) < rows:
        if rank == 0:
            m.append([0] * cols)
            continue
        a, b = random.randint(-3, 3), random.randint(-3, 3)
        i, j = random.randrange(rank), random.randrange(rank)
        m.append([a * x + b * y for x, y in zip(base[i], base[j])])
    random.shuffle(m)
    if case % 5 == 0:  # a column without pivots
        k = random.randrange(cols)
        for row in m:
            row[k] = 0
    r, _ = Matrix(m).rref()
    lines.append(f"{rows} {cols}")
    lines.append(" ".join(str(x) for row in m for x in row))
    lines.append(" ".join(str(x) for x in r))
open("rref.txt", "w").write("\n".join(lines) + "\n")
