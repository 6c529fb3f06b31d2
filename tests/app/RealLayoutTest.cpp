#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "FakeInterrupt.h"
#include "FakePort.h"
#include "app/Application.h"
#include "app/commands/Editing.h"
#include "engine/Elimination.h"
#include "engine/Product.h"
#include "io/MatrixFile.h"
#include "lang/Expression.h"

// Real matrices keep their real parts only. Whatever is made from one must
// be, bit for bit, what the same entries held as complex pairs give.
namespace tavrin {
namespace {

// The 10 value bytes of each part: equal values with other zero signs differ.
bool Same(const ComplexMatrix& a, const ComplexMatrix& b) {
  if (a.rows != b.rows || a.cols != b.cols || a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    const Complex x = a.entry(k), y = b.entry(k);
    if (std::memcmp(&x.re, &y.re, 10) != 0 || std::memcmp(&x.im, &y.im, 10) != 0) return false;
  }
  return true;
}

ComplexMatrix RandomReal(std::mt19937_64& g, int rows, int cols) {
  static const long double special[] = {-0.0L, 0.0L, 1.0L / 3, -2.5e-30L, 0.1L};
  ComplexMatrix m = ComplexMatrix::Real(rows, cols);
  std::uniform_real_distribution<long double> u(-1e3L, 1e3L);
  for (long double& x : m.realParts()) x = g() % 4 == 0 ? special[g() % std::size(special)] : u(g);
  return m;
}

ComplexMatrix Wide(ComplexMatrix m) {
  m.Widen();
  return m;
}

// What one operation on square a and b gives: a matrix, a code, a scalar
// and bytes, all of which must agree.
struct Outcome {
  ResultCode code = ResultCode::Ok;
  ComplexMatrix m;
  Complex z;
  std::string bytes;
};
using Operation = std::function<void(const ComplexMatrix& a, const ComplexMatrix& b, Outcome& o)>;

void Calculate(const char* text, const ComplexMatrix& a, const ComplexMatrix& b, bool take, Outcome& o) {
  MatrixLookup lookup;
  lookup.complexMatrix = [&](char l) { return l == 'A' ? &a : l == 'B' ? &b : nullptr; };
  // Like the command's copies: a letter read once is handed over.
  if (take) lookup.takeComplexMatrix = [&](char l, ComplexMatrix& out) { return l == 'A' && (out = a, true); };
  ExprValue v;
  FakeInterrupt stop;
  o.code = CalculateExpression(text, Mode::Real, lookup, v, stop);
  o.m = std::move(v.matrix);
  o.z = v.scalar;
}

TEST(RealLayout, OperationsGiveWhatTheWideLayoutGives) {
  FakeInterrupt stop;
  std::vector<std::pair<const char*, Operation>> all = {
      {"transpose", [](auto& a, auto&, Outcome& o) { o.m = Transpose(a); }},
      {"product", [&](auto& a, auto& b, Outcome& o) { o.code = MatrixProduct(a, b, o.m, stop); }},
      {"inverse", [&](auto& a, auto&, Outcome& o) { o.code = DeterminantAndInverse(a, o.z, &o.m, stop); }},
      {"determinant", [&](auto& a, auto&, Outcome& o) { o.code = DeterminantAndInverse(a, o.z, nullptr, stop); }},
      {"in place", [&](auto& a, auto&, Outcome& o) { o.m = a, o.code = InvertInPlace(o.m, o.z, stop); }},
      {"file", [](auto& a, auto&, Outcome& o) {
         MatrixFileData d;
         d.complex = a;
         o.bytes = MatrixFileBytes(d);
         o.code = ReadMatrixBytes(o.bytes, MatrixKind::Real, d);
         o.m = d.complex;
       }},
  };
  for (const char* text : {"A^-1", "A*B'", "A^3", "2*A-B/3", "-A", "A|B", "(A+B)^-1*A", "-2*A", "A^0", "A^1"})
    for (bool take : {false, true})
      all.emplace_back(text, [text, take](auto& a, auto& b, Outcome& o) { Calculate(text, a, b, take, o); });

  std::mt19937_64 g(20);
  for (int trial = 0; trial < 6; ++trial) {
    const int n = 1 + trial * 3;
    const ComplexMatrix a = RandomReal(g, n, n), b = RandomReal(g, n, n);
    for (const auto& [name, op] : all) {
      Outcome narrow, wide;
      op(a, b, narrow);
      op(Wide(a), Wide(b), wide);
      EXPECT_EQ(narrow.code, ResultCode::Ok) << name << " n=" << n;
      EXPECT_EQ(wide.code, ResultCode::Ok) << name << " n=" << n;
      EXPECT_TRUE(Same(narrow.m, wide.m)) << name << " n=" << n;
      EXPECT_EQ(std::memcmp(&narrow.z, &wide.z, 10), 0) << name << " n=" << n;
      EXPECT_EQ(std::memcmp(&narrow.z.im, &wide.z.im, 10), 0) << name << " n=" << n;
      EXPECT_EQ(narrow.bytes, wide.bytes) << name << " n=" << n;
    }
  }
}

TEST(RealLayout, WritesWidenWithoutLosingValues) {
  ComplexMatrix m = ComplexMatrix::Real(1, 3);
  m.set(0, 0, Complex(2));
  EXPECT_TRUE(m.realLayout());
  m.set(0, 1, Complex(0, -0.0L));  // a -0 imaginary part needs the wide layout
  EXPECT_FALSE(m.realLayout());
  EXPECT_TRUE(std::signbit(m.at(0, 1).im));
  EXPECT_FALSE(m.Narrow());
  m.at(0, 1) = Complex(5);
  EXPECT_TRUE(m.Narrow());
  m.at(0, 2).im = 1.5L;  // through a reference: the layout turns wide first
  EXPECT_EQ(m.Entries(), (std::vector<Complex>{Complex(2), Complex(5), Complex(0, 1.5L)}));

  // A real document keeps its layout through edits and their undo.
  std::mt19937_64 g(7);
  FakePort port;
  Application app(port);
  const ComplexMatrix first = RandomReal(g, 3, 4), second = RandomReal(g, 2, 2);
  MatrixDocument* doc = nullptr;
  ASSERT_EQ(app.workspace().PutMatrix(Mode::Real, "", 1, first, &doc), ResultCode::Ok);
  ASSERT_EQ(app.workspace().PutMatrix(Mode::Real, "", 1, Wide(second)), ResultCode::Ok);
  EXPECT_TRUE(doc->z.realLayout());
  ASSERT_EQ(Undo(app, *doc), ResultCode::Ok);
  EXPECT_TRUE(Same(doc->z, first));
  ASSERT_EQ(Redo(app, *doc), ResultCode::Ok);
  ASSERT_EQ(EditEntry(app, *doc, 1, 0, "-4.25"), ResultCode::Ok);
  ASSERT_EQ(InsertRow(app, *doc, "1"), ResultCode::Ok);
  ASSERT_EQ(SetDimensions(app, *doc, "5", "1"), ResultCode::Ok);
  EXPECT_TRUE(doc->z.realLayout());
  for (int k = 0; k < 3; ++k) ASSERT_EQ(Undo(app, *doc), ResultCode::Ok);
  EXPECT_TRUE(doc->z.realLayout());
  EXPECT_TRUE(Same(doc->z, second));
}

}  // namespace
}  // namespace tavrin
