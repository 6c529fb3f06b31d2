#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "AppFixture.h"
#include "app/commands/Commands.h"
#include "app/commands/Editing.h"
#include "io/AtomicFile.h"
#include "io/MatrixFile.h"

namespace tavrin {
namespace {

using OpenSave = AppTest;

constexpr size_t kPaletteOffset = 80 + 680 + 68 + 30;  // sections A to D

void PutWord(std::string& bytes, size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); }
uint32_t Word(const std::string& bytes, size_t at) {
  uint32_t v;
  std::memcpy(&v, &bytes[at], 4);
  return v;
}

// Every letter of the real workspace taken, letter 5 hidden: an opened
// file can only go there, after the overwrite question.
MatrixDocument* FillAllButHidden(Workspace& ws) {
  for (int l = 1; l <= 26; ++l) (void)ws.PutMatrix(Mode::Real, "", l, Real(1, 1, {static_cast<long double>(l)}));
  MatrixDocument* e = ws.Lookup(Mode::Real, 5);
  ws.SetDescription(*e, "kept");
  ws.Hide(*e);
  return e;
}

TEST_F(OpenSave, UnreadableFileChangesNothing) {
  Scratch s;
  MatrixDocument* e = FillAllButHidden(ws);
  std::string garbage = s / "garbage.fma";
  ASSERT_TRUE(WriteFileAtomically(garbage, "not a matrix file"));
  std::filesystem::create_directories(s / "folder.fma");
  for (const std::string& path : {garbage, s / "missing.fma", s / "folder.fma"}) {
    port.codes.clear();
    EXPECT_EQ(OpenByName(app, path), ResultCode::CannotOpenFile);
    EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::CannotOpenFile});
  }
  EXPECT_TRUE(port.questions.empty());  // nothing was about to be replaced
  EXPECT_EQ(e->z, Real(1, 1, {5}));
  EXPECT_EQ(e->notebook, "kept");
  EXPECT_TRUE(e->hidden);
}

TEST_F(OpenSave, OpeningIntoAHiddenLetterIsOneUndoableStep) {
  Scratch s;
  MatrixDocument* a = Put(Mode::Real, 1, Real(2, 1, {1.5L, 2}));
  ws.SetDescription(*a, "from the file");
  a->format.places = 3;
  ASSERT_EQ(Save(app, *a, s / "f.fma", true), ResultCode::Ok);
  Application other(port);
  MatrixDocument* e = FillAllButHidden(other.workspace());
  ASSERT_EQ(EditEntry(other, *e, 0, 0, "8"), ResultCode::Ok);
  ASSERT_EQ(OpenByName(other, s / "f.fma"), ResultCode::Ok);
  EXPECT_EQ(e->z, Real(2, 1, {1.5L, 2}));
  EXPECT_EQ(e->notebook, "from the file");
  EXPECT_EQ(e->fileName, s / "f.fma");
  EXPECT_EQ(e->format.places, 3);
  EXPECT_FALSE(e->modified);
  ASSERT_EQ(Undo(other, *e), ResultCode::Ok);
  EXPECT_EQ(e->z, Real(1, 1, {8}));
  EXPECT_EQ(e->notebook, "kept");
  EXPECT_EQ(e->fileName, "");
  EXPECT_EQ(e->format.places, 5);
  ASSERT_EQ(Undo(other, *e), ResultCode::Ok);
  EXPECT_EQ(e->z, Real(1, 1, {5}));
}

// Paste and files of another mode take a letter that is free where the
// matrix goes, not one of the current mode.
TEST_F(OpenSave, AutomaticLetterIsFreeInTheReceivingWorkspace) {
  Scratch s;
  MatrixDocument* q = Put(Mode::Integer, 1, Int(1, 1, {3}));
  ASSERT_EQ(Save(app, *q, s / "q.ima", true), ResultCode::Ok);
  Put(Mode::Real, 1, Real(1, 1, {1}));
  Put(Mode::Real, 2, Real(1, 1, {2}));
  (void)SwitchMode(app, Mode::Complex);  // A and B are free here
  ASSERT_EQ(Paste(app, "4 5\n"), ResultCode::Ok);
  ASSERT_EQ(OpenByName(app, s / "q.ima"), ResultCode::Ok);
  EXPECT_TRUE(port.questions.empty());
  EXPECT_EQ(ws.Lookup(Mode::Real, 1)->z, Real(1, 1, {1}));
  EXPECT_EQ(ws.Lookup(Mode::Real, 3)->z, Real(1, 2, {4, 5}));
  ASSERT_NE(ws.Lookup(Mode::Integer, 2), nullptr);
  EXPECT_EQ(ws.Lookup(Mode::Integer, 2)->q, Int(1, 1, {3}));
  EXPECT_EQ(ws.Lookup(Mode::Complex, 1), nullptr);
}

TEST_F(OpenSave, SaveAsAddsTheKindsExtension) {
  Scratch s;
  struct Case {
    Mode mode;
    const char* typed;
    const char* written;
  } cases[] = {
      {Mode::Real, "realA", "realA.fma"},    {Mode::Complex, "c", "c.cma"},
      {Mode::Integer, "int", "int.ima"},     {Mode::Real, "kept.dat", "kept.dat"},
      {Mode::Real, "d.x/plain", "d.x/plain.fma"},
  };
  std::filesystem::create_directories(s / "d.x");
  int letter = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ++letter;
    MatrixDocument* doc =
        c.mode == Mode::Integer ? Put(c.mode, letter, Int(1, 1, {1})) : Put(c.mode, letter, Real(1, 1, {1}));
    port.chosenFile = s / c.typed;
    ASSERT_EQ(Save(app, *doc), ResultCode::Ok);
    EXPECT_EQ(doc->fileName, s / c.written);
    EXPECT_TRUE(std::filesystem::exists(s / c.written));
  }
  EXPECT_FALSE(std::filesystem::exists(s / "realA"));
}

// A palette the file does not carry (marker pair broken, or fewer than 28
// words) keeps the default palette, and saving writes it back.
TEST_F(OpenSave, UnsetPaletteEntriesKeepTheDefaults) {
  Scratch s;
  MatrixDocument* a = Put(Mode::Real, 1, Real(1, 1, {1}));
  for (size_t k = 0; k < 28; ++k) a->appearance.palette[k] = 0x010101u * static_cast<uint32_t>(k + 1);
  ASSERT_EQ(Save(app, *a, s / "p.fma", true), ResultCode::Ok);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(s / "p.fma", bytes));

  std::string broken = bytes;
  PutWord(broken, 68, 0);  // first marker word
  std::string shortPalette = bytes;
  PutWord(shortPalette, 32, 5);  // five palette words
  shortPalette.erase(kPaletteOffset + 20, 112 - 20);
  struct Case {
    const char* name;
    std::string bytes;
    size_t fromFile;
  } cases[] = {{"broken.fma", broken, 0}, {"short.fma", shortPalette, 5}};
  int letter = 2;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteFileAtomically(s / c.name, c.bytes));
    ASSERT_EQ(OpenByName(app, s / c.name), ResultCode::Ok);
    MatrixDocument* doc = ws.Lookup(Mode::Real, letter++);
    const auto defaults = WindowAppearance::ForNewWindow(doc->letter()).palette;
    for (size_t k = 0; k < 28; ++k)
      EXPECT_EQ(doc->appearance.palette[k], k < c.fromFile ? a->appearance.palette[k] : defaults[k]) << k;
    ASSERT_EQ(Save(app, *doc, s / "again.fma", true), ResultCode::Ok);
    std::string again;
    ASSERT_TRUE(ReadWholeFile(s / "again.fma", again));
    EXPECT_EQ(Word(again, kPaletteOffset + 4 * 27), defaults[27]);
    EXPECT_EQ(Word(again, kPaletteOffset + 4), c.fromFile > 1 ? 0x020202u : defaults[1]);
  }
}

// A pasted text of more numbers than a matrix may hold is refused (low
// memory, then inconsistent data) before the matrix is made.
TEST_F(OpenSave, PasteBeyondTheMatrixLimitIsRefused) {
  std::string row;
  for (int j = 0; j < 1000; ++j) row += "1 ";
  std::string text;
  for (int i = 0; i < 1001; ++i) text += row + "\n";
  EXPECT_EQ(Paste(app, text), ResultCode::InconsistentData);
  EXPECT_EQ(port.codes, std::vector<ResultCode>({ResultCode::LowMemory, ResultCode::InconsistentData}));
  EXPECT_EQ(ws.Lookup(Mode::Real, 1), nullptr);
  port.codes.clear();
  ASSERT_EQ(Paste(app, row + "\n" + row), ResultCode::Ok);
  EXPECT_EQ(ws.Lookup(Mode::Real, 1)->rows(), 2);
}

}  // namespace
}  // namespace tavrin
