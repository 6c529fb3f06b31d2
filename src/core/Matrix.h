#pragma once
#include <cstdint>
#include <vector>

#include "core/BigInteger.h"
#include "core/Complex.h"

namespace tavrin {

// The numerical modes of the program and the matrix kind each one makes.
enum class Mode : int32_t { Real = 0, Complex = 1, Integer = 2 };
enum class MatrixKind : int32_t { Real = 0, Complex = 3, Integer = 5 };

inline MatrixKind KindOfMode(Mode m) {
  return m == Mode::Real ? MatrixKind::Real : static_cast<MatrixKind>(2 * static_cast<int>(m) + 1);
}
inline Mode ModeOfKind(MatrixKind k) {
  return k == MatrixKind::Real ? Mode::Real : k == MatrixKind::Complex ? Mode::Complex : Mode::Integer;
}
inline bool IsValidKind(int32_t k) { return k == 0 || k == 3 || k == 5; }

// The most entries a matrix may have (rows x cols), whatever made it.
inline constexpr long long kMaxMatrixEntries = 1000000;

// Entries of real and complex matrices, row-major: (i, j) is element i*cols + j.
// Two layouts hold them. The wide one keeps every entry as a Complex; the
// real one keeps only the real parts (every imaginary part +0), half the
// memory, and is what real matrices of the documents and of the long
// kernels use. Reading works the same on both; writing through a Complex&
// (at, e) first turns a real layout wide, so no write is ever lost.
class ComplexMatrix {
 public:
  int32_t rows = 0;
  int32_t cols = 0;

  ComplexMatrix() = default;
  // Zeros in the wide layout.
  ComplexMatrix(int32_t r, int32_t c) : rows(r), cols(c), wide_(static_cast<size_t>(r) * c) {}
  // Zeros in the real layout.
  static ComplexMatrix Real(int32_t r, int32_t c);

  bool realLayout() const { return real_; }
  // Every imaginary part is zero (always so in the real layout).
  bool allReal() const;
  size_t size() const { return real_ ? re_.size() : wide_.size(); }

  Complex at(int i, int j) const { return entry(static_cast<size_t>(i) * cols + j); }
  Complex entry(size_t k) const { return real_ ? Complex(re_[k], 0.0L) : wide_[k]; }
  // Writable entries: the layout becomes wide first.
  Complex& at(int i, int j) { return e()[static_cast<size_t>(i) * cols + j]; }
  std::vector<Complex>& e() {
    Widen();
    return wide_;
  }
  // A copy of the entries as Complex values, row-major.
  std::vector<Complex> Entries() const;
  // Writes v, keeping the real layout when v is real with a +0 imaginary part.
  void set(size_t k, Complex v);
  void set(int i, int j, Complex v) { set(static_cast<size_t>(i) * cols + j, v); }

  // The real parts of a real layout (empty for a wide one), and the entries
  // of a wide one (empty for a real one).
  std::vector<long double>& realParts() { return re_; }
  const std::vector<long double>& realParts() const { return re_; }
  const std::vector<Complex>& wideEntries() const { return wide_; }

  // Changes the layout; values stay exactly as they are, so Narrow keeps the
  // wide layout when an imaginary part is other than +0.
  void Widen();
  bool Narrow();

  friend bool operator==(const ComplexMatrix& a, const ComplexMatrix& b);

 private:
  bool real_ = false;
  std::vector<Complex> wide_;
  std::vector<long double> re_;
};

// Integer-mode matrix: numerators row-major and one common denominator; the
// value of entry (i, j) is at(i, j) / denominator.
struct IntegerMatrix {
  int32_t rows = 0;
  int32_t cols = 0;
  std::vector<BigInteger> e;
  BigInteger denominator{1};

  IntegerMatrix() = default;
  IntegerMatrix(int32_t r, int32_t c) : rows(r), cols(c), e(static_cast<size_t>(r) * c) {}
  BigInteger& at(int i, int j) { return e[static_cast<size_t>(i) * cols + j]; }
  const BigInteger& at(int i, int j) const { return e[static_cast<size_t>(i) * cols + j]; }
  size_t size() const { return e.size(); }
  friend bool operator==(const IntegerMatrix& a, const IntegerMatrix& b) {
    return a.rows == b.rows && a.cols == b.cols && a.e == b.e && a.denominator == b.denominator;
  }
};

ComplexMatrix Transpose(const ComplexMatrix& m);
IntegerMatrix Transpose(const IntegerMatrix& m);

}  // namespace tavrin
