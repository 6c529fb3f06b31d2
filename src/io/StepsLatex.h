#pragma once
#include <string>

#include "core/StepLog.h"
#include "io/DisplayFormat.h"

namespace tavrin {

// A companion window's step log as a standalone LaTeX document (amsmath):
// the starting matrix, then for every step that changed the matrix an arrow
// labelled with its operation and the matrix after it, the highlighted
// entry boxed. Integer logs write exact fractions as \frac, the others
// fixed-point numbers with the window's places. Lines end in CR LF as in
// the other TeX files.
std::string StepsLatex(const StepLog& log, const DisplayFormat& f);

// One entry as the document writes it.
std::string LatexEntry(const Fraction& value);
std::string LatexEntry(Complex value, bool complex, int places);

}  // namespace tavrin
