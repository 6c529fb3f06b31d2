#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "core/ResultCode.h"
#include "core/StepLog.h"

namespace tavrin {

class FormulaEngine;
struct MatrixLookup;

// The main frame's logic without a window: mode, letter menus, the command
// table's enabling rules, every task operation the dialogs call, opening,
// pasting, saving and closing. The Qt main frame and tavrin-console both
// drive this class. Every operation reports a positive code once through
// the UserPort and returns it; 0 means done, negative means nothing done.
class Application {
 public:
  explicit Application(UserPort& port);
  ~Application();

  Workspace& workspace() { return ws_; }
  UserPort& port() { return port_; }
  Mode mode() const { return ws_.mode(); }
  FormulaEngine& formulaEngine() { return *formula_; }

  // Long computations (Calculate, Solve in integer mode, Formula, the One
  // matrix report) run their arithmetic through this runner: the desktop
  // program runs the work off its interface thread behind a progress box
  // that turns the stop key (Q, or S for the polynomial) into the poll's
  // answer. The work touches no window and asks nothing. The default runs
  // it directly.
  using LongWorkRunner = std::function<ResultCode(const std::function<ResultCode()>& work, int stopKey)>;
  void SetLongWorkRunner(LongWorkRunner runner) { runner_ = std::move(runner); }

  // "tavrin [real]" / "[complex]" / "[integer]".
  std::string Caption() const;
  // The mode switch (refused with 111 while an entry is being edited).
  ResultCode SwitchMode(Mode m);
  void ToggleWhiteBackgrounds();

  // One item per letter that holds a matrix in the current mode.
  struct LetterItem {
    int letter;        // 1..26
    std::string text;  // "A ..."
    int viewId;        // 501 + index
    int oneMatrixId;   // 531 + index
  };
  std::vector<LetterItem> LetterItems() const;
  // Whether the main frame's command id is enabled now (clipboardHasText
  // for Paste); Checked for the mode items and "White backgrounds".
  bool CommandEnabled(int id, bool clipboardHasText = true) const;
  bool CommandChecked(int id) const;

  // --- Task operations -------------------------------------------------
  ResultCode Calculate(int letter, const std::string& text);
  ResultCode Solve(int m, int b, int x, int k, bool zeros);
  ResultCode Formula(int letter, const std::string& rowsText, const std::string& colsText,
                     const std::string& text);

  enum class Button { Find, Step, Reset };
  // The Linear program dialog: letters of F, the constraint matrix and the
  // right-hand side; the step counter is kept here as the dialog keeps it.
  ResultCode LinearProgram(bool maximize, int f, int b, int c, Button button);
  int lpCounter() const { return lpCounter_; }
  void LpSelectionChanged() { lpCounter_ = -1; }
  // The LP and echelon companion windows' titles are kept on their
  // documents (MatrixDocument::title); highlight likewise.
  ResultCode SaveLpAs(int letter);

  // The Echelon dialog ("final" is Button::Find).
  ResultCode Echelon(int letter, Button button);
  int echelonCounter() const { return echelonCounter_; }
  void EchelonLetterChanged() { echelonCounter_ = -1; }
  ResultCode SaveEchelonAs(int letter);

  // The Row/clm operations dialog.
  ResultCode ResetOperations(int letter);
  ResultCode OperMultiply(bool columns, const std::string& indexText, const std::string& factorText);
  ResultCode OperAdd(bool columns, const std::string& sourceText, const std::string& targetText,
                     const std::string& factorText);
  ResultCode OperSwap(bool columns, const std::string& aText, const std::string& bText);
  ResultCode OperUndo();
  bool CanUndoOperations() const;

  // The step log of a companion window (the echelon, operations or
  // linear-program document) since its last reset; nullptr for any other
  // document. Its last step is the window's status line.
  const StepLog* StepsOf(const MatrixDocument& doc) const;
  // The log as a standalone LaTeX document; code 10 when the window has
  // no log yet.
  ResultCode StepsLatexOf(const MatrixDocument& doc, std::string& text) const;
  // "Save steps as LaTeX": the overwrite question when the file exists,
  // then "TeX file saved". An empty path asks for one through the port.
  ResultCode SaveSteps(const MatrixDocument& doc, const std::string& path = std::string());
  // The log as text: the starting matrix, then each step's operation and
  // the matrix after it, as "Text out" writes them (code 10: no log yet).
  ResultCode StepsTextOf(const MatrixDocument& doc, std::string& text) const;

  // View menu letter item: shows the letter, or creates a 3x3 zero matrix.
  ResultCode View(int letter);
  // One matrix report of the letter: its title ("calculations for A") and text.
  ResultCode Report(int letter, std::string& title, std::string& text);

  // --- Files -------------------------------------------------------------
  // Open: code 4 before any dialog when no letter is free or hidden; then
  // the path chosen through the port (or given) is read into a new letter.
  ResultCode Open(const std::string& path = std::string());
  // Dropped or handed-over files: the extension chooses the workspace;
  // anything but .fma/.cma/.ima is ignored silently.
  ResultCode OpenByName(const std::string& path);
  // Paste: a real matrix from text (code 2 empty, 6 no numbers).
  ResultCode Paste(const std::string& text);
  // Save (path empty: the document's file name, else a save dialog) and
  // Save As (saveAs: always ask, or use path when given).
  ResultCode Save(MatrixDocument& doc, const std::string& path = std::string(), bool saveAs = false);

  // --- The matrix window's own commands --------------------------------
  // The format dialog's OK (texts as typed; integer windows show only the
  // width). Codes 17 and 6 leave the format unchanged.
  ResultCode ApplyFormat(MatrixDocument& doc, const std::string& placesText, const std::string& widthText,
                         bool scientific);
  // Hyphen to minus: OK with a code text, or Cancel (nullptr).
  ResultCode ApplyHyphen(MatrixDocument& doc, const std::string* codeText);
  // The "Text out" text of a document (code 4 beyond 64000 characters).
  ResultCode TextOutOf(const MatrixDocument& doc, std::string& text) const;

  // TeX and LaTeX export of a document to path: the overwrite question when
  // the file exists, then "TeX file saved". form: 0 TeX matrix, 1 TeX
  // table, 2 LaTeX array, 3 LaTeX tabular.
  ResultCode ExportTex(const MatrixDocument& doc, const std::string& path, int form,
                       const struct TexOptions& options);

  // --- Closing -----------------------------------------------------------
  // The close questions: "do you want Save requests?", then per modified
  // window "save changes to <name>". False when Cancel stopped the close,
  // or when a save asked for was cancelled or failed.
  bool RequestClose();

 private:
  // The evaluator's view of the current mode's lettered matrices.
  struct MatrixLookup Lookup();
  ResultCode OpenInto(Mode m, const std::string& path);

  UserPort& port_;
  Workspace ws_;
  std::unique_ptr<FormulaEngine> formula_;
  // Reports a positive code once and returns it.
  ResultCode Fail(ResultCode c);
  ResultCode RunLong(const std::function<ResultCode()>& work, int stopKey);

  LongWorkRunner runner_;
  int lpCounter_ = -1;
  std::string lpChoice_;  // maximise and letters of the last run
  int echelonCounter_ = 0;
  int echelonLetter_ = 0;
  std::unique_ptr<class OperationStack> operations_;
  std::unique_ptr<class ExactOperationStack> exactOperations_;
  StepLog echelonSteps_, operationSteps_, lpSteps_;
  // Records an applied operation in the operations window's log.
  void LogOperation(const StepOperation& op);
};

}  // namespace tavrin
