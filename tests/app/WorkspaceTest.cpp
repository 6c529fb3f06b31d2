#include "app/Workspace.h"

#include <gtest/gtest.h>

#include "FakePort.h"

namespace tavrin {
namespace {

class WorkspaceTest : public ::testing::Test {
 protected:
  FakePort port;
  Workspace ws{port};
};

ComplexMatrix Filled(int rows, int cols, long double v) {
  ComplexMatrix m(rows, cols);
  for (auto& e : m.e()) e = Complex(v);
  return m;
}

TEST_F(WorkspaceTest, PutMatrixCreatesWithDefaultsAndCopies) {
  ComplexMatrix m = Filled(2, 3, 1.5L);
  m.at(1, 0) = Complex(7);
  MatrixDocument* doc = nullptr;
  ASSERT_EQ(ws.PutMatrix(Mode::Real, "", 0, m, &doc), ResultCode::Ok);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->letter(), 1);
  EXPECT_EQ(doc->defaultFileName, "mat1.fma");
  EXPECT_TRUE(doc->modified);
  EXPECT_FALSE(doc->hidden);
  EXPECT_EQ(doc->z.e()[3], Complex(7));  // (1, 0) of a 2x3 matrix is element 3
  m.at(0, 0) = Complex(99);            // the caller keeps its own array
  EXPECT_EQ(doc->z.at(0, 0), Complex(1.5L));
  EXPECT_TRUE(ws.Created(Mode::Real));
  EXPECT_FALSE(ws.Created(Mode::Integer));
  EXPECT_EQ(doc->colourIndex(), 1);
}

TEST_F(WorkspaceTest, DefaultNamesPerMode) {
  IntegerMatrix q(1, 1);
  q.at(0, 0) = BigInteger(5);
  MatrixDocument* doc = nullptr;
  ASSERT_EQ(ws.PutMatrix(Mode::Integer, "", 26, q, &doc), ResultCode::Ok);
  EXPECT_EQ(doc->defaultFileName, "mat26.ima");
  EXPECT_EQ(doc->q.size() + 1, 2u);  // the entry and the denominator
  EXPECT_EQ(doc->q.denominator, BigInteger(1));
  ASSERT_EQ(ws.PutMatrix(Mode::Complex, "", 3, ComplexMatrix(1, 1), &doc), ResultCode::Ok);
  EXPECT_EQ(doc->defaultFileName, "mat3.cma");
}

TEST_F(WorkspaceTest, OverwriteAsksAndKeepsFileName) {
  MatrixDocument* doc = nullptr;
  ASSERT_EQ(ws.PutMatrix(Mode::Real, "", 2, Filled(2, 2, 1), &doc), ResultCode::Ok);
  doc->fileName = "/tmp/b.fma";
  doc->modified = false;
  port.answers.push_back(Answer::No);
  EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 2, Filled(3, 3, 2), nullptr), ResultCode::Stopped);
  EXPECT_EQ(doc->rows(), 2);  // declined: nothing changed
  EXPECT_FALSE(doc->modified);
  ASSERT_EQ(port.questions.size(), 1u);
  EXPECT_EQ(port.questions[0], "overwrite existing file?");
  EXPECT_TRUE(port.codes.empty());
  EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 2, Filled(3, 3, 2), nullptr), ResultCode::Ok);
  EXPECT_EQ(doc->rows(), 3);
  EXPECT_EQ(doc->fileName, "/tmp/b.fma");
  EXPECT_TRUE(doc->modified);
}

TEST_F(WorkspaceTest, FullWorkspaceUsesFirstHiddenLetterThenRefuses) {
  for (int i = 0; i < 26; ++i) ASSERT_EQ(ws.PutMatrix(Mode::Real, "", 0, Filled(1, 1, i), nullptr), ResultCode::Ok);
  EXPECT_EQ(port.questions.size(), 0u);
  EXPECT_EQ(ws.FindFreeLetter(), 0);
  EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 0, Filled(1, 1, 0), nullptr), ResultCode::NoMoreRoom);
  EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::NoMoreRoom});
  ws.Hide(*ws.Lookup(7));
  ws.Hide(*ws.Lookup(4));
  EXPECT_EQ(ws.FindFreeLetter(), 4);
  port.answers.push_back(Answer::No);
  EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 0, Filled(2, 2, 9), nullptr), ResultCode::Stopped);
  EXPECT_EQ(ws.Lookup(4)->rows(), 1);
  EXPECT_TRUE(ws.Lookup(4)->hidden);
  MatrixDocument* doc = nullptr;
  EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 0, Filled(2, 2, 9), &doc), ResultCode::Ok);
  EXPECT_EQ(doc->letter(), 4);
  EXPECT_FALSE(doc->hidden);  // overwriting a hidden letter shows it again
  // Other modes are untouched by the real workspace being full.
  ws.SetMode(Mode::Complex);
  EXPECT_EQ(ws.FindFreeLetter(), 1);
}

TEST_F(WorkspaceTest, EditingGuardAndAnyModified) {
  EXPECT_FALSE(ws.AnyModified());
  MatrixDocument* doc = nullptr;
  ASSERT_EQ(ws.PutMatrix(Mode::Real, "x.fma", 1, Filled(1, 1, 0), &doc), ResultCode::Ok);
  EXPECT_FALSE(doc->modified);  // created from a file name
  EXPECT_FALSE(ws.AnyModified());
  doc->editing = true;
  EXPECT_TRUE(ws.EditingGuard());
  EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::EditingInProgress});
  ws.SetMode(Mode::Integer);
  EXPECT_FALSE(ws.EditingGuard());  // only the current mode counts
  ws.operations().modified = true;
  EXPECT_TRUE(ws.AnyModified());
}

TEST_F(WorkspaceTest, WhiteBackgroundsAndCompanions) {
  ws.SetWhiteBackgrounds(true);
  MatrixDocument* doc = nullptr;
  ASSERT_EQ(ws.PutMatrix(Mode::Real, "", 3, Filled(1, 1, 0), &doc), ResultCode::Ok);
  EXPECT_EQ(doc->colourIndex(), 27);
  EXPECT_EQ(ws.lp().defaultFileName, "lp.fma");
  EXPECT_EQ(ws.echelon().title, "echelon form");
  EXPECT_EQ(ws.operations().title, "operations");
  EXPECT_TRUE(ws.lp().hidden);
  std::string order;
  ws.ForEachInClosingOrder([&](MatrixDocument& d) { order += d.letter() ? d.letterChar() : '.'; });
  EXPECT_EQ(order, "C...");
}

}  // namespace
}  // namespace tavrin
