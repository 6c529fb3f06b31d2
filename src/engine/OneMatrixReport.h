#pragma once
#include <string>

#include "core/Interrupt.h"
#include "core/Matrix.h"

namespace tavrin {

// What the report takes from the matrix's window: its decimal places, its
// field width and the hyphen-to-minus substitution of its display format.
struct ReportFormat {
  int places = 5;
  int width = 7;
  bool minusOn = false;
  int minusCode = 150;
  long double rootThreshold = 1e-7L;  // the window's root acceptance threshold
};

// The one-matrix report of a real or complex matrix: rank; for a square
// matrix trace, determinant, the characteristic polynomial and its roots.
// Lines end in CR LF. Q or S on `stop` leaves the items from there on failed.
std::string OneMatrixReport(const ComplexMatrix& m, MatrixKind kind, const ReportFormat& f, Interrupt& stop);

// The report of an integer-mode matrix: rank; for a square matrix the exact
// trace and determinant.
std::string OneMatrixReport(const IntegerMatrix& m, const ReportFormat& f, Interrupt& stop);

// The text of a real or complex value in at most `width` characters, as
// the matrix window writes an entry: fixed-point with `places` decimals,
// "a + bi"/"a - bi" when the imaginary part is shown, fraction digits cut
// when they do not fit; exponent form when integer digits would be lost or
// a non-zero value would show as zero. Then the minus substitution.
std::string ReportEntryText(Complex value, bool showImaginary, int places, int width,
                            const ReportFormat& f);

}  // namespace tavrin
