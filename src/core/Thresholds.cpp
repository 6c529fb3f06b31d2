#include "core/Thresholds.h"

#include <cmath>

namespace tavrin {

long double ZeroTolerance(int places) {
  const long double tenth = 0.1L;
  long double t = tenth;
  for (int i = 0; i < places; ++i) t *= tenth;
  return t;
}

long double OverflowBound() {
  static const long double bound = std::exp(42.0L);
  return bound;
}

}  // namespace tavrin
