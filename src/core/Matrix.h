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
struct ComplexMatrix {
  int32_t rows = 0;
  int32_t cols = 0;
  std::vector<Complex> e;

  ComplexMatrix() = default;
  ComplexMatrix(int32_t r, int32_t c) : rows(r), cols(c), e(static_cast<size_t>(r) * c) {}
  Complex& at(int i, int j) { return e[static_cast<size_t>(i) * cols + j]; }
  const Complex& at(int i, int j) const { return e[static_cast<size_t>(i) * cols + j]; }
  size_t size() const { return e.size(); }
  friend bool operator==(const ComplexMatrix& a, const ComplexMatrix& b) {
    return a.rows == b.rows && a.cols == b.cols && a.e == b.e;
  }
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
