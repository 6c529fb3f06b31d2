#include "app/commands/CommandTable.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "app/commands/Calculate.h"
#include "app/commands/CopyAsText.h"
#include "app/commands/CommandIds.h"
#include "app/commands/Echelon.h"
#include "app/commands/Editing.h"
#include "app/commands/Files.h"
#include "app/commands/FormatText.h"
#include "app/commands/Generators.h"
#include "app/commands/LinearProgram.h"
#include "app/commands/Mode.h"
#include "app/commands/Operations.h"
#include "app/commands/Script.h"
#include "app/commands/Solve.h"
#include "app/commands/Steps.h"
#include "app/commands/View.h"

namespace tavrin {

namespace {

using namespace command_id;
using E = Enabling;

// The order is that of `help`.
const CommandEntry kTable[] = {
    {kModeReal, kModeInteger, "mode", "mode real|complex|integer", ModeLine, E::Always, false, true},
    {0, 0, "seed", "seed N", SeedLine},
    {0, 0, "answer", "answer yes|no|cancel", AnswerLine},
    {kWhiteBackgrounds, kWhiteBackgrounds, "white", "white on|off", WhiteLine, E::Always, false, true},
    {0, 0, "enter", "enter L ROWS COLS [DENOM]   (then ROWS lines of COLS entries)", EnterLine},
    {kNew, kNew, "new", "new L zeros|random|diagonal|probrows|probcols ROWS COLS [LOW HIGH | VALUE]", NewLine},
    {kCalculate, kCalculate, "calc", "calc L = TEXT", CalculateLine, E::ModeCreated},
    {kSolve, kSolve, "solve", "solve M B X K | solve M zeros X K", SolveLine, E::ModeCreated},
    {kCopyColumn, kCopyColumn, "copycol", "copycol L SRC COLTEXT", CopyColumnLine},
    {kRotate2D, kRotate2D, "rotate2d", "rotate2d L DEG", Rotate2DLine},
    {kRotate3D, kRotate3D, "rotate3d", "rotate3d L X Y Z DEG | rotate3d L @A DEG", Rotate3DLine},
    {kIntegerRotate3D, kIntegerRotate3D, "pythrot", "pythrot L X Y Z P Q   (either triple or pair may be @A)",
     PythagoreanRotationLine},
    {kReflectProject, kReflectProject, "project", "project L AXIS", ProjectLine},
    {kReflectProject, kReflectProject, "reflect", "reflect L AXIS", ReflectLine, E::Always, true},
    {kUnimodular, kUnimodular, "unimodular", "unimodular L N", UnimodularLine},
    {kFormula, kFormula, "formula", "formula L ROWS COLS TEXT", FormulaLine},
    {kTextOut, kTextOut, "show", "show L", ShowLine},
    {0, 0, "values", "values L", ValuesLine},
    {kOneMatrixFirst, kOneMatrixLast, "report", "report L", ReportLine, E::LetterHeld},
    {kNotes, kNotes, "notes", "notes L", NotesLine},
    {kFormat, kFormat, "format", "format L PLACES WIDTH [sci]", FormatLine},
    {kHyphen, kHyphen, "minus", "minus L CODE|off", MinusLine},
    {0, 0, "edit", "edit L ROW COL TEXT | edit L denom TEXT", EditLine},
    {kUndo, kUndo, "undo", "undo L", UndoLine, E::UndoHistory},
    {kRedo, kRedo, "redo", "redo L", RedoLine, E::Always, true},
    {kDimensions, kDimensions, "dims", "dims L R C", DimensionsLine, E::Always, true},
    {kRemoveRows, kRemoveRows, "remove-rows", "remove-rows L A B", RemoveRowsLine, E::TwoRows, true},
    {kRemoveColumns, kRemoveColumns, "remove-cols", "remove-cols L A B", RemoveColumnsLine, E::TwoColumns, true},
    {kInsertRow, kInsertRow, "insert-row", "insert-row L N", InsertRowLine},
    {kInsertColumn, kInsertColumn, "insert-col", "insert-col L N", InsertColumnLine, E::Always, true},
    {kExchangeRows, kExchangeRows, "swap-rows", "swap-rows L A B", ExchangeRowsLine, E::TwoRows, true},
    {kExchangeColumns, kExchangeColumns, "swap-cols", "swap-cols L A B", ExchangeColumnsLine, E::TwoColumns, true},
    {kCopyAsFirst, kCopyAsFirst + 6, "copyas", "copyas L text|csv|tsv|markdown|latex|numpy|matlab", CopyAsLine},
    {kEchelon, kEchelon, "echelon", "echelon L final|reset|step", EchelonLine, E::ModeCreated},
    {0, 0, "echelon-save", "echelon-save L", SaveEchelonLine},
    {kLinearProgram, kLinearProgram, "lp", "lp max|min F B C find|step|reset", LinearProgramLine, E::ModeCreated},
    {0, 0, "lp-save", "lp-save L", SaveLpLine},
    {kOperations, kOperations, "oper",
     "oper reset L | oper rows|columns multiply K FACTOR | oper rows|columns add S T FACTOR\n"
     "oper rows|columns swap A B | oper undo | oper show",
     OperationsLine, E::ModeCreated},
    {kSaveSteps, kSaveSteps, "steps", "steps echelon|oper|lp PATH", StepsLine},
    {kOpen, kOpen, "open", "open PATH", OpenLine},
    {kSave, kSaveAs, "save", "save L [PATH]", SaveLine},
    {kTexMatrix, kLatexTabular, "tex",
     "tex L PATH matrix|table|array|tabular [none|paren|bracket|bar] [left|centre|right] [FACTOR]", TexLine},
    {kPaste, kPaste, "paste", "paste   (then lines up to a line holding only .)", PasteLine, E::ClipboardText},
    {0, 0, "echo", "echo TEXT", EchoLine},
    {0, 0, "list", "list", ListLine},
    {0, 0, "help", "help", HelpLine},
    {0, 0, "quit", "quit", QuitLine},
    // Menu items without a console word.
    {kViewFirst, kViewLast, nullptr, nullptr, nullptr, E::LetterHeld},
};

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::span<const CommandEntry> CommandTable() { return kTable; }

const CommandEntry* FindCommand(std::string_view word) {
  for (const CommandEntry& e : kTable)
    if (e.name && SameWord(e.name, word)) return &e;
  return nullptr;
}

const CommandEntry* FindCommandById(int id) {
  if (id <= 0) return nullptr;
  for (const CommandEntry& e : kTable)
    if (id >= e.id && id <= e.lastId) return &e;
  return nullptr;
}

std::string HelpText() {
  std::string text;
  for (const CommandEntry& e : kTable) {
    if (!e.usage) continue;
    if (e.sameHelpLine && !text.empty()) {
      text.back() = ' ';  // the line goes on
      text += "| ";
    }
    text += e.usage;
    text += '\n';
  }
  return text;
}

bool CommandEnabled(const Application& app, int id, bool clipboardHasText) {
  const CommandEntry* e = FindCommandById(id);
  if (!e) return true;
  const Workspace& ws = app.workspace();
  switch (e->enabling) {
    case E::ClipboardText: return clipboardHasText;
    case E::ModeCreated: return ws.Created(app.mode());
    case E::LetterHeld: return ws.Lookup(app.mode(), id - e->id + 1) != nullptr;
    default: return true;
  }
}

bool CommandChecked(const Application& app, int id) {
  if (id >= kModeReal && id <= kModeInteger) return id - kModeReal == static_cast<int>(app.mode());
  if (id == kWhiteBackgrounds) return app.workspace().whiteBackgrounds();
  return false;
}

bool DocumentCommandEnabled(const MatrixDocument& doc, int id) {
  const CommandEntry* e = FindCommandById(id);
  if (!e) return true;
  switch (e->enabling) {
    case E::UndoHistory: return !doc.undo.empty();
    case E::TwoRows: return doc.rows() >= 2;
    case E::TwoColumns: return doc.cols() >= 2;
    default: return true;
  }
}

}  // namespace tavrin
