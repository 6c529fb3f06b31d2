# Writes lp.txt: 100 small random linear programs with scipy's verdict.
# Each case: "max|min m k", F (k entries), B (m*k, row-major), C (m), then
# scipy's status (optimal, infeasible, unbounded) and optimal F*X.
# Maximise F*X with B*X <= C, or minimise F*X with B*X >= C; X >= 0.
import random
from scipy.optimize import linprog

random.seed(1517)
out = []
counts = {}
for case in range(100):
    m, k = random.randint(1, 4), random.randint(1, 4)
    maximise = case % 2 == 0
    F = [random.randint(-4, 9) for _ in range(k)]
    B = [[random.randint(-3, 6) for _ in range(k)] for _ in range(m)]
    C = [random.randint(-4, 12) for _ in range(m)]
    if case % 7 == 0:  # degenerate: a zero right-hand side
        C[random.randrange(m)] = 0
    if maximise:
        r = linprog([-f for f in F], A_ub=B, b_ub=C, bounds=[(0, None)] * k, method="highs")
    else:
        r = linprog(F, A_ub=[[-x for x in row] for row in B], b_ub=[-c for c in C],
                    bounds=[(0, None)] * k, method="highs")
    status = {0: "optimal", 2: "infeasible", 3: "unbounded"}[r.status]
    counts[status] = counts.get(status, 0) + 1
    value = (-r.fun if maximise else r.fun) if r.status == 0 else 0.0
    out.append(f"{'max' if maximise else 'min'} {m} {k}")
    out.append(" ".join(map(str, F)))
    out.append(" ".join(str(x) for row in B for x in row))
    out.append(" ".join(map(str, C)))
    out.append(f"{status} {value:.12g}")
open("lp.txt", "w").write("\n".join(out) + "\n")
print(counts)
