#include "io/DisplayFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/FittedText.h"
#include "core/FixedText.h"
#include "core/TextNumbers.h"

namespace tavrin {

DisplayFormat WindowFormatFor(MatrixKind kind) {
  DisplayFormat f;
  f.dialogMask = kind == MatrixKind::Integer ? 2 : 15;
  return f;
}

std::string MinusSubstitution(const DisplayFormat& f, std::string text) {
  if (f.minusOn) std::replace(text.begin(), text.end(), '-', static_cast<char>(static_cast<unsigned char>(f.minusCode)));
  return text;
}

std::string EntryText(const DisplayFormat& f, MatrixKind kind, Complex value, TextUse use) {
  FitOptions o;
  o.places = f.places;
  o.scientific = f.scientific;
  o.style = use == TextUse::Output && f.replaceE ? ExponentStyle::TimesTen : ExponentStyle::E;
  const int width = std::max<int>(f.width, 0);
  std::string text = kind == MatrixKind::Complex ? FitComplex(value, width, o) : FitReal(value.re, width, o);
  return MinusSubstitution(f, std::move(text));
}

std::string EntryText(const DisplayFormat& f, const BigInteger& value) {
  std::vector<uint16_t> limbs = value.Limbs();
  std::string text;
  if (value.IsNegative()) text += '-';
  text += std::to_string(limbs.back());
  long long room = (static_cast<long long>(f.width) - static_cast<long long>(text.size())) / 4;
  size_t next = limbs.size() - 1;  // limbs still to write: indices next-1 .. 0
  char buf[8];
  while (next > 0 && room > 0) {
    --next;
    std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(limbs[next]));
    text += buf;
    --room;
  }
  if (next > 0) {
    size_t n = std::min<size_t>(3, text.size());
    text.replace(text.size() - n, n, std::string(n, '.'));
  }
  return MinusSubstitution(f, std::move(text));
}

int16_t AutoWidth(const DisplayFormat& f, const ComplexMatrix& m, MatrixKind kind) {
  if (kind == MatrixKind::Integer) return AutoWidthInteger();
  const bool complex = kind == MatrixKind::Complex;
  const size_t places = static_cast<size_t>(std::clamp<int>(f.places, 0, 60));
  long width = 0;
  if (f.scientific) {
    // Every entry in exponent form with the window's places.
    size_t longest = 0;
    for (size_t k = 0; k < m.size(); ++k) {
      const Complex z = m.entry(k);
      size_t n = ExponentText(z.re, f.places).size();
      if (complex) n += 3 + ExponentText(std::fabs(z.im), f.places).size() + 1;
      longest = std::max(longest, n);
    }
    width = std::max<long>(static_cast<long>(longest), static_cast<long>(places) + 9);
  } else {
    // L: the integer part of the real part as the fixed text writes it, at
    // most 120 characters (wider values are shown in exponent form). The
    // lengths are measured without writing the digits out.
    auto head = [&](long double x) { return std::min<size_t>(FixedHeadLength(x, f.places), 120); };
    auto part = [&](size_t h) { return places > 0 ? h + 1 + places : h; };
    size_t longest = 1, widest = 0;
    for (size_t k = 0; k < m.size(); ++k) {
      const Complex z = m.entry(k);
      const size_t re = head(z.re);
      longest = std::max(longest, re);
      // A complex entry needs room for its imaginary part too, which may be the longer one.
      if (complex) widest = std::max(widest, part(re) + 3 + part(head(std::fabs(z.im))) + 1);
    }
    width = complex ? std::max<long>(2 * static_cast<long>(longest) + 2L * static_cast<long>(places) + 7,
                                     static_cast<long>(widest))
                    : static_cast<long>(longest + places) + 2;
  }
  return static_cast<int16_t>(std::min<long>(width, 32767));
}

int16_t AutoWidthInteger() { return 8; }

int16_t AutoWidth(const DisplayFormat&, const IntegerMatrix&) { return AutoWidthInteger(); }

ResultCode ApplyFormatDialog(DisplayFormat& f, const std::string& placesText, const std::string& widthText,
                             bool scientific, bool replaceE, bool tableChoice) {
  const bool showsPlaces = (f.dialogMask & 1) != 0;
  const bool showsWidth = (f.dialogMask & 2) != 0;
  long long places = f.places;
  long long width = f.width;
  if (showsPlaces) {
    places = ReadCountText(placesText, 20);
    if (places < 0 || places > 15) return ResultCode::OutOfBounds;
  }
  if (showsWidth) {
    width = ReadCountText(widthText, 20);
    // A width beyond the 16-bit field would wrap around; it is refused like a too small one.
    if (width < f.minWidth || width > 32767) return ResultCode::OutOfBounds;
    if (showsPlaces && places + 2 > width) return ResultCode::InconsistentData;
  }
  bool sci = (f.dialogMask & 4) ? scientific : f.scientific;
  bool repl = (f.dialogMask & 8) ? replaceE : f.replaceE;
  bool table = (f.dialogMask & 16) ? tableChoice : f.tableChoice;
  width = std::max(width, places + 2);
  if (sci) width = std::max(width, places + 9);
  f.places = static_cast<int16_t>(places);
  f.width = static_cast<int16_t>(std::min<long long>(width, 32767));
  f.scientific = sci;
  f.replaceE = repl;
  f.tableChoice = table;
  return ResultCode::Ok;
}

ResultCode ApplyHyphenDialog(DisplayFormat& f, const std::string* codeText, bool* repaint) {
  bool needsRepaint = false;
  ResultCode result = ResultCode::Ok;
  if (codeText == nullptr) {
    needsRepaint = f.minusOn;
    f.minusOn = false;
  } else {
    long long v = ReadCountText(*codeText, 10);
    if (v < 32 || v > 255) {
      result = ResultCode::OutOfBounds;
    } else {
      needsRepaint = !(f.minusOn && f.minusCode == v);
      f.minusOn = true;
      f.minusCode = static_cast<int16_t>(v);
    }
  }
  if (repaint) *repaint = needsRepaint;
  return result;
}

namespace {
constexpr long long kTextOutLimit = 64000;

void AppendCell(std::string& out, std::string text, int width) {
  size_t w = static_cast<size_t>(std::max(width, 0));
  if (text.size() > w) text.resize(w);
  out.append(w - text.size(), ' ');
  out += text;
  out += "  ";
}

bool TooLarge(const DisplayFormat& f, long long rows, long long cols) {
  return (static_cast<long long>(f.width) + 2) * (rows + 1) * cols > kTextOutLimit;
}
}  // namespace

ResultCode TextOut(const DisplayFormat& f, const ComplexMatrix& m, MatrixKind kind, std::string& out) {
  out.clear();
  if (TooLarge(f, m.rows, m.cols)) return ResultCode::NoMoreRoom;
  for (int i = 0; i < m.rows; ++i) {
    for (int j = 0; j < m.cols; ++j) AppendCell(out, EntryText(f, kind, m.at(i, j), TextUse::Output), f.width);
    out += "\r\n";
  }
  return ResultCode::Ok;
}

ResultCode TextOut(const DisplayFormat& f, const IntegerMatrix& m, std::string& out) {
  out.clear();
  if (TooLarge(f, m.rows, m.cols)) return ResultCode::NoMoreRoom;
  for (int i = 0; i < m.rows; ++i) {
    for (int j = 0; j < m.cols; ++j) AppendCell(out, EntryText(f, m.at(i, j)), f.width);
    out += "\r\n";
  }
  // The numerators mean nothing without the common denominator.
  out += "denom " + EntryText(f, m.denominator) + "\r\n";
  return ResultCode::Ok;
}

}  // namespace tavrin
