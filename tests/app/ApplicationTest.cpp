#include "app/Application.h"
#include "app/commands/Commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "AppFixture.h"
#include "core/PollKey.h"
#include "io/AtomicFile.h"
#include "lang/FormulaEngine.h"

namespace tavrin {
namespace {

using ApplicationTest = AppTest;

TEST_F(ApplicationTest, CaptionModeSwitchAndFormulaSwitch) {
  EXPECT_EQ(Caption(app), "tavrin [real]");
  EXPECT_EQ(SwitchMode(app, Mode::Complex), ResultCode::Ok);
  EXPECT_EQ(Caption(app), "tavrin [complex]");
  EXPECT_TRUE(app.formulaEngine().complexSwitch());
  EXPECT_EQ(ws.echelon().kind(), MatrixKind::Complex);
  EXPECT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  EXPECT_EQ(Caption(app), "tavrin [integer]");
  EXPECT_FALSE(app.formulaEngine().complexSwitch());
  EXPECT_EQ(ws.operations().kind(), MatrixKind::Integer);
  // An open entry editor keeps the mode.
  MatrixDocument* doc = Put(Mode::Integer, 1, IntegerMatrix(1, 1));
  doc->editing = true;
  EXPECT_EQ(SwitchMode(app, Mode::Real), ResultCode::EditingInProgress);
  EXPECT_EQ(app.mode(), Mode::Integer);
  EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::EditingInProgress});
}

TEST_F(ApplicationTest, LetterMenusAndEnabling) {
  // Calculate and the linear program before any matrix; New.
  for (auto [id, enabled] : {std::pair{618, false}, {616, false}, {500, true}})
    EXPECT_EQ(CommandEnabled(app, id), enabled) << id;
  EXPECT_FALSE(CommandEnabled(app, 99, false));
  Put(Mode::Real, 3, ComplexMatrix(1, 1));
  Put(Mode::Real, 1, ComplexMatrix(1, 1));
  auto items = LetterItems(app);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "A ...");
  EXPECT_EQ(items[0].viewId, 501);
  EXPECT_EQ(items[1].text, "C ...");
  EXPECT_EQ(items[1].oneMatrixId, 533);
  EXPECT_TRUE(CommandEnabled(app, 618));
  EXPECT_TRUE(CommandEnabled(app, 533));
  EXPECT_FALSE(CommandEnabled(app, 532));
  EXPECT_TRUE(CommandChecked(app, 400));
  (void)SwitchMode(app, Mode::Integer);
  EXPECT_FALSE(CommandEnabled(app, 618));  // nothing created in integer mode yet
  EXPECT_FALSE(CommandEnabled(app, 616));  // the linear program reads only integer letters now
  EXPECT_TRUE(LetterItems(app).empty());
  EXPECT_TRUE(CommandChecked(app, 402));
  ToggleWhiteBackgrounds(app);
  EXPECT_TRUE(CommandChecked(app, 628));
}

TEST_F(ApplicationTest, SolveChecksInOrder) {
  Put(Mode::Real, 13, Real(2, 3, {1, 2, 3, 2, 4, 7}));  // M
  Put(Mode::Real, 2, Real(2, 1, {1, 2}));               // B
  Put(Mode::Real, 3, Real(3, 1, {1, 2, 3}));            // C: wrong size
  struct Case {
    int m, b, x, k;
    bool zeros;
    ResultCode code;
  } cases[] = {
      {13, 2, 13, 13, false, ResultCode::InconsistentData},   // X = K = M: refused before solving
      {5, 2, 24, 11, false, ResultCode::MatrixNotFound},  // M empty
      {13, 4, 24, 11, false, ResultCode::MatrixNotFound}, // B empty
      {13, 13, 24, 11, false, ResultCode::InconsistentData},  // B = M
      {13, 24, 24, 11, false, ResultCode::MatrixNotFound}, // B empty before B = X
      {13, 3, 24, 11, false, ResultCode::InconsistentData},   // B not rows(M) x 1
      {13, 0, 24, 13, true, ResultCode::InconsistentData},    // kernel needed and K = M
  };
  for (const auto& c : cases) {
    port.codes.clear();
    EXPECT_EQ(Solve(app, c.m, c.b, c.x, c.k, c.zeros), c.code) << c.m << c.b << c.x << c.k;
    EXPECT_EQ(port.codes, std::vector<ResultCode>{c.code});
  }
  EXPECT_EQ(ws.Lookup(24), nullptr);  // nothing stored by a refusal
  ASSERT_EQ(Solve(app, 13, 0, 24, 11, true), ResultCode::Ok);
  MatrixDocument* k = ws.Lookup(11);
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->notebook, "kernel basis");
  EXPECT_EQ(ws.Lookup(24)->notebook, "solution");
  ASSERT_EQ(k->rows(), 3);
  EXPECT_EQ(k->z.at(0, 0), Complex(-2));
  EXPECT_EQ(k->z.at(1, 0), Complex(1));
  EXPECT_EQ(k->z.at(2, 0), Complex(0));
}

TEST_F(ApplicationTest, CalculateStoresTextAsTyped) {
  Put(Mode::Real, 13, Real(2, 2, {1, 2, 3, 4}));   // M
  Put(Mode::Real, 23, Real(2, 2, {0, 1, 1, 0}));   // W
  Put(Mode::Real, 24, Real(1, 2, {1, 2}));         // X
  ASSERT_EQ(Calculate(app, 16, "(M-3W)X'"), ResultCode::Ok);
  MatrixDocument* p = ws.Lookup(16);
  // M - 3W = [[1,-1],[0,4]]; times (1,2)' = (-1, 8).
  ASSERT_EQ(p->rows(), 2);
  EXPECT_EQ(p->z.at(0, 0), Complex(-1));
  EXPECT_EQ(p->z.at(1, 0), Complex(8));
  EXPECT_EQ(p->notebook, "(M-3W)X'");
  EXPECT_EQ(Calculate(app, 1, "2*3"), ResultCode::NotAMatrix);
  EXPECT_EQ(Calculate(app, 1, "M+X"), ResultCode::Incompatible);
  EXPECT_EQ(ws.Lookup(1), nullptr);
}

TEST_F(ApplicationTest, CloseAsksInOrderAndCancelStops) {
  Put(Mode::Integer, 2, IntegerMatrix(1, 1));
  Put(Mode::Real, 2, ComplexMatrix(1, 1));
  Put(Mode::Real, 1, ComplexMatrix(1, 1));
  port.answers = {Answer::Yes, Answer::No, Answer::No, Answer::Cancel};
  EXPECT_FALSE(RequestClose(app));
  std::vector<std::string> expected = {"do you want Save requests?", "save changes to mat1.fma",
                                       "save changes to mat2.fma", "save changes to mat2.ima"};
  EXPECT_EQ(port.questions, expected);
  // Declining the first question closes without more questions and
  // forgets the companions' changes.
  port.questions.clear();
  ws.lp().modified = true;
  port.answers = {Answer::No};
  EXPECT_TRUE(RequestClose(app));
  EXPECT_EQ(port.questions.size(), 1u);
  EXPECT_FALSE(ws.lp().modified);
}

// A save asked for during the close questions that does not happen (its
// dialog cancelled, or the file not writable) keeps the program open and
// the matrix modified; the later windows are not asked any more.
TEST_F(ApplicationTest, CloseStopsWhenTheAskedSaveDoesNotHappen) {
  Scratch scratch;
  const std::string dir = scratch.dir;
  std::filesystem::create_directories(dir + "/folder.fma");
  struct Case {
    const char* name;
    std::string chosen;  // what the save dialog gives; empty: cancelled
    std::vector<ResultCode> codes;
    bool overwriteAsked;
  } cases[] = {
      {"save dialog cancelled", "", {}, false},
      {"folder given as file", dir + "/folder.fma", {ResultCode::CannotSaveFile}, true},
      {"missing folder", dir + "/missing/x.fma", {ResultCode::CannotSaveFile}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePort port;
    Application app(port);
    Workspace& ws = app.workspace();
    MatrixDocument* a = nullptr;
    (void)ws.PutMatrix(Mode::Real, "", 1, Real(1, 1, {7}), &a);
    (void)ws.PutMatrix(Mode::Real, "", 2, ComplexMatrix(1, 1));
    port.chosenFile = c.chosen;
    port.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_FALSE(RequestClose(app));
    EXPECT_EQ(port.codes, c.codes);
    EXPECT_TRUE(a->modified);
    std::vector<std::string> asked = {"do you want Save requests?", "save changes to mat1.fma"};
    if (c.overwriteAsked) asked.push_back("overwrite existing file?");
    EXPECT_EQ(port.questions, asked);
  }
  // A save that works lets the close go on.
  MatrixDocument* a = Put(Mode::Real, 1, Real(1, 1, {7}));
  port.chosenFile = dir + "/kept.fma";
  EXPECT_TRUE(RequestClose(app));
  EXPECT_FALSE(a->modified);
  EXPECT_TRUE(std::filesystem::exists(dir + "/kept.fma"));
}

TEST_F(ApplicationTest, SaveOpenRoundTripAndFailures) {
  Scratch scratch;
  const std::string dir = scratch.dir;
  std::string path = dir + "/a.fma";
  MatrixDocument* a = Put(Mode::Real, 1, Real(1, 2, {1.25L, -3}));
  a->notebook = "made by hand";
  ASSERT_EQ(Save(app, *a, path, true), ResultCode::Ok);
  EXPECT_FALSE(a->modified);
  EXPECT_EQ(a->fileName, path);
  ASSERT_EQ(OpenByName(app, path), ResultCode::Ok);
  MatrixDocument* b = ws.Lookup(2);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->z, a->z);
  EXPECT_EQ(b->notebook, "made by hand");
  EXPECT_FALSE(b->modified);
  // Another extension is ignored without a message.
  EXPECT_EQ(OpenByName(app, dir + "/notes.txt"), ResultCode::Stopped);
  EXPECT_EQ(OpenByName(app, dir + "/noextension"), ResultCode::Stopped);
  EXPECT_TRUE(port.codes.empty());
  // A directory cannot be written; the document stays modified.
  a->modified = true;
  EXPECT_EQ(Save(app, *a, dir, true), ResultCode::CannotSaveFile);
  EXPECT_TRUE(a->modified);
  EXPECT_EQ(port.codes, std::vector<ResultCode>{ResultCode::CannotSaveFile});
  // Saving over an existing file asks first; No leaves it as it was.
  std::string before;
  ASSERT_TRUE(ReadWholeFile(path, before));
  a->z.at(0, 0) = Complex(9);
  port.answers = {Answer::No};
  EXPECT_EQ(Save(app, *a, path, true), ResultCode::Stopped);
  std::string after;
  ASSERT_TRUE(ReadWholeFile(path, after));
  EXPECT_EQ(before, after);
}

TEST_F(ApplicationTest, OpenWithEveryLetterTakenAsksForTheHiddenOne) {
  Scratch scratch;
  const std::string dir = scratch.dir;
  std::string path = dir + "/h.fma";
  MatrixDocument* a = Put(Mode::Real, 1, Real(1, 1, {42}));
  ASSERT_EQ(Save(app, *a, path, true), ResultCode::Ok);
  for (int l = 2; l <= 26; ++l) (void)ws.PutMatrix(Mode::Real, "", l, ComplexMatrix(1, 1));
  EXPECT_EQ(Open(app, path), ResultCode::NoMoreRoom);  // no letter free or hidden
  ws.Hide(*ws.Lookup(5));
  port.answers = {Answer::Yes};
  EXPECT_EQ(Open(app, path), ResultCode::Ok);
  EXPECT_EQ(ws.Lookup(5)->z.at(0, 0), Complex(42));
  EXPECT_FALSE(ws.Lookup(5)->hidden);
}

TEST_F(ApplicationTest, PasteAndView) {
  (void)SwitchMode(app, Mode::Complex);
  EXPECT_EQ(Paste(app, ""), ResultCode::CouldNotFind);
  EXPECT_EQ(Paste(app, "no numbers here"), ResultCode::InconsistentData);
  ASSERT_EQ(Paste(app, "1 2 3\n4 5\n"), ResultCode::Ok);
  // Pasted text always becomes a real matrix, at the current mode's free letter.
  MatrixDocument* a = ws.Lookup(Mode::Real, 1);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->z, Real(2, 3, {1, 2, 3, 4, 5, 0}));
  EXPECT_EQ(View(app, 7), ResultCode::Ok);
  MatrixDocument* g = ws.Lookup(Mode::Complex, 7);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->rows(), 3);
  EXPECT_EQ(g->notebook, "zeros");
}

// The runner sees every long computation with its stop key; a stop key
// pressed during the work leaves nothing stored.
TEST_F(ApplicationTest, LongWorkRunsThroughTheRunnerAndStops) {
  std::vector<int> keys;
  bool press = false;
  app.SetLongWorkRunner([&](const std::function<ResultCode()>& work, int stopKey) {
    keys.push_back(stopKey);
    if (press) PostKey(stopKey);
    return work();
  });
  (void)SwitchMode(app, Mode::Integer);
  Put(Mode::Integer, 1, Int(2, 2, {1, 2, 3, 4}));
  EXPECT_EQ(Calculate(app, 2, "A*A"), ResultCode::Ok);
  std::string title, text;
  EXPECT_EQ(Report(app, 1, title, text), ResultCode::Ok);
  press = true;
  EXPECT_EQ(Calculate(app, 3, "A*A"), ResultCode::Stopped);
  EXPECT_EQ(ws.Lookup(3), nullptr);
  EXPECT_TRUE(port.codes.empty());
  (void)SwitchMode(app, Mode::Real);
  Put(Mode::Real, 1, Real(2, 2, {2, 0, 0, 3}));
  press = false;
  EXPECT_EQ(Report(app, 1, title, text), ResultCode::Ok);
  EXPECT_EQ(keys, (std::vector<int>{'Q', 'Q', 'Q', 'S'}));
  EXPECT_EQ(PollKey(), 0);  // nothing is left pending after the work

  // Real work polls too: a stopped inverse, Solve or report is no result.
  press = true;
  EXPECT_EQ(Calculate(app, 3, "A^-1"), ResultCode::Stopped);
  EXPECT_EQ(Solve(app, 1, 0, 24, 11, true), ResultCode::Stopped);
  EXPECT_EQ(ws.Lookup(3), nullptr);
  EXPECT_EQ(ws.Lookup(24), nullptr);
  EXPECT_EQ(Report(app, 1, title, text), ResultCode::Ok);
  EXPECT_EQ(text.rfind("rank: could not calculate\r\n\r\ntrace: ", 0), 0u) << text;
  const std::string tail = "determinant: could not calculate\r\n\r\n"
                           "characteristic polynomial\r\n---------------------------\r\ncould not calculate";
  EXPECT_EQ(text.substr(text.size() - std::min(text.size(), tail.size())), tail);
  EXPECT_TRUE(port.codes.empty());
}

// A formula that fails at an entry stores nothing and names the entry.
TEST(Application, FailingFormulaStoresNothing) {
  struct PlacePort : FakePort {
    std::string place;
    void ShowCodeAt(ResultCode code, const std::string& p) override {
      place = p;
      ShowCode(code);
    }
  } port;
  Application app(port);
  EXPECT_EQ(Formula(app, 1, "3", "3", "1/(I-J)"), ResultCode::CouldNotCalculate);
  EXPECT_EQ(Formula(app, 2, "3", "3", "1/(I*J-6)"), ResultCode::CouldNotCalculate);
  EXPECT_EQ(port.place, "entry (2, 3)");
  EXPECT_EQ(port.codes, (std::vector<ResultCode>{ResultCode::CouldNotCalculate, ResultCode::CouldNotCalculate}));
  EXPECT_EQ(app.workspace().Lookup(1), nullptr);
  EXPECT_EQ(app.workspace().Lookup(2), nullptr);
  EXPECT_EQ(Formula(app, 3, "2", "2", "I+J"), ResultCode::Ok);
  EXPECT_NE(app.workspace().Lookup(3), nullptr);
}

}  // namespace
}  // namespace tavrin
