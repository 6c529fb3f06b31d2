#pragma once
#include <cstdint>
#include <string>

#include "core/FixedText.h"
#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// The per-window number format. Storage and arithmetic stay at full
// precision; this only shapes the texts of the grid, Text out, TeX and the
// edit box.
struct DisplayFormat {
  int32_t dialogMask = 1;  // bit 0 places, 1 width, 2 scientific, 3 replaceE, 4 table choice
  int16_t places = 5;
  int16_t width = 7;
  int16_t minWidth = 3;
  bool scientific = false;
  bool replaceE = false;
  bool tableChoice = false;
  bool minusOn = false;
  int16_t minusCode = 150;
};

// The format a matrix window starts with in each kind: mask 15 for real and
// complex, 2 (width only) for integer.
DisplayFormat WindowFormatFor(MatrixKind kind);

// Where an entry text goes: the window's grid and edit box, or Text out and
// TeX, which honour "replace E by *10^".
enum class TextUse { Screen, Output };

// Display text of one real/complex entry in at most `width` characters:
// fixed-point with `places`, the complex form "a + bi"/"a - bi". A text too
// wide loses fraction digits (cut, not rounded), never integer digits, its
// sign or its imaginary part: such a value is written in exponent form
// ("7.52e+07"), or as "#####" when not even that fits; with `scientific`
// every value is in exponent form. Then the minus substitution.
std::string EntryText(const DisplayFormat& f, MatrixKind kind, Complex value, TextUse use = TextUse::Screen);
// Display text of one integer numerator: limbs while room is left, "..."
// over the end of a cut text, then the minus substitution.
std::string EntryText(const DisplayFormat& f, const BigInteger& value);


// Applies the hyphen-to-minus substitution when minusOn.
std::string MinusSubstitution(const DisplayFormat& f, std::string text);

// Width computed from the entries when a matrix is created, read or
// replaced; its cost does not grow with the magnitude of the entries.
int16_t AutoWidth(const DisplayFormat& f, const ComplexMatrix& m, MatrixKind kind);
int16_t AutoWidthInteger();
// An integer window's width is fixed (AutoWidthInteger).
int16_t AutoWidth(const DisplayFormat& f, const IntegerMatrix& m);

// The format dialog's OK: validates the texts as the dialog does and, on
// success, stores the values into f. Returns Ok, or 17 "out of bounds" /
// 6 "inconsistent data" with f unchanged. Texts for boxes the mask hides
// are ignored.
ResultCode ApplyFormatDialog(DisplayFormat& f, const std::string& placesText,
                             const std::string& widthText, bool scientific, bool replaceE,
                             bool tableChoice);

// The hyphen-to-minus dialog: OK with a text (code 17 when outside 32..255,
// record unchanged) or Cancel (turns the substitution off). Returns whether
// a repaint is needed through *repaint.
ResultCode ApplyHyphenDialog(DisplayFormat& f, const std::string* codeText, bool* repaint);

// "Text out": every row as columns x (width + 2) characters plus CR LF.
// Refused with code 4 when (width + 2) x (rows + 1) x columns > 64000.
// Integer matrices end with a line "denom " + the denominator's text.
ResultCode TextOut(const DisplayFormat& f, const ComplexMatrix& m, MatrixKind kind, std::string& out);
ResultCode TextOut(const DisplayFormat& f, const IntegerMatrix& m, std::string& out);

}  // namespace tavrin
