#include "app/commands/CopyAsText.h"

#include <gtest/gtest.h>

#include <sstream>

#include "FakePort.h"
#include "MatrixBuilders.h"
#include "app/commands/CommandLine.h"
#include "app/commands/CommandTable.h"

// The matrix window's "Copy as" texts of whole matrices and of blocks, and
// the console's `copyas` line reaching them through the command table.
// Expected texts are written out by hand from the entries and the two
// places of the format.

namespace tavrin {
namespace {

struct Desk {
  FakePort port;
  Application app{port};
  MatrixDocument *real = nullptr, *integer = nullptr, *complex = nullptr;
  Desk() {
    Workspace& ws = app.workspace();
    EXPECT_EQ(ws.PutMatrix(Mode::Real, "", 1, Real(2, 3, {1, -2.5L, 0.25L, 3, 4, 5}), &real), ResultCode::Ok);
    EXPECT_EQ(ws.PutMatrix(Mode::Integer, "", 1, Int(2, 2, {4, -3, 1, 6}, 3), &integer), ResultCode::Ok);
    ComplexMatrix z(1, 1);
    z.e()[0] = Complex(1.5L, -2);
    EXPECT_EQ(ws.PutMatrix(Mode::Complex, "", 1, z, &complex), ResultCode::Ok);
    real->format.places = complex->format.places = 2;
  }
};

TEST(CopyAs, WholeMatricesAndBlocks) {
  Desk d;
  struct Case {
    MatrixDocument* Desk::*doc;
    CopyAsKind kind;
    int r0, c0, r1, c1;  // -1: the whole matrix
    const char* text;
  } cases[] = {
      {&Desk::real, CopyAsKind::Csv, -1, 0, 0, 0, "1.00,-2.50,0.25\n3.00,4.00,5.00\n"},
      {&Desk::real, CopyAsKind::Matlab, -1, 0, 0, 0, "[1.00, -2.50, 0.25;\n 3.00, 4.00, 5.00]\n"},
      // Corners in either order; a block reaching past the matrix is cut at its edge.
      {&Desk::real, CopyAsKind::Csv, 1, 2, 0, 1, "-2.50,0.25\n4.00,5.00\n"},
      {&Desk::real, CopyAsKind::Tsv, 0, 2, 9, 9, "0.25\n5.00\n"},
      {&Desk::real, CopyAsKind::Markdown, 1, 0, 1, 1, "| 1 | 2 |\n| ---: | ---: |\n| 3.00 | 4.00 |\n"},
      // Integer entries are exact: numerator over the common denominator, reduced.
      {&Desk::integer, CopyAsKind::Csv, -1, 0, 0, 0, "4/3,-1\n1/3,2\n"},
      {&Desk::integer, CopyAsKind::Latex, 0, 0, 0, 0, "\\begin{pmatrix}\n\\frac{4}{3}\n\\end{pmatrix}\n"},
      {&Desk::integer, CopyAsKind::NumPy, 1, 0, 1, 1, "np.array([[1/3, 2]])\n"},
      {&Desk::complex, CopyAsKind::NumPy, -1, 0, 0, 0, "np.array([[1.50-2.00j]])\n"},
      {&Desk::complex, CopyAsKind::Matlab, -1, 0, 0, 0, "[1.50-2.00i]\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string out;
    const MatrixDocument& doc = *(d.*c.doc);
    const ResultCode rc = c.r0 < 0 ? CopyAsText(doc, c.kind, out) : CopyAsText(doc, c.kind, c.r0, c.c0, c.r1, c.c1, out);
    ASSERT_EQ(rc, ResultCode::Ok);
    EXPECT_EQ(out, c.text);
  }
}

TEST(CopyAs, ConsoleLineThroughTheTable) {
  Desk d;
  const CommandEntry* entry = FindCommand("CopyAs");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(FindCommandById(entry->id), entry);  // the Copy as submenu's ids run it too
  struct Case {
    const char* line;
    ResultCode code;
    const char* out;
    std::vector<ResultCode> shown;  // codes reported through the port
  } cases[] = {
      {"copyas a TSV", ResultCode::Ok, "1.00\t-2.50\t0.25\n3.00\t4.00\t5.00\n", {}},
      {"copyas A bogus", ResultCode::CannotUnderstand, "error: wrong arguments for copyas\n", {}},
      {"copyas A", ResultCode::CannotUnderstand, "error: wrong arguments for copyas\n", {}},
      {"copyas Q csv", ResultCode::MatrixNotFound, "", {ResultCode::MatrixNotFound}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    d.port.codes.clear();
    std::ostringstream out;
    CommandLine line{SplitWords(c.line), c.line, out, nullptr, nullptr};
    EXPECT_EQ(entry->handler(d.app, line), c.code);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(d.port.codes, c.shown);
  }
}

}  // namespace
}  // namespace tavrin
