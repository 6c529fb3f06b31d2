#pragma once
#include <string_view>

#include "core/BigInteger.h"
#include "core/ResultCode.h"

namespace tavrin {

// The text typed into one entry of a real or complex matrix is read by
// EvaluateEntryText (declared with the expression language): one number,
// written with the scalar part of the formula language -- decimal numbers
// with an optional exponent ("1e3", "-3.5E-2"), + - * / ^ and parentheses,
// implicit products ("2pi", "3i"), the postfix "!", the named constants
// (pi, phi, deg, pinf, ninf), i for the imaginary unit and the functions
// (sqrt(2), sin 30deg, pow(2,x)...). Any other letter is not a number and
// the text is refused, as is a number such as "0.1.2".

// The text typed into an entry (or the denominator) of an integer matrix:
// leading minus signs (each one flips the sign), then the digits, possibly
// grouped by three with "," "'" "_" or blanks ("1,234,567"), and an
// optional non-negative exponent ("12e3" is 12000, at most e9999).
// Codes: 2 when nothing follows the signs, 17 for a larger exponent, 109
// for anything else (a point, a letter, a fraction, "1,5").
ResultCode ReadIntegerEntryText(std::string_view text, BigInteger& out);

}  // namespace tavrin
