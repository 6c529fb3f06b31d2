#include "app/commands/Editing.h"

#include "app/commands/CommandTable.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AppFixture.h"

namespace tavrin {
namespace {

using DocumentEditing = AppTest;

MatrixDocument RealDoc(int rows, int cols, MatrixKind kind = MatrixKind::Real) { return Counting(kind, rows, cols); }
MatrixDocument IntegerDoc(int rows, int cols, long den = 1) { return Counting(MatrixKind::Integer, rows, cols, den); }

TEST_F(DocumentEditing, RealEntryEdits) {
  MatrixDocument doc = RealDoc(2, 2);
  doc.editing = true;
  ASSERT_EQ(EditEntry(app, doc, 1, 0, "2*(1+2)"), ResultCode::Ok);
  EXPECT_EQ(doc.z.at(1, 0), Complex(6));
  EXPECT_TRUE(doc.modified);
  EXPECT_FALSE(doc.editing);
  ASSERT_EQ(doc.undo.size(), 1u);
  EXPECT_EQ(doc.undo[0].kind, UndoRecord::kEntry);
  EXPECT_EQ(doc.undo[0].a, 1);
  EXPECT_EQ(doc.undo[0].b, 0);
  EXPECT_EQ(doc.undo[0].saved, std::vector<Complex>{Complex(3)});
  // A real document cannot hold an imaginary part: it is refused, not dropped.
  ASSERT_EQ(EditEntry(app, doc, 0, 0, "(1+i)^2/i"), ResultCode::Ok);  // 2, real after all
  EXPECT_EQ(doc.z.at(0, 0), Complex(2));
  EXPECT_TRUE(port.codes.empty());

  // Refused texts leave the entry and the history as they were.
  doc.modified = false;
  EXPECT_EQ(EditEntry(app, doc, 0, 1, ""), ResultCode::NothingToDo);
  EXPECT_EQ(EditEntry(app, doc, 0, 1, "   "), ResultCode::NothingToDo);
  EXPECT_EQ(EditEntry(app, doc, 0, 1, "(1+"), ResultCode::CouldNotCalculate);
  EXPECT_EQ(EditEntry(app, doc, 0, 1, "1/0"), ResultCode::CouldNotCalculate);
  EXPECT_EQ(EditEntry(app, doc, 0, 1, "2+I"), ResultCode::CouldNotCalculate);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::NothingToDo, ResultCode::NothingToDo, ResultCode::CouldNotCalculate, ResultCode::CouldNotCalculate, ResultCode::CouldNotCalculate}));
  EXPECT_EQ(doc.z.at(0, 1), Complex(2));
  EXPECT_EQ(doc.undo.size(), 2u);
  EXPECT_FALSE(doc.modified);

  MatrixDocument c = RealDoc(1, 1, MatrixKind::Complex);
  ASSERT_EQ(EditEntry(app, c, 0, 0, "1-2i"), ResultCode::Ok);
  EXPECT_EQ(c.z.at(0, 0), Complex(1, -2));
}

TEST_F(DocumentEditing, IntegerEntryReading) {
  struct Case {
    const char* text;
    ResultCode code;
    const char* value;
  } cases[] = {
      {"1,234,567", ResultCode::Ok, "1234567"}, {"--5", ResultCode::Ok, "5"},     {"-007", ResultCode::Ok, "-7"}, {"-0", ResultCode::Ok, "0"},
      {"-", ResultCode::CouldNotFind, "2"},               {"", ResultCode::CouldNotFind, "2"},        {" - 5 ", ResultCode::Ok, "-5"}, {"1 000 000", ResultCode::Ok, "1000000"},
      {"123456789012345678901234567890", ResultCode::Ok, "123456789012345678901234567890"},
      {"1e3", ResultCode::Ok, "1000"},          {"-12E+2", ResultCode::Ok, "-1200"}, {"2e30", ResultCode::Ok, "2000000000000000000000000000000"},
      // Not an integer: refused rather than read as its digits.
      {"12a34", ResultCode::IntegerExpected, "2"}, {"1.5", ResultCode::IntegerExpected, "2"}, {"1,5", ResultCode::IntegerExpected, "2"},  {"1e-3", ResultCode::IntegerExpected, "2"},
      {"abc", ResultCode::IntegerExpected, "2"},   {"1/2", ResultCode::IntegerExpected, "2"}, {"1e", ResultCode::IntegerExpected, "2"},   {"1e10000", ResultCode::OutOfBounds, "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    port.codes.clear();
    MatrixDocument doc = IntegerDoc(1, 2);
    EXPECT_EQ(EditEntry(app, doc, 0, 1, c.text), c.code);
    EXPECT_EQ(doc.q.at(0, 1).ToString(), c.value);
    EXPECT_EQ(doc.undo.size(), NotOk(c.code) ? 0u : 1u);
    EXPECT_EQ(port.codes.size(), NotOk(c.code) ? 1u : 0u);
  }
  // The display's substituted minus sign reads back as a minus.
  MatrixDocument doc = IntegerDoc(1, 1);
  doc.format.minusOn = true;
  doc.format.minusCode = 150;
  ASSERT_EQ(EditEntry(app, doc, 0, 0, "\x96" "42"), ResultCode::Ok);
  EXPECT_EQ(doc.q.at(0, 0), BigInteger(-42));
}

// The edit box opens with the entry at full precision, so that Enter on it
// stores nothing new, and any stored value can be typed back exactly.
TEST_F(DocumentEditing, EditBoxTextIsTheFullValue) {
  MatrixDocument c = RealDoc(1, 6, MatrixKind::Complex);
  c.z.e() = {Complex(0.9685205L), Complex(0.5L, -0.25L), Complex(0, 2), Complex(0, -2), Complex(1.5e-7L, 3),
           Complex(-1234567890123.0L, 1e300L)};
  const char* texts[] = {"0.9685205", "0.5-0.25i", "2i", "-2i", "1.5e-07+3i", "-1234567890123+1e+300i"};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(EntryEditText(c, 0, j), texts[j]);
  MatrixDocument q = IntegerDoc(1, 1, 7);
  q.q.e[0] = BigInteger(mpz_class("-123456789012345678901234567890"));
  EXPECT_EQ(EntryEditText(q, 0, 0), "-123456789012345678901234567890");  // shown as "-12..." in width 8
  EXPECT_EQ(EntryEditText(q, -1, -1), "7");

  // Unchanged: nothing recorded, nothing modified; the integer keeps its digits.
  q.editing = true;
  EXPECT_EQ(AcceptEntryEdit(app, q, 0, 0, EntryEditText(q, 0, 0), EntryEditText(q, 0, 0)), ResultCode::Ok);
  EXPECT_TRUE(q.undo.empty());
  EXPECT_FALSE(q.modified);
  EXPECT_FALSE(q.editing);
  EXPECT_EQ(AcceptEntryEdit(app, q, -1, -1, "7", "-7"), ResultCode::Ok);  // the denominator path
  EXPECT_EQ(q.q.denominator, BigInteger(7));
  EXPECT_EQ(q.q.e[0].ToString(), "123456789012345678901234567890");

  // Typed back, every text gives the same value bit for bit.
  uint64_t s = 99;
  auto next = [&s] { return s = s * 6364136223846793005ULL + 1442695040888963407ULL; };
  for (int k = 0; k < 2000; ++k) {
    MatrixDocument d = RealDoc(1, 1, MatrixKind::Complex);
    const long double re = std::ldexp(static_cast<long double>(next() >> 11), static_cast<int>(next() % 400) - 250);
    const long double im = std::ldexp(static_cast<long double>(next() >> 11), static_cast<int>(next() % 400) - 250);
    const Complex v((next() & 1) ? -re : re, (next() & 1) ? -im : (next() & 2) ? 0.0L : im);
    d.z.e()[0] = v;
    const std::string text = EntryEditText(d, 0, 0);
    ASSERT_EQ(EditEntry(app, d, 0, 0, text), ResultCode::Ok) << text;
    ASSERT_EQ(d.z.entry(0), v) << text;
  }
  EXPECT_TRUE(port.codes.empty());
}

// Enter on a box whose text, lengthened minus read as a minus, is what it
// opened with stores nothing; a substitute that is a digit or letter is
// never read as a minus.
TEST_F(DocumentEditing, UnchangedTextWithTheMinusSubstitute) {
  struct Case {
    int16_t minusCode;
    const char* typed;
    bool stored;
    long double value;  // of entry (0, 0) afterwards
  } cases[] = {
      {150, "\x96" "2", false, -2},  // the lengthened minus given back
      {150, "-2", false, -2}, {150, "\x96" "3", true, -3}, {'1', "-2", false, -2},
      {'1', "12", true, 12},  // "1" stays a digit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    port.codes.clear();
    MatrixDocument doc = RealDoc(1, 1);
    doc.z.e()[0] = Complex(-2);
    doc.format.minusOn = true;
    doc.format.minusCode = c.minusCode;
    ASSERT_EQ(AcceptEntryEdit(app, doc, 0, 0, EntryEditText(doc, 0, 0), c.typed), ResultCode::Ok);
    EXPECT_EQ(doc.z.entry(0), Complex(c.value));
    EXPECT_EQ(doc.undo.size(), c.stored ? 1u : 0u);
    EXPECT_EQ(doc.modified, c.stored);
  }
}

TEST_F(DocumentEditing, Denominator) {
  MatrixDocument doc = IntegerDoc(2, 2, 2);
  EXPECT_EQ(EditDenominator(app, doc, "0"), ResultCode::Singular);
  EXPECT_EQ(EditDenominator(app, doc, "-0"), ResultCode::Singular);
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::Singular, ResultCode::Singular}));
  EXPECT_EQ(doc.q.denominator, BigInteger(2));
  EXPECT_TRUE(doc.undo.empty());

  ASSERT_EQ(EditDenominator(app, doc, "-3"), ResultCode::Ok);
  EXPECT_EQ(Numerators(doc.q), (std::vector<long>{-1, -2, -3, -4}));
  EXPECT_EQ(doc.q.denominator, BigInteger(3));
  ASSERT_EQ(doc.undo.size(), 1u);
  EXPECT_TRUE(doc.undo[0].denominator);
  EXPECT_EQ(doc.undo[0].savedIntegers, std::vector<BigInteger>{BigInteger(2)});
  // Undo gives back the denominator and the entries' signs; Redo flips them again.
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q.denominator, BigInteger(2));
  EXPECT_EQ(Numerators(doc.q), (std::vector<long>{1, 2, 3, 4}));
  ASSERT_EQ(Redo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q.denominator, BigInteger(3));
  EXPECT_EQ(Numerators(doc.q), (std::vector<long>{-1, -2, -3, -4}));
}

TEST_F(DocumentEditing, RemoveRowsEitherOrderAndUndo) {
  MatrixDocument doc = RealDoc(5, 2);
  const ComplexMatrix start = doc.z;
  ASSERT_EQ(RemoveRows(app, doc, "3", "1"), ResultCode::Ok);
  EXPECT_EQ(doc.rows(), 2);
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{7, 8, 9, 10}));
  ASSERT_EQ(doc.undo.size(), 1u);
  const UndoRecord& rec = doc.undo[0];
  EXPECT_EQ(rec.kind, UndoRecord::kRowsRemoved);
  EXPECT_EQ(rec.a, 0);
  EXPECT_EQ(rec.b, 2);
  EXPECT_EQ(rec.saved.size(), 6u);
  EXPECT_EQ(rec.saved[5], Complex(6));
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.z, start);
  EXPECT_TRUE(doc.modified);

  struct Case {
    const char *first, *last;
    ResultCode code;
  } refused[] = {{"1", "5", ResultCode::NeedAtLeastOne}, {"5", "1", ResultCode::NeedAtLeastOne}, {"0", "2", ResultCode::OutOfBounds}, {"1", "6", ResultCode::OutOfBounds}, {"x", "2", ResultCode::OutOfBounds}};
  for (const Case& c : refused) {
    port.codes.clear();
    EXPECT_EQ(RemoveRows(app, doc, c.first, c.last), c.code);
    EXPECT_EQ(port.codes, std::vector<ResultCode>{c.code});
  }
  EXPECT_EQ(doc.z, start);
  EXPECT_TRUE(doc.undo.empty());
}

TEST_F(DocumentEditing, RemoveColumnsSavesColumnAfterColumn) {
  MatrixDocument doc = IntegerDoc(2, 4, 5);
  const IntegerMatrix start = doc.q;
  ASSERT_EQ(RemoveColumns(app, doc, "3", "2"), ResultCode::Ok);
  EXPECT_EQ(doc.cols(), 2);
  EXPECT_EQ(Numerators(doc.q), (std::vector<long>{1, 4, 5, 8}));
  EXPECT_EQ(doc.q.denominator, BigInteger(5));
  const UndoRecord& rec = doc.undo.back();
  EXPECT_EQ(rec.kind, UndoRecord::kColumnsRemoved);
  EXPECT_EQ(rec.a, 1);
  EXPECT_EQ(rec.b, 2);
  EXPECT_EQ(rec.savedIntegers,
            (std::vector<BigInteger>{BigInteger(2), BigInteger(6), BigInteger(3), BigInteger(7)}));
  EXPECT_EQ(RemoveColumns(app, doc, "1", "2"), ResultCode::NeedAtLeastOne);
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q, start);
}

TEST_F(DocumentEditing, Dimensions) {
  MatrixDocument doc = IntegerDoc(2, 3, 9);
  const IntegerMatrix start = doc.q;
  for (auto [rows, cols] : {std::pair{"1000", "1001"}, {"0", "3"}, {"3", "-2"}, {"99999999999", "99999999999"}})
    EXPECT_EQ(SetDimensions(app, doc, rows, cols), ResultCode::OutOfBounds) << rows << " x " << cols;
  EXPECT_EQ(port.codes, std::vector<ResultCode>(4, ResultCode::OutOfBounds));
  EXPECT_EQ(doc.q, start);
  ASSERT_EQ(SetDimensions(app, doc, "1000", "1000"), ResultCode::Ok);
  EXPECT_EQ(doc.rows(), 1000);
  EXPECT_EQ(doc.cols(), 1000);
  EXPECT_EQ(doc.q.denominator, BigInteger(1));
  EXPECT_TRUE(doc.q.at(999, 999).IsZero());
  const UndoRecord& rec = doc.undo.back();
  EXPECT_EQ(rec.kind, UndoRecord::kDimensions);
  EXPECT_EQ(rec.a, 2);
  EXPECT_EQ(rec.b, 3);
  EXPECT_EQ(rec.savedIntegers.size(), 7u);  // six entries and the denominator
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q, start);

  MatrixDocument real = RealDoc(2, 2);
  ASSERT_EQ(SetDimensions(app, real, "1", "3"), ResultCode::Ok);
  EXPECT_EQ(Reals(real.z), (std::vector<long double>{0, 0, 0}));
  ASSERT_EQ(Undo(app, real), ResultCode::Ok);
  EXPECT_EQ(Reals(real.z), (std::vector<long double>{1, 2, 3, 4}));
}

TEST_F(DocumentEditing, InsertRowAndColumn) {
  MatrixDocument doc = RealDoc(2, 2);
  ASSERT_EQ(InsertRow(app, doc, "3"), ResultCode::Ok);  // rows + 1 appends
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{1, 2, 3, 4, 0, 0}));
  ASSERT_EQ(InsertColumn(app, doc, "1"), ResultCode::Ok);
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{0, 1, 2, 0, 3, 4, 0, 0, 0}));
  EXPECT_EQ(doc.undo.back().kind, UndoRecord::kColumnInserted);
  EXPECT_EQ(doc.undo.back().a, 0);
  EXPECT_EQ(InsertRow(app, doc, "0"), ResultCode::OutOfBounds);
  EXPECT_EQ(InsertRow(app, doc, "5"), ResultCode::OutOfBounds);
  EXPECT_EQ(InsertColumn(app, doc, "5"), ResultCode::OutOfBounds);
  EXPECT_EQ(port.codes, std::vector<ResultCode>(3, ResultCode::OutOfBounds));
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{1, 2, 3, 4}));
  EXPECT_EQ(doc.rows(), 2);

  MatrixDocument q = IntegerDoc(2, 2, 4);
  ASSERT_EQ(InsertColumn(app, q, "2"), ResultCode::Ok);
  EXPECT_EQ(Numerators(q.q), (std::vector<long>{1, 0, 2, 3, 0, 4}));
  EXPECT_EQ(q.q.denominator, BigInteger(4));
}

TEST_F(DocumentEditing, ExchangeRowsAndColumns) {
  MatrixDocument doc = RealDoc(3, 2);
  ASSERT_EQ(ExchangeRows(app, doc, "3", "1"), ResultCode::Ok);
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{5, 6, 3, 4, 1, 2}));
  EXPECT_EQ(doc.undo.back().kind, UndoRecord::kRowsExchanged);
  ASSERT_EQ(ExchangeColumns(app, doc, "1", "2"), ResultCode::Ok);
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(doc.undo.back().kind, UndoRecord::kColumnsExchanged);
  EXPECT_EQ(ExchangeRows(app, doc, "2", "2"), ResultCode::OutOfBounds);
  EXPECT_EQ(ExchangeRows(app, doc, "0", "2"), ResultCode::OutOfBounds);
  EXPECT_EQ(ExchangeColumns(app, doc, "1", "3"), ResultCode::OutOfBounds);
  EXPECT_EQ(port.codes, std::vector<ResultCode>(3, ResultCode::OutOfBounds));
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(Reals(doc.z), (std::vector<long double>{1, 2, 3, 4, 5, 6}));
}

TEST_F(DocumentEditing, MixedStepsUndoToTheStart) {
  MatrixDocument doc = IntegerDoc(4, 3, 6);
  ASSERT_EQ(EditEntry(app, doc, 3, 2, "99"), ResultCode::Ok);
  ASSERT_EQ(RemoveColumns(app, doc, "1", "1"), ResultCode::Ok);
  ASSERT_EQ(InsertRow(app, doc, "2"), ResultCode::Ok);
  ASSERT_EQ(ExchangeColumns(app, doc, "2", "1"), ResultCode::Ok);
  ASSERT_EQ(RemoveRows(app, doc, "2", "4"), ResultCode::Ok);
  ASSERT_EQ(EditDenominator(app, doc, "-5"), ResultCode::Ok);
  ASSERT_EQ(SetDimensions(app, doc, "2", "2"), ResultCode::Ok);
  ASSERT_EQ(EditEntry(app, doc, 1, 1, "7"), ResultCode::Ok);
  const IntegerMatrix end = doc.q;
  while (!doc.undo.empty()) ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q, IntegerDoc(4, 3, 6).q);
  // The same records make every step again, and undo it again.
  while (!doc.redo.empty()) ASSERT_EQ(Redo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q, end);
  while (!doc.undo.empty()) ASSERT_EQ(Undo(app, doc), ResultCode::Ok);
  EXPECT_EQ(doc.q, IntegerDoc(4, 3, 6).q);
  // Nothing more to undo: nothing done, nothing reported.
  EXPECT_EQ(Undo(app, doc), ResultCode::Stopped);
  EXPECT_TRUE(port.codes.empty());
}

TEST_F(DocumentEditing, EnablingRules) {
  MatrixDocument doc = RealDoc(1, 2);
  for (auto [id, enabled] : {std::pair{98, false}, {607, false}, {610, false}, {608, true}, {609, true}, {604, true}})
    EXPECT_EQ(DocumentCommandEnabled(doc, id), enabled) << id;
  ASSERT_EQ(EditEntry(app, doc, 0, 0, "1"), ResultCode::Ok);
  EXPECT_TRUE(DocumentCommandEnabled(doc, 98));
}

TEST_F(DocumentEditing, AutofeedOrder) {
  using Entry = std::optional<std::pair<int, int>>;
  // A 2x3 matrix walked from (0, 0) in both flows, to the end.
  std::vector<std::pair<int, int>> alongRows, downColumns;
  for (Entry e = std::make_pair(0, 0); e; e = NextAutofeedEntry(e->first, e->second, 2, 3, false))
    alongRows.push_back(*e);
  for (Entry e = std::make_pair(0, 0); e; e = NextAutofeedEntry(e->first, e->second, 2, 3, true))
    downColumns.push_back(*e);
  EXPECT_EQ(alongRows, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}));
  EXPECT_EQ(downColumns, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}));
  // The last entry ends autofeed in both flows; the last row of a column
  // continues on row 1 of the next column.
  EXPECT_FALSE(NextAutofeedEntry(1, 2, 2, 3, false));
  EXPECT_FALSE(NextAutofeedEntry(1, 2, 2, 3, true));
  EXPECT_EQ(NextAutofeedEntry(1, 0, 2, 3, true), Entry(std::make_pair(0, 1)));
  EXPECT_FALSE(NextAutofeedEntry(0, 0, 1, 1, true));

  EXPECT_EQ(ScrollIntoView(5, 0, 5, 12), 5);    // a page on
  EXPECT_EQ(ScrollIntoView(11, 5, 5, 12), 7);   // not beyond count - visible
  EXPECT_EQ(ScrollIntoView(0, 7, 5, 12), 0);    // back to the start
  EXPECT_EQ(ScrollIntoView(8, 7, 5, 12), 7);    // already visible
}

}  // namespace
}  // namespace tavrin
