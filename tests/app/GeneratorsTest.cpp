#include "app/commands/Generators.h"

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "core/Random.h"

// Reference values in this file were computed independently with Python
// (exact fractions) from the generator s := s*22695477 + 1 (mod 2^64),
// draw = (s >> 32) & 0x7fffffff, and from the rotation formula
// R = cos·I + (1 - cos)·u uᵀ + sin·[u]x.

namespace tavrin {
namespace {

class Generators : public AppTest {
 protected:
  MatrixDocument* doc(int letter) { return ws.Lookup(letter); }
  void PutReal(int letter, int rows, int cols, std::initializer_list<long double> values) {
    Put(ws.mode(), letter, Real(rows, cols, values));
  }
  void PutInteger(int letter, int rows, int cols, std::initializer_list<long> values, long den = 1) {
    Put(Mode::Integer, letter, Int(rows, cols, values, den));
  }
};

void ExpectReal(const ComplexMatrix& m, int rows, int cols, std::vector<long double> values,
                long double tolerance = 1e-15L) {
  ASSERT_EQ(m.rows, rows);
  ASSERT_EQ(m.cols, cols);
  for (size_t k = 0; k < values.size(); ++k) {
    EXPECT_NEAR(static_cast<double>(m.entry(k).re), static_cast<double>(values[k]), static_cast<double>(tolerance))
        << "entry " << k;
    EXPECT_EQ(m.entry(k).im, 0.0L);
  }
}

// Exact determinant by fraction-free elimination.
mpz_class Determinant(const IntegerMatrix& m) {
  const int n = m.rows;
  std::vector<mpz_class> a;
  for (const BigInteger& e : m.e) a.push_back(e.Value());
  mpz_class previous = 1, sign = 1;
  for (int k = 0; k < n - 1; ++k) {
    if (a[k * n + k] == 0) {
      int p = k + 1;
      while (p < n && a[p * n + k] == 0) ++p;
      if (p == n) return 0;
      for (int j = 0; j < n; ++j) std::swap(a[k * n + j], a[p * n + j]);
      sign = -sign;
    }
    for (int i = k + 1; i < n; ++i)
      for (int j = k + 1; j < n; ++j)
        a[i * n + j] = (a[i * n + j] * a[k * n + k] - a[i * n + k] * a[k * n + j]) / previous;
    previous = a[k * n + k];
  }
  return sign * a[n * n - 1];
}

TEST_F(Generators, NewSizeLimits) {
  struct Case {
    NewType type;
    const char *rows, *cols;
    ResultCode code;
    int outRows, outCols;
  } cases[] = {
      {NewType::Zeros, "0", "5", ResultCode::OutOfBounds, 0, 0},
      {NewType::Zeros, "5", "-1", ResultCode::OutOfBounds, 0, 0},
      {NewType::Zeros, "1000", "1000", ResultCode::Ok, 1000, 1000},
      {NewType::Zeros, "1000", "1001", ResultCode::OutOfBounds, 0, 0},
      {NewType::Zeros, "99999999999", "99999999999", ResultCode::OutOfBounds, 0, 0},
      {NewType::Zeros, "2 rows", "3x", ResultCode::Ok, 2, 3}, {NewType::Diagonal, "4", "7", ResultCode::Ok, 4, 4},
      {NewType::Diagonal, "4", "0", ResultCode::OutOfBounds, 0, 0},
      // The square a diagonal becomes obeys the limit too.
      {NewType::Diagonal, "1001", "1", ResultCode::OutOfBounds, 0, 0},
  };
  int letter = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.rows) + " x " + c.cols);
    port.codes.clear();
    EXPECT_EQ(NewMatrix(app, ++letter, c.type, c.rows, c.cols, "0.0", "1.0", "1.0"), c.code);
    if (NotOk(c.code)) {
      EXPECT_EQ(port.codes, std::vector<ResultCode>{c.code});
      EXPECT_EQ(doc(letter), nullptr);
    } else {
      ASSERT_NE(doc(letter), nullptr);
      EXPECT_EQ(doc(letter)->rows(), c.outRows);
      EXPECT_EQ(doc(letter)->cols(), c.outCols);
      EXPECT_TRUE(port.codes.empty());
    }
  }
}

TEST_F(Generators, NewDiagonalZerosAndDescriptions) {
  ASSERT_EQ(NewMatrix(app, 1, NewType::Diagonal, "3", "9", "0.0", "1.0", "2.5"), ResultCode::Ok);
  ExpectReal(doc(1)->z, 3, 3, {2.5L, 0, 0, 0, 2.5L, 0, 0, 0, 2.5L});
  EXPECT_EQ(doc(1)->notebook, "diagonal");
  ASSERT_EQ(NewMatrix(app, 2, NewType::Zeros, "2", "3", "0.0", "1.0", "1.0"), ResultCode::Ok);
  ExpectReal(doc(2)->z, 2, 3, {0, 0, 0, 0, 0, 0});
  EXPECT_EQ(doc(2)->notebook, "zeros");
  ASSERT_EQ(NewMatrix(app, 3, NewType::Random, "1", "1", "0.0", "1.0", "x"), ResultCode::Ok);
  EXPECT_EQ(doc(3)->notebook, "random (0.0,1.0)");
  ASSERT_EQ(NewMatrix(app, 4, NewType::ProbabilityRows, "1", "1", "", "", ""), ResultCode::Ok);
  EXPECT_EQ(doc(4)->notebook, "probability rows");
  ASSERT_EQ(NewMatrix(app, 5, NewType::ProbabilityColumns, "1", "1", "", "", ""), ResultCode::Ok);
  EXPECT_EQ(doc(5)->notebook, "probability columns");
  EXPECT_TRUE(port.codes.empty());
}

TEST_F(Generators, NewDiagonalValueIsAnExpression) {
  ws.SetMode(Mode::Complex);
  ASSERT_EQ(NewMatrix(app, 1, NewType::Diagonal, "2", "2", "0.0", "1.0", "(1+2)*I"), ResultCode::Ok);
  EXPECT_EQ(doc(1)->z.at(0, 0), Complex(0, 3));
  EXPECT_EQ(doc(1)->z.at(1, 1), Complex(0, 3));
  EXPECT_EQ(doc(1)->z.at(0, 1), Complex(0, 0));
  // A faulty value is reported once and nothing is stored.
  ResultCode rc = NewMatrix(app, 2, NewType::Diagonal, "2", "2", "0.0", "1.0", "(1+");
  EXPECT_TRUE(IsError(rc));
  EXPECT_EQ(port.codes, std::vector<ResultCode>{rc});
  EXPECT_EQ(doc(2), nullptr);
}

TEST_F(Generators, NewRandomRealAndComplexFromSeed) {
  ProgramRandom().Seed(12345);
  ASSERT_EQ(NewMatrix(app, 1, NewType::Random, "2", "2", "-1", "3", ""), ResultCode::Ok);
  ExpectReal(doc(1)->z, 2, 2, {-0.999738L, 1.019786L, 1.511026L, 1.922822L});
  EXPECT_EQ(doc(1)->notebook, "random (-1,3)");

  ws.SetMode(Mode::Complex);
  ProgramRandom().Seed(7);
  ASSERT_EQ(NewMatrix(app, 1, NewType::Random, "1", "2", "0", "10", ""), ResultCode::Ok);
  const ComplexMatrix& z = doc(1)->z;
  // Each imaginary part is drawn right after its real part.
  EXPECT_NEAR(static_cast<double>(z.entry(0).re), 5e-06, 1e-15);
  EXPECT_NEAR(static_cast<double>(z.entry(0).im), 8.394925, 1e-14);
  EXPECT_NEAR(static_cast<double>(z.entry(1).re), 3.975035, 1e-14);
  EXPECT_NEAR(static_cast<double>(z.entry(1).im), 4.925995, 1e-14);
}

TEST_F(Generators, NewRandomBounds) {
  ASSERT_EQ(NewMatrix(app, 1, NewType::Random, "3", "3", "2.5", "2.5", ""), ResultCode::Ok);
  for (const Complex& e : doc(1)->z.Entries()) EXPECT_EQ(e, Complex(2.5L));
  EXPECT_EQ(NewMatrix(app, 2, NewType::Random, "3", "3", "2", "1", ""), ResultCode::InconsistentData);
  // Inconsistent bounds are found before the size.
  EXPECT_EQ(NewMatrix(app, 2, NewType::Random, "0", "3", "2", "1", ""), ResultCode::InconsistentData);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::InconsistentData, ResultCode::InconsistentData}));
  EXPECT_EQ(doc(2), nullptr);
}

TEST_F(Generators, NewProbabilityRowsAndColumnsReal) {
  ProgramRandom().Seed(99);
  ASSERT_EQ(NewMatrix(app, 1, NewType::ProbabilityRows, "2", "3", "", "", ""), ResultCode::Ok);
  ExpectReal(doc(1)->z, 2, 3,
             {3.6862676576828636e-07L, 0.6434914705295802L, 0.35650816084365394L, 0.11021087310238677L,
              0.6273854827526322L, 0.2624036441449811L},
             1e-15L);
  ASSERT_EQ(NewMatrix(app, 2, NewType::ProbabilityColumns, "4", "5", "", "", ""), ResultCode::Ok);
  const ComplexMatrix& m = doc(2)->z;
  for (int j = 0; j < 5; ++j) {
    long double sum = 0;
    for (int i = 0; i < 4; ++i) sum += m.at(i, j).re;
    EXPECT_NEAR(static_cast<double>(sum), 1.0, 1e-17);
  }
}

TEST_F(Generators, NewIntegerMode) {
  ws.SetMode(Mode::Integer);
  ProgramRandom().Seed(42);
  ASSERT_EQ(NewMatrix(app, 1, NewType::Random, "2", "3", "-5", "5", "1"), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(1)->q), (std::vector<long>{-5, 5, 1, -5, 4, -4}));
  EXPECT_EQ(doc(1)->q.denominator, BigInteger(1));
  EXPECT_EQ(doc(1)->notebook, "random (-5,5)");

  ASSERT_EQ(NewMatrix(app, 2, NewType::Diagonal, "2", "5", "1", "10", "-123456789012345678901"), ResultCode::Ok);
  const IntegerMatrix& d = doc(2)->q;
  EXPECT_EQ(d.rows, 2);
  EXPECT_EQ(d.cols, 2);
  EXPECT_EQ(d.at(1, 1).ToString(), "-123456789012345678901");
  EXPECT_TRUE(d.at(0, 1).IsZero());

  EXPECT_EQ(NewMatrix(app, 3, NewType::Diagonal, "2", "2", "1", "10", ""), ResultCode::IntegerExpected);
  EXPECT_EQ(NewMatrix(app, 3, NewType::Random, "2", "2", "10", "1", ""), ResultCode::InconsistentData);
  EXPECT_EQ(NewMatrix(app, 3, NewType::Zeros, "1000", "1001", "1", "10", "1"), ResultCode::OutOfBounds);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::IntegerExpected, ResultCode::InconsistentData, ResultCode::OutOfBounds}));
  EXPECT_EQ(doc(3), nullptr);
}

TEST_F(Generators, NewIntegerProbabilitiesAreGapsBetweenCuts) {
  ws.SetMode(Mode::Integer);
  ProgramRandom().Seed(5);
  ASSERT_EQ(NewMatrix(app, 1, NewType::ProbabilityRows, "2", "3", "1", "10", "1"), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(1)->q), (std::vector<long>{12, 20, 13, 4, 5, 36}));
  EXPECT_EQ(doc(1)->q.denominator, BigInteger(45));
  ProgramRandom().Seed(5);
  ASSERT_EQ(NewMatrix(app, 2, NewType::ProbabilityColumns, "3", "2", "1", "10", "1"), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(2)->q), (std::vector<long>{12, 4, 20, 5, 13, 36}));
  EXPECT_EQ(doc(2)->q.denominator, BigInteger(45));
  EXPECT_EQ(doc(2)->notebook, "probability columns");
}

TEST_F(Generators, CopyColumn) {
  PutReal(1, 2, 3, {1, 2, 3, 4, 5, 6});
  ASSERT_EQ(CopyColumn(app, 1, 2, "2"), ResultCode::Ok);
  ExpectReal(doc(2)->z, 2, 1, {2, 5});
  EXPECT_EQ(doc(2)->notebook, "column #2");
  EXPECT_EQ(CopyColumn(app, 1, 3, "0"), ResultCode::OutOfBounds);
  EXPECT_EQ(CopyColumn(app, 9, 3, "1"), ResultCode::MatrixNotFound);
  EXPECT_EQ(CopyColumn(app, 1, 3, "4"), ResultCode::NothingToShow);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::OutOfBounds, ResultCode::MatrixNotFound, ResultCode::NothingToShow}));
  EXPECT_EQ(doc(3), nullptr);

  ws.SetMode(Mode::Integer);
  PutInteger(1, 2, 2, {1, -2, 3, 4}, 7);
  ASSERT_EQ(CopyColumn(app, 1, 1, "2"), ResultCode::Ok);  // over its own source
  EXPECT_EQ(Numerators(doc(1)->q), (std::vector<long>{-2, 4}));
  EXPECT_EQ(doc(1)->q.denominator, BigInteger(7));
}

TEST_F(Generators, Rotate2D) {
  ASSERT_EQ(Rotate2D(app, 1, "90"), ResultCode::Ok);
  ExpectReal(doc(1)->z, 2, 2, {0, -1, 1, 0});
  EXPECT_EQ(doc(1)->notebook, "rotation 2D");
  ASSERT_EQ(Rotate2D(app, 2, "60.0"), ResultCode::Ok);
  const long double h = 0.8660254037844386467637L;
  ExpectReal(doc(2)->z, 2, 2, {0.5L, -h, h, 0.5L});
}

TEST_F(Generators, Rotate3D) {
  ASSERT_EQ(Rotate3D(app, 0, 1, "0", "0", "5", "30"), ResultCode::Ok);
  const long double h = 0.8660254037844386467637L;
  ExpectReal(doc(1)->z, 3, 3, {h, -0.5L, 0, 0.5L, h, 0, 0, 0, 1});
  EXPECT_EQ(doc(1)->notebook, "rotation 3D");
  // 120 degrees about (1, 1, 1) carries x to y, y to z, z to x.
  ASSERT_EQ(Rotate3D(app, 0, 2, "1", "1", "1", "120"), ResultCode::Ok);
  ExpectReal(doc(2)->z, 3, 3, {0, 0, 1, 1, 0, 0, 0, 1, 0});
  // The axis from the first three entries of a matrix.
  PutReal(5, 2, 2, {2, 2, 2, 7});
  ASSERT_EQ(Rotate3D(app, 5, 3, "0", "0", "0", "120"), ResultCode::Ok);
  ExpectReal(doc(3)->z, 3, 3, {0, 0, 1, 1, 0, 0, 0, 1, 0});

  PutReal(6, 1, 2, {1, 1});
  EXPECT_EQ(Rotate3D(app, 0, 4, "0", "0", "0", "30"), ResultCode::Singular);
  EXPECT_EQ(Rotate3D(app, 0, 4, "1e-9", "0", "0", "30"), ResultCode::Singular);
  EXPECT_EQ(Rotate3D(app, 6, 4, "", "", "", "30"), ResultCode::InconsistentData);
  EXPECT_EQ(Rotate3D(app, 7, 4, "", "", "", "30"), ResultCode::MatrixNotFound);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::Singular, ResultCode::Singular, ResultCode::InconsistentData, ResultCode::MatrixNotFound}));
  EXPECT_EQ(doc(4), nullptr);
}

TEST_F(Generators, PythagoreanRotation) {
  ws.SetMode(Mode::Integer);
  ASSERT_EQ(PythagoreanRotation(app, 0, 0, 1, "3", "6", "-2", "4", "3"), ResultCode::Ok);
  const IntegerMatrix& m = doc(1)->q;
  EXPECT_EQ(m.denominator, BigInteger(245));
  EXPECT_EQ(Numerators(m), (std::vector<long>{205, 60, 120, -24, 232, -75, -132, 51, 200}));
  EXPECT_EQ(doc(1)->notebook, "rotation 3D");
  // The same data from matrices.
  PutInteger(2, 2, 2, {3, 6, -2, 99}, 5);
  PutInteger(3, 1, 2, {4, 3});
  ASSERT_EQ(PythagoreanRotation(app, 2, 3, 4, "", "", "", "", ""), ResultCode::Ok);
  EXPECT_EQ(doc(4)->q, m);

  struct Case {
    int axisLetter, angleLetter;
    const char *x, *y, *z, *p, *q;
    ResultCode code;
  } cases[] = {
      {0, 0, "0", "0", "0", "4", "3", ResultCode::Singular},   {0, 0, "3", "6", "-2", "0", "0", ResultCode::Singular},
      {0, 0, "1", "1", "1", "4", "3", ResultCode::PythagoreanDataExpected},  {0, 0, "3", "6", "-2", "1", "2", ResultCode::PythagoreanDataExpected},
      {0, 0, "", "6", "-2", "4", "3", ResultCode::IntegerExpected},  {9, 0, "", "", "", "4", "3", ResultCode::MatrixNotFound},
      {0, 9, "3", "6", "-2", "", "", ResultCode::MatrixNotFound},   {3, 0, "", "", "", "4", "3", ResultCode::InconsistentData},
  };
  PutInteger(3, 1, 2, {0, 0});
  for (const Case& c : cases) {
    port.codes.clear();
    EXPECT_EQ(PythagoreanRotation(app, c.axisLetter, c.angleLetter, 5, c.x, c.y, c.z, c.p, c.q), c.code);
    EXPECT_EQ(port.codes, std::vector<ResultCode>{c.code});
    EXPECT_EQ(doc(5), nullptr);
  }
}

TEST_F(Generators, ReflectProject) {
  PutReal(1, 1, 2, {1, 1});
  ASSERT_EQ(ReflectProject(app, 1, 2, true), ResultCode::Ok);
  ExpectReal(doc(2)->z, 2, 2, {0.5L, -0.5L, -0.5L, 0.5L});
  EXPECT_EQ(doc(2)->notebook, "projection");
  ASSERT_EQ(ReflectProject(app, 1, 3, false), ResultCode::Ok);
  ExpectReal(doc(3)->z, 2, 2, {0, -1, -1, 0});
  EXPECT_EQ(doc(3)->notebook, "reflection");
  // A column (1, 2, 2): reflection I - 2nnᵀ/9.
  PutReal(4, 3, 1, {1, 2, 2});
  ASSERT_EQ(ReflectProject(app, 4, 5, false), ResultCode::Ok);
  ExpectReal(doc(5)->z, 3, 3,
             {7.0L / 9, -4.0L / 9, -4.0L / 9, -4.0L / 9, 1.0L / 9, -8.0L / 9, -4.0L / 9, -8.0L / 9, 1.0L / 9});

  PutReal(6, 2, 2, {1, 0, 0, 1});
  PutReal(7, 1, 1, {1});
  PutReal(8, 1, 3, {0, 0, 0});
  EXPECT_EQ(ReflectProject(app, 6, 9, true), ResultCode::InconsistentData);
  EXPECT_EQ(ReflectProject(app, 7, 9, true), ResultCode::InconsistentData);
  EXPECT_EQ(ReflectProject(app, 8, 9, true), ResultCode::Singular);
  EXPECT_EQ(ReflectProject(app, 10, 9, true), ResultCode::MatrixNotFound);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::InconsistentData, ResultCode::InconsistentData, ResultCode::Singular, ResultCode::MatrixNotFound}));
  EXPECT_EQ(doc(9), nullptr);

  ws.SetMode(Mode::Integer);
  PutInteger(1, 2, 1, {1, 1}, 3);
  ASSERT_EQ(ReflectProject(app, 1, 2, true), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(2)->q), (std::vector<long>{1, -1, -1, 1}));
  EXPECT_EQ(doc(2)->q.denominator, BigInteger(2));
  ASSERT_EQ(ReflectProject(app, 1, 3, false), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(3)->q), (std::vector<long>{0, -2, -2, 0}));
  EXPECT_EQ(doc(3)->q.denominator, BigInteger(2));
  PutInteger(4, 1, 2, {0, 0});
  EXPECT_EQ(ReflectProject(app, 4, 5, true), ResultCode::Singular);
}

TEST_F(Generators, Unimodular) {
  ws.SetMode(Mode::Integer);
  EXPECT_EQ(Unimodular(app, "1", 1), ResultCode::OutOfBounds);
  EXPECT_EQ(Unimodular(app, "21", 1), ResultCode::OutOfBounds);
  EXPECT_EQ(port.codes, std::vector<ResultCode>(2, ResultCode::OutOfBounds));
  ProgramRandom().Seed(2024);
  ASSERT_EQ(Unimodular(app, "3", 1), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(1)->q), (std::vector<long>{-1, 24, -35, 1, -17, 25, -1, 26, -38}));
  EXPECT_EQ(doc(1)->notebook, "random unimodular");
  ProgramRandom().Seed(1);
  ASSERT_EQ(Unimodular(app, "4", 2), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc(2)->q), (std::vector<long>{-1, 2, 2, -2, 5, -1, -2, 7, -2, -1, 1, -2, -3, -1, 3, -3}));
  for (int seed = 0; seed < 5; ++seed) {
    ProgramRandom().Seed(seed);
    ASSERT_EQ(Unimodular(app, "20", 3), ResultCode::Ok);
    const IntegerMatrix& m = doc(3)->q;
    ASSERT_EQ(m.rows, 20);
    for (const BigInteger& e : m.e) EXPECT_FALSE(e.IsZero());
    mpz_class det = Determinant(m);
    EXPECT_TRUE(det == 1 || det == -1) << det.get_str();
  }
  // Unimodular goes to the integer workspace from any mode.
  ws.SetMode(Mode::Real);
  ASSERT_EQ(Unimodular(app, "2", 4), ResultCode::Ok);
  EXPECT_NE(ws.Lookup(Mode::Integer, 4), nullptr);
}

TEST_F(Generators, EditingGuardAndOverwrite) {
  PutReal(1, 1, 3, {1, 2, 3});
  doc(1)->editing = true;
  EXPECT_EQ(Rotate2D(app, 2, "90"), ResultCode::EditingInProgress);
  EXPECT_EQ(Rotate3D(app, 0, 2, "0", "0", "1", "90"), ResultCode::EditingInProgress);
  EXPECT_EQ(ReflectProject(app, 1, 2, true), ResultCode::EditingInProgress);
  EXPECT_EQ(CopyColumn(app, 1, 2, "1"), ResultCode::EditingInProgress);
  EXPECT_EQ(port.codes, std::vector<ResultCode>(4, ResultCode::EditingInProgress));
  EXPECT_EQ(doc(2), nullptr);
  // New and Unimodular do not ask the guard.
  EXPECT_EQ(NewMatrix(app, 2, NewType::Zeros, "2", "2", "", "", ""), ResultCode::Ok);
  EXPECT_EQ(Unimodular(app, "2", 2), ResultCode::Ok);
  doc(1)->editing = false;

  // Declining the overwrite question: nothing changes, nothing reported.
  port.codes.clear();
  port.answers.push_back(Answer::No);
  EXPECT_EQ(Rotate2D(app, 1, "90"), ResultCode::Stopped);
  EXPECT_TRUE(port.codes.empty());
  ExpectReal(doc(1)->z, 1, 3, {1, 2, 3});
  EXPECT_EQ(port.questions.size(), 1u);
}

}  // namespace
}  // namespace tavrin
