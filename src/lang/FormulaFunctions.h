#pragma once
#include "core/Complex.h"

// The function library of the formula evaluator. Every routine returns
// success and leaves its value in `out`; `complex` selects the branch for
// complex arguments (used only with the complex switch on and an argument
// with a non-zero imaginary part, so real arguments always take the real
// branch and both modes agree on them).
namespace tavrin::formula {

// 1: below e^-5000; 2: below 1e-16; 3: up to e^42; 4: up to e^5000; 5: above
// (or not a number).
int MagnitudeClass(long double m);

bool CheckedProduct(Complex a, Complex b, bool complex, Complex& out);
bool CheckedQuotient(Complex a, Complex b, bool complex, Complex& out);

// Real part within 1e-9 of an integer below 2147483647 in magnitude and
// imaginary part within 1e-9 of 0.
bool IntegerArgument(Complex v, long& n);

// x^n by square and multiply with the checked product.
bool IntegerPower(Complex x, long n, bool complex, Complex& out);
// a^b: integer exponents as IntegerPower, otherwise through the logarithm.
bool Power(Complex a, Complex b, bool complex, Complex& out);

// The gamma function. Fails at the poles (x <= 0 within `tolerance` of an
// integer, which also sets `seam`), for |x| < 1e-16 and when the value needs
// an exponential beyond e^5000.
bool Gamma(long double x, long double tolerance, long double& out, bool& seam);
bool GammaComplex(Complex z, Complex& out);

// One-argument functions by their code (everything but FACT, RAND and the
// functions of several arguments).
bool OneArgument(int code, Complex x, bool complex, long double tolerance, Complex& out, bool& seam);

}  // namespace tavrin::formula
