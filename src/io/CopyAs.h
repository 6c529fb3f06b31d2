#pragma once
#include <string>

#include "core/Matrix.h"
#include "io/DisplayFormat.h"

namespace tavrin {

// "Copy as" texts for other tools. Entries are the window's EntryText with
// its places, never cut by the field width, with a plain hyphen for minus,
// so the other tool reads the same digits the window shows. Integer
// matrices with a denominator other than 1 write each entry as a reduced
// fraction n/d.
// Latex is an amsmath pmatrix; a fraction n/d is written \frac{n}{d}.
enum class CopyFormat { Markdown, Csv, NumPy, Matlab, Tsv, Latex };

std::string CopyAs(CopyFormat format, const DisplayFormat& f, MatrixKind kind, const ComplexMatrix& m);
std::string CopyAs(CopyFormat format, const DisplayFormat& f, const IntegerMatrix& m);

}  // namespace tavrin
