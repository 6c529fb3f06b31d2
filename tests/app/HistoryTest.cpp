#include <gtest/gtest.h>

#include <random>

#include "AppFixture.h"
#include "app/commands/CommandTable.h"
#include "app/commands/Editing.h"

namespace tavrin {
namespace {

using History = AppTest;

// What Undo must give back: the matrix with its size, and the notes.
struct State {
  ComplexMatrix z;
  IntegerMatrix q;
  std::string notebook;
  bool operator==(const State&) const = default;
};
State Of(const MatrixDocument& d) { return {d.z, d.q, d.notebook}; }

std::string Number(std::mt19937& rng) { return std::to_string(static_cast<int>(rng() % 19) - 9); }
std::string Index(std::mt19937& rng, int count) { return std::to_string(1 + static_cast<int>(rng() % (count + 1))); }

// One random step on the document: an entry or denominator edit, a
// structural command, or a replacement of the whole matrix by a command
// that stores a result. Returns 0 when something changed.
ResultCode RandomStep(Application& app, MatrixDocument& doc, std::mt19937& rng) {
  Workspace& ws = app.workspace();
  const int rows = doc.rows(), cols = doc.cols();
  switch (rng() % 11) {
    case 0:
    case 1:
      return EditEntry(app, doc, static_cast<int>(rng() % rows), static_cast<int>(rng() % cols), Number(rng));
    case 2: return doc.isInteger() ? EditDenominator(app, doc, Number(rng)) : ResultCode::Stopped;
    case 3: return SetDimensions(app, doc, Index(rng, 3), Index(rng, 3));
    case 4: return RemoveRows(app, doc, Index(rng, rows), Index(rng, rows));
    case 5: return RemoveColumns(app, doc, Index(rng, cols), Index(rng, cols));
    case 6: return InsertRow(app, doc, Index(rng, rows));
    case 7: return InsertColumn(app, doc, Index(rng, cols));
    case 8: return rng() % 2 ? ExchangeRows(app, doc, Index(rng, rows), Index(rng, rows))
                             : ExchangeColumns(app, doc, Index(rng, cols), Index(rng, cols));
    default: {
      const int r = 1 + static_cast<int>(rng() % 4), c = 1 + static_cast<int>(rng() % 4);
      ResultCode rc;
      if (doc.isInteger()) {
        IntegerMatrix m(r, c);
        for (BigInteger& e : m.e) e = BigInteger(static_cast<long>(rng() % 100));
        m.denominator = BigInteger(static_cast<long>(1 + rng() % 5));
        rc = ws.PutMatrix(Mode::Integer, "", doc.letter(), m);
      } else {
        ComplexMatrix m(r, c);
        for (Complex& e : m.e()) e = Complex(static_cast<long double>(rng() % 100) / 8);
        rc = ws.PutMatrix(Mode::Real, "", doc.letter(), m);
      }
      if (IsOk(rc)) ws.SetDescription(doc, "made " + std::to_string(r) + "x" + std::to_string(c));
      return rc;
    }
  }
}

// Random walks of edits and replacements: Undo passes back through every
// earlier state in turn (a replacement of another size included), Redo
// forward through them again, and the records keep working after both.
TEST_F(History, RandomWalksUndoAndRedoThroughEveryState) {
  for (bool integer : {false, true}) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
      SCOPED_TRACE(std::to_string(seed) + (integer ? " integer" : " real"));
      FakePort port;
      Application app(port);
      Workspace& ws = app.workspace();
      ws.SetMode(integer ? Mode::Integer : Mode::Real);
      MatrixDocument* doc = nullptr;
      if (integer)
        ASSERT_EQ(ws.PutMatrix(Mode::Integer, "", 3, Int(2, 3, {1, 2, 3, 4, 5, 6}, 7), &doc), ResultCode::Ok);
      else
        ASSERT_EQ(ws.PutMatrix(Mode::Real, "", 3, Real(2, 3, {1, 2, 3, 4, 5, 6}), &doc), ResultCode::Ok);
      std::mt19937 rng(seed);
      std::vector<State> states{Of(*doc)};
      for (int k = 0; k < 60; ++k)
        if (RandomStep(app, *doc, rng) == ResultCode::Ok) states.push_back(Of(*doc));
      ASSERT_EQ(doc->undo.size(), states.size() - 1);
      for (size_t k = states.size() - 1; k > 0; --k) {
        ASSERT_EQ(Undo(app, *doc), ResultCode::Ok);
        ASSERT_EQ(Of(*doc), states[k - 1]) << "after undoing step " << k;
      }
      EXPECT_EQ(Undo(app, *doc), ResultCode::Stopped);
      for (size_t k = 1; k < states.size(); ++k) {
        ASSERT_EQ(Redo(app, *doc), ResultCode::Ok);
        ASSERT_EQ(Of(*doc), states[k]) << "after redoing step " << k;
      }
      EXPECT_EQ(Redo(app, *doc), ResultCode::Stopped);
      // Half way back, a new step forgets what was undone.
      for (size_t k = 0; k < states.size() / 2; ++k) ASSERT_EQ(Undo(app, *doc), ResultCode::Ok);
      ASSERT_EQ(SetDimensions(app, *doc, "1", "1"), ResultCode::Ok);
      EXPECT_TRUE(doc->redo.empty());
      ASSERT_EQ(Undo(app, *doc), ResultCode::Ok);
      EXPECT_EQ(Of(*doc), states[states.size() - 1 - states.size() / 2]);
    }
  }
}

// The cases of the fault report: a history made on one matrix, then the
// matrix overwritten by one of another size, then Undo.
TEST_F(History, OverwriteIsOneStepWhateverCameBefore) {
  MatrixDocument* a = Put(Mode::Real, 1, ComplexMatrix(9, 1));
  ws.SetDescription(*a, "zeros");
  ASSERT_EQ(EditEntry(app, *a, 8, 0, "5"), ResultCode::Ok);
  Put(Mode::Real, 1, ComplexMatrix(1, 9));
  ws.SetDescription(*a, "B");
  EXPECT_TRUE(DocumentCommandEnabled(*a, 98));  // Undo is offered after an overwrite
  ASSERT_EQ(Undo(app, *a), ResultCode::Ok);
  ComplexMatrix edited(9, 1);
  edited.at(8, 0) = Complex(5);
  EXPECT_EQ(a->z, edited);
  EXPECT_EQ(a->notebook, "zeros");
  ASSERT_EQ(Undo(app, *a), ResultCode::Ok);
  EXPECT_EQ(a->z, ComplexMatrix(9, 1));

  // Removed rows, then a 1x1 matrix: Undo gives the 1x5 matrix, then 5x5.
  MatrixDocument* c = Put(Mode::Real, 3, Real(5, 5, {}));
  ASSERT_EQ(RemoveRows(app, *c, "1", "4"), ResultCode::Ok);
  Put(Mode::Real, 3, Real(1, 1, {7}));
  ASSERT_EQ(Undo(app, *c), ResultCode::Ok);
  EXPECT_EQ(c->z, ComplexMatrix(1, 5));
  ASSERT_EQ(Undo(app, *c), ResultCode::Ok);
  EXPECT_EQ(c->z, ComplexMatrix(5, 5));

  // Integer: an inserted row and a negative denominator, then a 1x2 matrix.
  MatrixDocument* q = Put(Mode::Integer, 1, Int(1, 3, {2, 4, -6}));
  ASSERT_EQ(InsertRow(app, *q, "2"), ResultCode::Ok);
  ASSERT_EQ(EditDenominator(app, *q, "-3"), ResultCode::Ok);
  Put(Mode::Integer, 1, Int(1, 2, {1, 2}));
  ASSERT_EQ(Undo(app, *q), ResultCode::Ok);
  EXPECT_EQ(q->q, Int(2, 3, {-2, -4, 6, 0, 0, 0}, 3));
  ASSERT_EQ(Undo(app, *q), ResultCode::Ok);
  ASSERT_EQ(Undo(app, *q), ResultCode::Ok);
  EXPECT_EQ(q->q, Int(1, 3, {2, 4, -6}));
  EXPECT_TRUE(port.codes.empty());
}

TEST_F(History, CompanionResultsStartAFreshHistory) {
  MatrixDocument& ech = ws.echelon();
  ASSERT_EQ(InsertRow(app, ech, "1"), ResultCode::Ok);
  ech.editing = true;
  ech.Replace(Real(1, 2, {1, 2}));
  EXPECT_TRUE(ech.undo.empty());
  EXPECT_FALSE(ech.editing);  // an open edit box belongs to the old matrix
  EXPECT_EQ(Undo(app, ech), ResultCode::Stopped);
  EXPECT_EQ(ech.z, Real(1, 2, {1, 2}));
}

// A replacement closes an entry edit of the replaced matrix, and a
// declined overwrite leaves matrix and history alone.
TEST_F(History, ReplacementEndsEditingAndDeclineKeepsAll) {
  MatrixDocument* a = Put(Mode::Real, 1, Real(1, 1, {1}));
  ASSERT_EQ(EditEntry(app, *a, 0, 0, "2"), ResultCode::Ok);
  port.answers = {Answer::No};
  EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 1, Real(2, 2, {})), ResultCode::Stopped);
  EXPECT_EQ(a->undo.size(), 1u);
  EXPECT_EQ(a->z, Real(1, 1, {2}));
  a->editing = true;
  Put(Mode::Real, 1, Real(2, 2, {}));
  EXPECT_FALSE(a->editing);
  EXPECT_EQ(a->undo.size(), 2u);
}

}  // namespace
}  // namespace tavrin
