#include "app/commands/Generators.h"

#include "core/TextNumbers.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "core/Interrupt.h"
#include "core/Random.h"
#include "core/StringTable.h"
#include "core/CLocale.h"
#include "lang/Expression.h"
#include "app/commands/CommandLine.h"
#include "app/commands/CommandSupport.h"

namespace tavrin {

namespace {

constexpr long long kMaxEntries = 1000000;
constexpr long double kPi = 3.141592653589793L;
constexpr int kThreeDString = 229;  // " 3D"

ResultCode Fail(Workspace& ws, ResultCode c) {
  ws.port().ShowCode(c);
  return c;
}

bool SizeOk(int rows, int cols) {
  return rows >= 1 && cols >= 1 && static_cast<long long>(rows) * cols <= kMaxEntries;
}

// Stores the result and writes its description. PutMatrix reports its
// failures itself; a declined overwrite returns its negative code silently.
template <class M>
ResultCode Store(Workspace& ws, Mode m, int letter, const M& entries, const std::string& description) {
  MatrixDocument* doc = nullptr;
  ResultCode rc = ws.PutMatrix(m, std::string(), letter, entries, &doc);
  if (NotOk(rc)) return rc;
  // The notebook window shows the new description at once, so typing in
  // it cannot write the old text back.
  ws.SetDescription(*doc, description);
  return ResultCode::Ok;
}

size_t EntryCount(const MatrixDocument& doc) {
  return static_cast<size_t>(doc.rows()) * static_cast<size_t>(doc.cols());
}

// The real part of entry k in row-major order, whatever the kind.
long double RealEntry(const MatrixDocument& doc, size_t k) {
  if (!doc.isInteger()) return doc.z.entry(k).re;
  mpq_class v(doc.q.e[k].Value(), doc.q.denominator.Value());
  return static_cast<long double>(v.get_d());
}

std::string NewDescription(NewType type, const std::string& lowText, const std::string& highText) {
  std::string text = String(str::kZeros + static_cast<int>(type));
  if (type == NewType::Random) text += " (" + lowText + "," + highText + ")";
  return text;
}

ResultCode NewComplex(Workspace& ws, RandomGenerator& random, Interrupt& stop, int letter, NewType type,
                      const std::string& rowsText, const std::string& colsText, const std::string& lowText,
                      const std::string& highText, const std::string& valueText) {
  const bool complexMode = ws.mode() == Mode::Complex;
  int rows = ReadCount(rowsText), cols = ReadCount(colsText);
  long double low = ReadReal(lowText), high = ReadReal(highText);
  Complex value;
  if (type == NewType::Diagonal) {
    ResultCode rc = EvaluateScalarText(valueText, ws.mode(), LiveLookup(ws), value, stop);
    if (IsError(rc)) return Fail(ws, rc);
    if (!complexMode) value.im = 0.0L;
  }
  if (type == NewType::Random && high < low) return Fail(ws, ResultCode::InconsistentData);
  if (!SizeOk(rows, cols)) return Fail(ws, ResultCode::OutOfBounds);
  // The diagonal matrix is square; its final size obeys the same limit.
  if (type == NewType::Diagonal) {
    cols = rows;
    if (!SizeOk(rows, cols)) return Fail(ws, ResultCode::OutOfBounds);
  }
  ComplexMatrix m;
  try {
    m = complexMode ? ComplexMatrix(rows, cols) : ComplexMatrix::Real(rows, cols);
  } catch (const std::bad_alloc&) {
    return Fail(ws, ResultCode::LowMemory);
  }
  switch (type) {
    case NewType::Zeros:
      break;
    case NewType::Random:
      for (size_t k = 0; k < m.size(); ++k) {
        Complex e;
        e.re = random.Range(low, high);
        if (complexMode) e.im = random.Range(low, high);
        m.set(k, e);
      }
      break;
    case NewType::Diagonal:
      for (int i = 0; i < rows; ++i) m.set(i, i, value);
      break;
    case NewType::ProbabilityRows:
    case NewType::ProbabilityColumns: {
      for (Complex& e : m.e()) e.re = random.Range(0.0L, 1.0L);
      const bool byRows = type == NewType::ProbabilityRows;
      const int lines = byRows ? rows : cols, length = byRows ? cols : rows;
      for (int l = 0; l < lines; ++l) {
        auto entry = [&](int k) -> Complex& { return byRows ? m.at(l, k) : m.at(k, l); };
        Complex sum;
        for (int k = 0; k < length; ++k) sum += entry(k);
        Complex inverse = Reciprocal(sum);
        for (int k = 0; k < length; ++k) entry(k) *= inverse;
      }
      break;
    }
  }
  return Store(ws, ws.mode(), letter, m, NewDescription(type, lowText, highText));
}

// Integer probability rows or columns: each line is cut at length - 1
// distinct random positions of 0 .. D'-1; its entries are the gaps between
// successive cuts, starting at 0 and ending at D', so every line sums to D'.
void FillIntegerProbabilities(IntegerMatrix& m, bool byRows, RandomGenerator& random) {
  const int lines = byRows ? m.rows : m.cols, length = byRows ? m.cols : m.rows;
  const long long d = 15 + random.Next() % 12;
  const long long total = d * length;
  m.denominator = BigInteger(static_cast<long>(total));
  std::vector<bool> taken(static_cast<size_t>(total), false);
  std::vector<long long> cuts;
  cuts.reserve(static_cast<size_t>(length));
  for (int l = 0; l < lines; ++l) {
    cuts.clear();
    while (static_cast<int>(cuts.size()) < length - 1) {
      long long c = random.Next() % total;
      if (taken[static_cast<size_t>(c)]) continue;
      taken[static_cast<size_t>(c)] = true;
      cuts.push_back(c);
    }
    for (long long c : cuts) taken[static_cast<size_t>(c)] = false;
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(total);
    long long previous = 0;
    for (int k = 0; k < length; ++k) {
      BigInteger gap(static_cast<long>(cuts[k] - previous));
      previous = cuts[k];
      (byRows ? m.at(l, k) : m.at(k, l)) = gap;
    }
  }
}

ResultCode NewInteger(Workspace& ws, RandomGenerator& random, int letter, NewType type, const std::string& rowsText,
                      const std::string& colsText, const std::string& lowText,
                      const std::string& highText, const std::string& valueText) {
  int rows = ReadCount(rowsText), cols = ReadCount(colsText);
  long long low = ReadCount(lowText), high = ReadCount(highText);
  BigInteger value;
  if (type == NewType::Diagonal && BigInteger::Parse(valueText, value) != ResultCode::Ok)
    return Fail(ws, ResultCode::IntegerExpected);
  if (type == NewType::Random && high < low) return Fail(ws, ResultCode::InconsistentData);
  if (!SizeOk(rows, cols)) return Fail(ws, ResultCode::OutOfBounds);
  if (type == NewType::Diagonal) {
    cols = rows;
    if (!SizeOk(rows, cols)) return Fail(ws, ResultCode::OutOfBounds);
  }
  try {
    IntegerMatrix m(rows, cols);
    switch (type) {
      case NewType::Zeros:
        break;
      case NewType::Random: {
        const long long span = high + 1 - low;
        for (BigInteger& e : m.e) e = BigInteger(static_cast<long>(low + random.Next() % span));
        break;
      }
      case NewType::Diagonal:
        for (int i = 0; i < rows; ++i) m.at(i, i) = value;
        break;
      case NewType::ProbabilityRows:
      case NewType::ProbabilityColumns:
        FillIntegerProbabilities(m, type == NewType::ProbabilityRows, random);
        break;
    }
    return Store(ws, Mode::Integer, letter, m, NewDescription(type, lowText, highText));
  } catch (const std::bad_alloc&) {
    return Fail(ws, ResultCode::LowMemory);
  }
}

// The numerators of the first `count` entries of an integer matrix letter.
ResultCode IntegerVectorOf(Workspace& ws, int letter, size_t count, std::vector<BigInteger>& out) {
  const MatrixDocument* doc = ws.Lookup(letter);
  if (!doc) return ResultCode::MatrixNotFound;
  if (!doc->isInteger()) return ResultCode::IntegerExpected;
  if (EntryCount(*doc) < count) return ResultCode::InconsistentData;
  out.assign(doc->q.e.begin(), doc->q.e.begin() + static_cast<long>(count));
  return ResultCode::Ok;
}

ResultCode IntegerTexts(std::initializer_list<const std::string*> texts, std::vector<BigInteger>& out) {
  out.clear();
  for (const std::string* text : texts) {
    BigInteger v;
    if (BigInteger::Parse(*text, v) != ResultCode::Ok) return ResultCode::IntegerExpected;
    out.push_back(v);
  }
  return ResultCode::Ok;
}

// True when n is a perfect square; root receives its square root.
bool SquareRoot(const mpz_class& n, mpz_class& root) {
  if (n < 0 || !mpz_perfect_square_p(n.get_mpz_t())) return false;
  root = sqrt(n);
  return true;
}

}  // namespace

int ReadCount(std::string_view text) {
  long long v = ReadCountText(text);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

long double ReadReal(std::string_view text) {
  std::string copy(text);
  return StrToLongDoubleC(copy.c_str(), nullptr);
}

NewDialogTexts NewDialogDefaults(Mode mode) {
  return mode == Mode::Integer ? NewDialogTexts{"1", "10", "1"} : NewDialogTexts{"0.0", "1.0", "1.0"};
}

ResultCode NewMatrix(Application& app, int letter, NewType type, const std::string& rowsText,
                     const std::string& colsText, const std::string& lowText,
                     const std::string& highText, const std::string& valueText) {
  Workspace& ws = app.workspace();
  if (ws.mode() == Mode::Integer)
    return NewInteger(ws, app.random(), letter, type, rowsText, colsText, lowText, highText, valueText);
  return NewComplex(ws, app.random(), app.interrupt(), letter, type, rowsText, colsText, lowText, highText, valueText);
}

ResultCode CopyColumn(Application& app, int sourceLetter, int letter, const std::string& columnText) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  int c = ReadCount(columnText);
  if (c < 1) return Fail(ws, ResultCode::OutOfBounds);
  const MatrixDocument* source = ws.Lookup(sourceLetter);
  if (!source) return Fail(ws, ResultCode::MatrixNotFound);
  if (c > source->cols()) return Fail(ws, ResultCode::NothingToShow);
  std::string description = std::string(String(str::kColumn)) + " #" + columnText;
  const int rows = source->rows();
  return VisitEntries(*source, [&](const auto& entries, auto...) {
    std::decay_t<decltype(entries)> m(rows, 1);
    for (int i = 0; i < rows; ++i) m.at(i, 0) = entries.at(i, c - 1);
    if constexpr (requires { m.denominator; }) m.denominator = entries.denominator;  // integer mode keeps it
    return Store(ws, ws.mode(), letter, m, description);
  });
}

ResultCode Rotate2D(Application& app, int letter, const std::string& degreesText) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  long double theta = ReadReal(degreesText) * kPi * (1.0L / 180.0L);
  long double c = std::cos(theta), s = std::sin(theta);
  ComplexMatrix m(2, 2);
  m.e() = {Complex(c), Complex(-s), Complex(s), Complex(c)};
  return Store(ws, Mode::Real, letter, m, std::string(String(str::kRotation)) + String(str::k2D));
}

ResultCode Rotate3D(Application& app, int axisLetter, int letter, const std::string& xText,
                    const std::string& yText, const std::string& zText,
                    const std::string& degreesText) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  long double x, y, z;
  if (axisLetter >= 1) {
    const MatrixDocument* axis = ws.Lookup(axisLetter);
    if (!axis) return Fail(ws, ResultCode::MatrixNotFound);
    if (EntryCount(*axis) < 3) return Fail(ws, ResultCode::InconsistentData);
    x = RealEntry(*axis, 0), y = RealEntry(*axis, 1), z = RealEntry(*axis, 2);
  } else {
    x = ReadReal(xText), y = ReadReal(yText), z = ReadReal(zText);
  }
  long double n2 = x * x + y * y + z * z;
  if (!(n2 > 1e-16L)) return Fail(ws, ResultCode::PositiveValue);
  long double n = std::sqrt(n2);
  x /= n, y /= n, z /= n;
  long double theta = ReadReal(degreesText) * kPi * (1.0L / 180.0L);
  long double c = std::cos(theta), s = std::sin(theta);
  ComplexMatrix m(3, 3);
  m.e() = {Complex((1 - x * x) * c + x * x), Complex(x * y * (1 - c) - z * s), Complex(x * z * (1 - c) + y * s),
         Complex(x * y * (1 - c) + z * s), Complex((1 - y * y) * c + y * y), Complex(y * z * (1 - c) - x * s),
         Complex(x * z * (1 - c) - y * s), Complex(y * z * (1 - c) + x * s), Complex((1 - z * z) * c + z * z)};
  return Store(ws, Mode::Real, letter, m, std::string(String(str::kRotation)) + String(kThreeDString));
}

ResultCode PythagoreanRotation(Application& app, int axisLetter, int angleLetter, int letter,
                               const std::string& xText, const std::string& yText,
                               const std::string& zText, const std::string& pText,
                               const std::string& qText) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  std::vector<BigInteger> a, angle;
  ResultCode rc = axisLetter >= 1 ? IntegerVectorOf(ws, axisLetter, 3, a) : IntegerTexts({&xText, &yText, &zText}, a);
  if (rc != ResultCode::Ok) return Fail(ws, rc);
  rc = angleLetter >= 1 ? IntegerVectorOf(ws, angleLetter, 2, angle) : IntegerTexts({&pText, &qText}, angle);
  if (rc != ResultCode::Ok) return Fail(ws, rc);
  const mpz_class &a0 = a[0].Value(), &a1 = a[1].Value(), &a2 = a[2].Value();
  const mpz_class &p = angle[0].Value(), &q = angle[1].Value();
  mpz_class n = a0 * a0 + a1 * a1 + a2 * a2, r2 = p * p + q * q;
  if (n == 0 || r2 == 0) return Fail(ws, ResultCode::PositiveValue);
  mpz_class d, r;
  if (!SquareRoot(n, d) || !SquareRoot(r2, r)) return Fail(ws, ResultCode::PythagoreanDataExpected);
  const mpz_class* ax[3] = {&a0, &a1, &a2};
  // The cross-product matrix of the axis, row-major.
  const mpz_class cross[9] = {0, -a2, a1, a2, 0, -a0, -a1, a0, 0};
  IntegerMatrix m(3, 3);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      mpz_class v = (r - p) * *ax[i] * *ax[j] + q * d * cross[3 * i + j];
      if (i == j) v += p * n;
      m.at(i, j) = BigInteger(std::move(v));
    }
  }
  m.denominator = BigInteger(mpz_class(n * r));
  return Store(ws, Mode::Integer, letter, m, std::string(String(str::kRotation)) + String(kThreeDString));
}

ResultCode ReflectProject(Application& app, int axisLetter, int letter, bool projection) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  const MatrixDocument* axis = ws.Lookup(axisLetter);
  if (!axis) return Fail(ws, ResultCode::MatrixNotFound);
  const size_t count = EntryCount(*axis);
  if (count < 2 || (axis->rows() != 1 && axis->cols() != 1)) return Fail(ws, ResultCode::InconsistentData);
  const int n = static_cast<int>(count);
  const int f = projection ? -1 : -2;
  const std::string description = String(projection ? str::kProjection : str::kReflection);
  try {
    if (axis->isInteger()) {
      const std::vector<BigInteger>& v = axis->q.e;
      mpz_class s = 0;
      for (const BigInteger& k : v) s += k.Value() * k.Value();
      if (s == 0) return Fail(ws, ResultCode::PositiveValue);
      IntegerMatrix m(n, n);
      for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
          mpz_class e = f * v[i].Value() * v[j].Value();
          if (i == j) e += s;
          m.at(i, j) = BigInteger(std::move(e));
        }
      }
      m.denominator = BigInteger(s);
      return Store(ws, Mode::Integer, letter, m, description);
    }
    const std::vector<Complex> v = axis->z.Entries();
    Complex s;
    for (const Complex& k : v) s += k * k;
    if (Magnitude1(s) <= 1e-16L) return Fail(ws, ResultCode::PositiveValue);
    Complex factor = static_cast<long double>(f) * Reciprocal(s);
    ComplexMatrix m(n, n);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        Complex e = factor * (v[i] * v[j]);
        if (i == j) e += kComplexOne;
        m.at(i, j) = e;
      }
    }
    return Store(ws, ws.mode() == Mode::Integer ? Mode::Real : ws.mode(), letter, m, description);
  } catch (const std::bad_alloc&) {
    return Fail(ws, ResultCode::LowMemory);
  }
}

ResultCode Unimodular(Application& app, const std::string& rowsText, int letter) {
  Workspace& ws = app.workspace();
  const int n = ReadCount(rowsText);
  if (n < 2 || n > 20) return Fail(ws, ResultCode::OutOfBounds);
  // Exact integers: the determinant stays ±1 however large entries grow.
  IntegerMatrix m(n, n);
  for (int i = 0; i < n; ++i) m.at(i, i) = BigInteger(1);
  RandomGenerator& random = app.random();
  size_t zeros = static_cast<size_t>(n) * n - n;
  while (zeros > 0) {
    int u = random.Next() % n;
    int t;
    do t = random.Next() % n;
    while (t == u);
    const bool minus = random.Next() % 2 == 1;
    for (int j = 0; j < n; ++j) {
      BigInteger& target = m.at(t, j);
      const bool wasZero = target.IsZero();
      if (minus)
        target -= m.at(u, j);
      else
        target += m.at(u, j);
      if (wasZero != target.IsZero()) wasZero ? --zeros : ++zeros;
    }
  }
  return Store(ws, Mode::Integer, letter, m, String(str::kRandomUnimodular));
}

namespace {
// "@A" names a matrix in place of typed components.
bool AtLetter(const CommandLine& line, size_t i, int& letter) {
  if (i >= line.size() || line[i].size() != 2 || line[i][0] != '@') return false;
  const unsigned char c = static_cast<unsigned char>(line[i][1]);
  if (!std::isalpha(c)) return false;
  letter = std::toupper(c) - 'A' + 1;
  return true;
}
}  // namespace

ResultCode NewLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() < 5 || !line.Letter(1, letter)) return line.Usage();
  const std::string type = line.Lower(2);
  NewDialogTexts defaults = NewDialogDefaults(app.mode());
  std::string low = defaults.low, high = defaults.high, value = defaults.value;
  NewType t;
  if (type == "zeros") t = NewType::Zeros;
  else if (type == "random") t = NewType::Random;
  else if (type == "diagonal") t = NewType::Diagonal;
  else if (type == "probrows") t = NewType::ProbabilityRows;
  else if (type == "probcols") t = NewType::ProbabilityColumns;
  else return line.Usage();
  if (t == NewType::Random) {
    if (line.size() > 5) low = line[5];
    if (line.size() > 6) high = line[6];
  } else if (t == NewType::Diagonal && line.size() > 5) {
    value = line[5];
  }
  return NewMatrix(app, letter, t, line[3], line[4], low, high, value);
}

ResultCode CopyColumnLine(Application& app, CommandLine& line) {
  int letter = 0, source = 0;
  if (line.size() != 4 || !line.Letter(1, letter) || !line.Letter(2, source)) return line.Usage();
  return CopyColumn(app, source, letter, line[3]);
}

ResultCode Rotate2DLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() != 3 || !line.Letter(1, letter)) return line.Usage();
  return Rotate2D(app, letter, line[2]);
}

ResultCode Rotate3DLine(Application& app, CommandLine& line) {
  int letter = 0, axis = 0;
  if (line.size() < 2 || !line.Letter(1, letter)) return line.Usage();
  if (line.size() == 4 && AtLetter(line, 2, axis)) return Rotate3D(app, axis, letter, "", "", "", line[3]);
  if (line.size() != 6) return line.Usage();
  return Rotate3D(app, 0, letter, line[2], line[3], line[4], line[5]);
}

ResultCode PythagoreanRotationLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() < 2 || !line.Letter(1, letter)) return line.Usage();
  // pythrot L X Y Z P Q, where X Y Z or P Q may be replaced by @A.
  size_t i = 2;
  int axis = 0, angle = 0;
  std::string x, y, z, p, q;
  if (AtLetter(line, i, axis)) {
    ++i;
  } else {
    if (i + 3 > line.size()) return line.Usage();
    x = line[i], y = line[i + 1], z = line[i + 2];
    i += 3;
  }
  if (AtLetter(line, i, angle)) {
    ++i;
  } else {
    if (i + 2 > line.size()) return line.Usage();
    p = line[i], q = line[i + 1];
    i += 2;
  }
  if (i != line.size()) return line.Usage();
  return PythagoreanRotation(app, axis, angle, letter, x, y, z, p, q);
}

namespace {
ResultCode ReflectProjectLine(Application& app, CommandLine& line, bool projection) {
  int letter = 0, axis = 0;
  if (line.size() != 3 || !line.Letter(1, letter) || !line.Letter(2, axis)) return line.Usage();
  return ReflectProject(app, axis, letter, projection);
}
}  // namespace

ResultCode ProjectLine(Application& app, CommandLine& line) { return ReflectProjectLine(app, line, true); }

ResultCode ReflectLine(Application& app, CommandLine& line) { return ReflectProjectLine(app, line, false); }

ResultCode UnimodularLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() != 3 || !line.Letter(1, letter)) return line.Usage();
  return Unimodular(app, line[2], letter);
}

}  // namespace tavrin
