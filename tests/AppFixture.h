#pragma once
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "FakePort.h"
#include "MatrixBuilders.h"
#include "Scratch.h"
#include "app/Application.h"

namespace tavrin {

// An application with a scripted user: the ground of the command tests.
class AppTest : public ::testing::Test {
 protected:
  FakePort port;
  Application app{port};
  Workspace& ws = app.workspace();

  // Stores the matrix under the letter of the mode and gives its document;
  // a refused store ends the test.
  template <class M>
  MatrixDocument* Put(Mode mode, int letter, M m) {
    MatrixDocument* doc = nullptr;
    const ResultCode rc = ws.PutMatrix(mode, "", letter, std::move(m), &doc);
    if (rc != ResultCode::Ok || !doc) throw std::runtime_error("store refused: " + std::to_string(CodeNumber(rc)));
    return doc;
  }
};

// A document holding 1, 2, 3, ... row by row (numerators over `den` when integer).
inline MatrixDocument Counting(MatrixKind kind, int rows, int cols, long den = 1) {
  MatrixDocument doc(kind, 1, rows, cols, false);
  for (int k = 0; k < rows * cols; ++k) {
    if (kind == MatrixKind::Integer) doc.q.e[k] = BigInteger(static_cast<long>(k + 1));
    else doc.z.e()[k] = Complex(static_cast<long double>(k + 1));
  }
  if (kind == MatrixKind::Integer) doc.q.denominator = BigInteger(den);
  return doc;
}

}  // namespace tavrin
