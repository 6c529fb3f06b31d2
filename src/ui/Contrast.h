#pragma once
#include <QColor>

namespace tavrin {

// Contrast ratio of two colours as the accessibility guidelines define it:
// (L1 + 0.05) / (L2 + 0.05) of their relative luminances, 1 to 21.
double RelativeLuminance(const QColor& c);
double ContrastRatio(const QColor& a, const QColor& b);

// The cell fill and text colour of a highlighted entry: the fill starts
// from `source` (the highlight palette entry) and is lightened or darkened
// just enough to reach `minimum` contrast with `text`; a text colour that
// no fill can meet gives way to black or white.
struct HighlightColours {
  QColor fill;
  QColor text;
};
HighlightColours HighlightFor(const QColor& source, const QColor& text, double minimum = 4.5);

}  // namespace tavrin
