#!/usr/bin/env bash
# Writes step logs as LaTeX with tavrin-console (an exact reduction, an
# exact simplex, real and complex reductions, row operations) and compiles
# each with pdflatex when it is installed; without it the compile step is
# skipped. Usage: steps-latex.sh [TAVRIN-CONSOLE]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
console="${1:-$root/build/src/tavrin-console}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$console" >/dev/null <<'SCRIPT'
mode integer
enter A 3 3
2 1 -1
3 2 1
1 1 1
echelon A final
steps echelon exact-echelon.tex
enter F 1 2
1 1
enter B 2 2
1 2
3 1
enter C 2 1
4
6
lp max F B C find
steps lp exact-lp.tex
oper reset A
oper rows add 1 2 -3/2
oper columns swap 1 3
steps oper exact-oper.tex
mode real
enter A 3 4
0 2 4 6
1 1 1 1
2 3 4 5
echelon A final
steps echelon real-echelon.tex
enter F 1 12
1 1 1 1 1 1 1 1 1 1 1 1
enter B 1 12
1 2 3 4 5 6 7 8 9 10 11 12
enter C 1 1
12
lp max F B C find
steps lp real-wide-lp.tex
mode complex
enter A 2 2
1+i 2
3 4i
echelon A final
steps echelon complex-echelon.tex
SCRIPT
count=$(ls *.tex | wc -l)
if [ "$count" -ne 6 ]; then
  echo "expected 6 LaTeX files, found $count" >&2
  exit 1
fi
if ! command -v pdflatex >/dev/null 2>&1; then
  echo "pdflatex not found: $count LaTeX files written, compile step skipped"
  exit 0
fi
for f in *.tex; do
  if ! pdflatex -interaction=nonstopmode -halt-on-error "$f" >"$f.log" 2>&1; then
    echo "pdflatex failed on $f" >&2
    tail -20 "$f.log" >&2
    exit 1
  fi
done
echo "$count LaTeX files compiled"
