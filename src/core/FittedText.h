#pragma once
#include <string>

#include "core/Complex.h"

namespace tavrin {

// How an exponent is written: "7.52e+07" (as printf writes it), or
// "7.52*10^7" when the window's "replace E by *10^" is on.
enum class ExponentStyle { E, TimesTen };

// How one value is fitted into a number of characters.
struct FitOptions {
  int places = 5;           // digits after the point, 0..15
  bool scientific = false;  // every value in exponent form
  // Exponent form also for a non-zero value whose fixed text shows only
  // zeros (the report: a determinant of 4e-94 is not "0.00000").
  bool revealTiny = false;
  ExponentStyle style = ExponentStyle::E;
};

// Length of FixedText(x, places) up to its decimal point (all of it when
// there is none), found without writing out the integer digits, so that
// it costs the same for 1e4000 as for 1.
size_t FixedHeadLength(long double x, int places);

// x in exponent form with `digits` digits after the point, rounded: "7.52e+07",
// "-1.5e-300", "1e+4000" (digits 0); non-finite values as FixedText writes
// them. Costs the same at every magnitude.
std::string ExponentText(long double x, int digits, ExponentStyle style = ExponentStyle::E);

// The mark of a value that has no room at all: '#' repeated, never a number.
std::string OverflowMark(int room);

// One real value in at most `room` characters. The fixed text when it fits;
// when only its fraction digits do not fit, they are cut (not rounded);
// when integer digits would be lost, exponent form with at most `places`
// digits after the point; the overflow mark when not even that fits.
std::string FitReal(long double x, int room, const FitOptions& o);

// A complex value "a + bi" / "a - bi" in at most `width` characters: each
// part is fitted as FitReal does, the room shared so that a short part
// leaves the rest to the other; the sign and the "i" are always written.
std::string FitComplex(Complex z, int width, const FitOptions& o);

}  // namespace tavrin
