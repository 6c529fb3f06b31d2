#include "app/commands/DocumentWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "AppFixture.h"
#include "app/commands/Files.h"
#include "io/MatrixFile.h"

namespace tavrin {
namespace {

using DocumentWindow = AppTest;

// A window's read-only reference leads back to the very document the
// workspace holds, whatever its mode or companion; nothing else does.
TEST_F(DocumentWindow, WritableIsTheWorkspacesOwnDocument) {
  MatrixDocument* real = Put(Mode::Real, 4, Real(1, 1, {1}));
  MatrixDocument* complex = Put(Mode::Complex, 4, Real(1, 1, {2}));
  MatrixDocument* integer = Put(Mode::Integer, 4, Int(1, 1, {3}));
  for (MatrixDocument* doc : {real, complex, integer, &ws.lp(), &ws.echelon(), &ws.operations()}) {
    const MatrixDocument& shown = *doc;
    EXPECT_EQ(&ws.Writable(shown), doc);
  }
  const MatrixDocument stranger(MatrixKind::Real, 4, 1, 1, false);
  EXPECT_THROW(ws.Writable(stranger), std::logic_error);
}

// What each of the window's own commands changes, and whether the matrix
// then counts as modified (asked about on closing, saved with the file).
TEST_F(DocumentWindow, EachCommandChangesItsPartOnly) {
  struct Case {
    const char* name;
    std::function<void(Application&, MatrixDocument&)> run;
    bool modified, editing, hidden;
    int hides, shows;  // the port told
    std::function<bool(const MatrixDocument&)> holds;
  };
  WindowAppearance coloured;
  coloured.colourSlots[0] = 7;
  coloured.palette[7] = 0x00563412;
  const Case cases[] = {
      {"edit opened", [](Application& a, MatrixDocument& d) { EntryEditOpened(a, d); }, false, true, false, 0, 0,
       nullptr},
      {"edit closed",
       [](Application& a, MatrixDocument& d) {
         EntryEditOpened(a, d);
         EntryEditClosed(a, d);
       },
       false, false, false, 0, 0, nullptr},
      {"notes typed", [](Application& a, MatrixDocument& d) { SetNotes(a, d, "pivot row 2"); }, false, false,
       false, 0, 0, [](const MatrixDocument& d) { return d.notebook == "pivot row 2"; }},
      {"notes opened", [](Application& a, MatrixDocument& d) { NotesOpened(a, d); }, true, false, false, 0, 0,
       nullptr},
      {"placed", [](Application& a, MatrixDocument& d) { PlaceWindow(a, d, 10, 20, 300, 200); }, false, false,
       false, 0, 0,
       [](const MatrixDocument& d) {
         const WindowAppearance& p = d.appearance;
         return p.left == 10 && p.top == 20 && p.width == 300 && p.height == 200;
       }},
      {"coloured", [&](Application& a, MatrixDocument& d) { SetAppearance(a, d, coloured); }, true, false,
       false, 0, 0,
       [](const MatrixDocument& d) { return d.colourIndex() == 7 && d.appearance.palette[7] == 0x00563412u; }},
      {"closed", [](Application& a, MatrixDocument& d) { CloseWindow(a, d); }, false, false, true, 1, 0, nullptr},
      {"reopened",
       [](Application& a, MatrixDocument& d) {
         CloseWindow(a, d);
         OpenWindow(a, d);
       },
       false, false, false, 1, 1, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePort port;
    Application app(port);
    MatrixDocument* doc = nullptr;
    ASSERT_EQ(app.workspace().PutMatrix(Mode::Real, "", 1, Real(2, 2, {1, 2, 3, 4}), &doc), ResultCode::Ok);
    doc->modified = false;
    const int shownBefore = port.shown;
    c.run(app, *doc);
    EXPECT_EQ(doc->modified, c.modified);
    EXPECT_EQ(doc->editing, c.editing);
    EXPECT_EQ(doc->hidden, c.hidden);
    if (c.holds) {
      EXPECT_TRUE(c.holds(*doc));
    }
    EXPECT_EQ(port.hidden, c.hides);
    EXPECT_EQ(port.shown - shownBefore, c.shows);
    EXPECT_EQ(doc->z.Entries(), Real(2, 2, {1, 2, 3, 4}).Entries());  // no command here touches the entries
    EXPECT_TRUE(doc->undo.empty());
  }
}

// A palette change after a save marks the matrix modified again, and the
// next save keeps the colours: the file read back holds them.
TEST_F(DocumentWindow, ColoursSurviveSaveAndRead) {
  Scratch scratch;
  const std::string path = scratch / "colours.fma";
  MatrixDocument* doc = Put(Mode::Real, 2, Real(1, 2, {5, -6}));
  ASSERT_EQ(Save(app, *doc, path), ResultCode::Ok);
  ASSERT_FALSE(doc->modified);
  WindowAppearance chosen = doc->appearance;
  chosen.colourSlots[4] = 12;
  chosen.palette[12] = 0x00102030;
  SetAppearance(app, *doc, chosen);
  EXPECT_TRUE(doc->modified);
  ASSERT_EQ(Save(app, *doc), ResultCode::Ok);
  EXPECT_FALSE(doc->modified);
  MatrixFileData data;
  ASSERT_EQ(ReadMatrixFile(path, MatrixKind::Real, data), ResultCode::Ok);
  EXPECT_EQ(data.appearance.colourSlots[4], 12);
  EXPECT_EQ(data.appearance.palette[12], 0x00102030u);
  EXPECT_EQ(data.complex.Entries(), Real(1, 2, {5, -6}).Entries());
  EXPECT_TRUE(port.codes.empty());
}

}  // namespace
}  // namespace tavrin
