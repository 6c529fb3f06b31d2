#pragma once
#include <string_view>

#include "core/Fraction.h"
#include "core/ResultCode.h"
#include "lang/Expression.h"

namespace tavrin {

// A single value of integer mode as an exact fraction ("2/3", "-5",
// "(1+1/2)^2"): the text is read as the expression language reads it in
// integer mode. A matrix-valued text gives the value 0, as in real mode;
// errors are the language's codes.
ResultCode EvaluateFractionText(std::string_view text, const MatrixLookup& lookup, Fraction& out, Interrupt& stop);

}  // namespace tavrin
