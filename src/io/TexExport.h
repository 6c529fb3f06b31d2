#pragma once
#include <string>

#include "core/Matrix.h"
#include "io/DisplayFormat.h"

namespace tavrin {

// The options of one TeX/LaTeX export; chosen in the dialog each time.
struct TexOptions {
  int delimiter = 1;               // 0 none, 1 ( ), 2 [ ], 3 | |
  int alignment = 0;               // 0 left, 1 centre, 2 right
  long double spacerFactor = 2.0L; // table form only, clamped to 0..10
};

// The four forms, every line ended by CR LF, every entry written with
// EntryText so the file shows what the window shows.
std::string TexMatrix(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o);
std::string TexTable(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o);
std::string LatexArray(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o);
std::string LatexTabular(const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m, const TexOptions& o);

// Integer matrices: the numerators, and when the common denominator is not
// 1 it is written too (a factor 1/d before the matrix and the array, a last
// "denom" row in the tables), since the numerators alone would misstate
// every value.
std::string TexMatrix(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o);
std::string TexTable(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o);
std::string LatexArray(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o);
std::string LatexTabular(const DisplayFormat& f, const IntegerMatrix& m, const TexOptions& o);

// The spacer factor as the table form uses it: below 0 is 0, 10 and above is 10.
long double ClampSpacerFactor(long double factor);

}  // namespace tavrin
