#include "core/Matrix.h"

namespace tavrin {

ComplexMatrix Transpose(const ComplexMatrix& m) {
  ComplexMatrix t(m.cols, m.rows);
  for (int i = 0; i < m.rows; ++i)
    for (int j = 0; j < m.cols; ++j) t.at(j, i) = m.at(i, j);
  return t;
}

IntegerMatrix Transpose(const IntegerMatrix& m) {
  IntegerMatrix t(m.cols, m.rows);
  for (int i = 0; i < m.rows; ++i)
    for (int j = 0; j < m.cols; ++j) t.at(j, i) = m.at(i, j);
  t.denominator = m.denominator;
  return t;
}

}  // namespace tavrin
