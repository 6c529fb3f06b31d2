#include "core/StepLog.h"

#include <cmath>

#include "core/FixedText.h"

namespace tavrin {

namespace {

std::string Trimmed(std::string s) {
  s.erase(0, s.find_first_not_of(' '));
  return s;
}

std::string Decimal(long double x, int places) { return Trimmed(FixedText(x, places)); }

// A factor split into its sign and its magnitude text, so that additions
// read "R2 - 3/2 R1" rather than "R2 + -3/2 R1". A complex factor with an
// imaginary part keeps its sign inside parentheses.
struct FactorParts {
  bool negative = false;
  bool one = false;  // magnitude exactly one: the coefficient can go
  bool zero = false;
  std::string text;
  std::string latex;
};

FactorParts Parts(const StepOperation& op, const StepNumbers& n) {
  FactorParts p;
  if (n.exact) {
    const Fraction& f = op.exact;
    p.negative = f.num.IsNegative();
    p.zero = f.num.IsZero();
    BigInteger mag = f.num.Abs();
    p.one = mag == f.den;
    if (f.den.IsOne()) {
      p.text = p.latex = mag.ToString();
    } else {
      p.text = mag.ToString() + "/" + f.den.ToString();
      p.latex = "\\frac{" + mag.ToString() + "}{" + f.den.ToString() + "}";
    }
    return p;
  }
  const Complex v = op.value;
  if (n.complex && v.im != 0.0L) {
    std::string im = Decimal(std::fabs(v.im), n.places);
    p.text = "(" + Decimal(v.re, n.places) + (v.im < 0 ? "-" : "+") + im + "i)";
    p.latex = "(" + Decimal(v.re, n.places) + (v.im < 0 ? "-" : "+") + im + "\\mathrm{i})";
    return p;
  }
  p.negative = std::signbit(v.re) && v.re != 0.0L;
  p.zero = v.re == 0.0L;
  p.one = std::fabs(v.re) == 1.0L;
  p.text = p.latex = Decimal(std::fabs(v.re), n.places);
  return p;
}

std::string Name(const StepOperation& op, int index) {
  return std::string(op.columns ? "C" : "R") + std::to_string(index + 1);
}

std::string LatexName(const StepOperation& op, int index) {
  return std::string(op.columns ? "C" : "R") + "_{" + std::to_string(index + 1) + "}";
}

std::string Position(const StepOperation& op) {
  return "(" + std::to_string(op.first + 1) + ", " + std::to_string(op.second + 1) + ")";
}

// "x3" as LaTeX: "x_{3}".
std::string LatexVariable(const std::string& name) {
  size_t digits = name.find_first_of("0123456789");
  if (digits == std::string::npos || digits == 0) return name;
  return name.substr(0, digits) + "_{" + name.substr(digits) + "}";
}

}  // namespace

std::string StepText(const StepOperation& op, const StepNumbers& n) {
  switch (op.kind) {
    case StepOperation::kLocate: return "pivot " + Position(op);
    case StepOperation::kSwap: return Name(op, op.first) + " <-> " + Name(op, op.second);
    case StepOperation::kScale: {
      FactorParts f = Parts(op, n);
      return Name(op, op.first) + " <- " + (f.negative ? "-" : "") + (f.one ? "" : f.text + " ") +
             Name(op, op.first);
    }
    case StepOperation::kAddMultiple: {
      FactorParts f = Parts(op, n);
      std::string coefficient = f.one ? "" : f.text + " ";
      return Name(op, op.second) + " <- " + Name(op, op.second) + (f.negative ? " - " : " + ") + coefficient +
             Name(op, op.first);
    }
    case StepOperation::kChoosePivot:
      return "pivot " + Position(op) + ": " + op.entering + " enters, " + op.leaving + " leaves";
    case StepOperation::kPivot:
      return "pivot " + Position(op) + ": " + op.entering + " enters, " + op.leaving + " leaves; objective " +
             op.objective;
    case StepOperation::kOptimum: return "optimum: objective " + op.objective;
  }
  return std::string();
}

std::string StepLatexLabel(const StepOperation& op, const StepNumbers& n) {
  switch (op.kind) {
    case StepOperation::kLocate:
    case StepOperation::kChoosePivot:
      return "\\text{pivot }" + Position(op);
    case StepOperation::kSwap: return LatexName(op, op.first) + " \\leftrightarrow " + LatexName(op, op.second);
    case StepOperation::kScale: {
      FactorParts f = Parts(op, n);
      return (f.negative ? "-" : "") + (f.one ? "" : f.latex) + LatexName(op, op.first);
    }
    case StepOperation::kAddMultiple: {
      FactorParts f = Parts(op, n);
      return LatexName(op, op.second) + (f.negative ? " - " : " + ") + (f.one ? "" : f.latex) +
             LatexName(op, op.first);
    }
    case StepOperation::kPivot:
      return "\\text{pivot }" + Position(op) + ":\\ " + LatexVariable(op.entering) + " \\text{ in}, " +
             LatexVariable(op.leaving) + " \\text{ out}";
    case StepOperation::kOptimum: return "\\text{optimum}";
  }
  return std::string();
}

bool StepChangesMatrix(const StepOperation& op, const StepNumbers& n) {
  switch (op.kind) {
    case StepOperation::kLocate:
    case StepOperation::kChoosePivot:
      return false;
    case StepOperation::kSwap: return op.first != op.second;
    case StepOperation::kScale: return n.exact ? !(op.exact.num == op.exact.den) : !(op.value == kComplexOne);
    case StepOperation::kAddMultiple: return n.exact ? !op.exact.num.IsZero() : !(op.value == kComplexZero);
    default: return true;
  }
}

void StepLog::Clear() {
  started_ = false;
  startZ_ = ComplexMatrix();
  startQ_ = IntegerMatrix();
  steps_.clear();
  stored_ = 0;
}

void StepLog::Start(const ComplexMatrix& m, bool complex, int places, const std::string& title) {
  Begin(StepNumbers{false, complex, places}, title, m.size());
  startZ_ = m;
}

void StepLog::Start(const IntegerMatrix& m, const std::string& title) {
  Begin(StepNumbers{true, false, 0}, title, m.size());
  startQ_ = m;
}

void StepLog::Begin(const StepNumbers& numbers, const std::string& title, size_t entries) {
  Clear();
  started_ = true;
  numbers_ = numbers;
  title_ = title;
  stored_ = entries;
}

bool StepLog::Room(size_t entries) {
  if (entries == 0 || stored_ + entries > kMaxLoggedEntries) return false;
  stored_ += entries;
  return true;
}

void StepLog::Add(const StepOperation& op, const ComplexMatrix& after, int highlightRow, int highlightCol) {
  LoggedStep& s = Push(op, highlightRow, highlightCol);
  if (Room(after.size())) {
    s.hasMatrix = true;
    s.z = after;
  }
}

void StepLog::Add(const StepOperation& op, const IntegerMatrix& after, int highlightRow, int highlightCol) {
  LoggedStep& s = Push(op, highlightRow, highlightCol);
  if (Room(after.size())) {
    s.hasMatrix = true;
    s.q = after;
  }
}

LoggedStep& StepLog::Push(const StepOperation& op, int highlightRow, int highlightCol) {
  LoggedStep& s = steps_.emplace_back();
  s.op = op;
  s.text = StepText(op, numbers_);
  s.highlightRow = highlightRow;
  s.highlightCol = highlightCol;
  return s;
}

void StepLog::DropLast() {
  if (steps_.empty()) return;
  const LoggedStep& s = steps_.back();
  if (s.hasMatrix) stored_ -= s.z.size() + s.q.size();
  steps_.pop_back();
}

std::string StepLog::LastText() const { return steps_.empty() ? std::string() : steps_.back().text; }

}  // namespace tavrin
