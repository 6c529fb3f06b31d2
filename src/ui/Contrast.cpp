#include "ui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

namespace {
double Channel(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}
}  // namespace

double RelativeLuminance(const QColor& c) {
  return 0.2126 * Channel(c.red()) + 0.7152 * Channel(c.green()) + 0.0722 * Channel(c.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

HighlightColours HighlightFor(const QColor& source, const QColor& text, double minimum) {
  const QColor s = source.toRgb(), t = text.toRgb();
  if (ContrastRatio(s, t) >= minimum) return {s, t};
  // Away from the text: toward white behind dark text, black behind light.
  const QColor target = RelativeLuminance(t) < 0.18 ? QColor(255, 255, 255) : QColor(0, 0, 0);
  for (int step = 1; step <= 20; ++step) {
    const QColor fill = Mix(s, target, step / 20.0);
    if (ContrastRatio(fill, t) >= minimum) return {fill, t};
  }
  // A mid-grey text: keep the source fill and pick the better of black and white.
  const QColor black(0, 0, 0), white(255, 255, 255);
  return {s, ContrastRatio(s, black) >= ContrastRatio(s, white) ? black : white};
}

}  // namespace tavrin
