#include "app/Application.h"

#include <array>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <new>
#include <stdexcept>

#include "app/FileNames.h"
#include "core/GmpMemory.h"
#include "core/PollKey.h"
#include "core/StringTable.h"
#include "core/TextNumbers.h"
#include "engine/EchelonEngine.h"
#include "engine/Elimination.h"
#include "engine/ExactEchelon.h"
#include "engine/ExactOperations.h"
#include "engine/ExactSimplex.h"
#include "engine/OneMatrixReport.h"
#include "engine/Operations.h"
#include "engine/Simplex.h"
#include "io/AtomicFile.h"
#include "io/MatrixFile.h"
#include "io/TexExport.h"
#include "io/TextImport.h"
#include "io/StepsLatex.h"
#include "lang/ExactScalarText.h"
#include "lang/Expression.h"
#include "lang/FormulaEngine.h"

namespace tavrin {

namespace {

// The main frame's command ids whose enabling or check mark depends on
// the state; every other command is always enabled.
enum Command {
  kPaste = 99,
  kModeReal = 400,
  kModeInteger = 402,
  kViewFirst = 501,
  kViewLast = 526,
  kOneMatrixFirst = 531,
  kOneMatrixLast = 556,
  kLinearProgram = 616,
  kSolve = 617,
  kCalculate = 618,
  kEchelon = 619,
  kWhiteBackgrounds = 628,
  kOperations = 662,
};

const char* ModeName(Mode m) {
  switch (m) {
    case Mode::Complex: return String(str::kComplex);
    case Mode::Integer: return String(str::kInteger);
    default: return String(str::kReal);
  }
}

// PutMatrix in the current mode's workspace, then the notebook description.
template <class M>
ResultCode Store(Workspace& ws, [[maybe_unused]] UserPort& port, int letter, const M& matrix,
                 const std::string& notes) {
  MatrixDocument* stored = nullptr;
  ResultCode c = ws.PutMatrix(ws.mode(), "", letter, matrix, &stored);
  if (c == 0) ws.SetDescription(*stored, notes);
  return c;
}

}  // namespace

Application::Application(UserPort& port)
    : port_(port), ws_(port), formula_(std::make_unique<FormulaEngine>()),
      operations_(std::make_unique<OperationStack>()),
      exactOperations_(std::make_unique<ExactOperationStack>()) {
  InstallGmpMemoryFunctions();
}

Application::~Application() = default;

ResultCode Application::RunLong(const std::function<ResultCode()>& work, int stopKey) {
  // Memory that runs out (GMP's budget included) ends the work with code 3;
  // the work computes into its own results, so nothing half-done is stored.
  const std::function<ResultCode()> guarded = [&work]() -> ResultCode {
    try {
      return work();
    } catch (const std::bad_alloc&) {
      return code::kLowMemory;
    } catch (const std::length_error&) {
      return code::kLowMemory;
    }
  };
  ClearPendingKey();
  ResultCode c = runner_ ? runner_(guarded, stopKey) : guarded();
  ClearPendingKey();
  return c;
}

ResultCode Application::SwitchMode(Mode m) {
  if (ws_.EditingGuard()) return code::kEditingInProgress;
  if (m == mode()) return code::kOk;
  ws_.SetMode(m);
  formula_->SetComplexSwitch(m == Mode::Complex);
  // The echelon and operations windows follow the mode with zero matrices;
  // their logs and the operations' undo records belong to the old matrices.
  operations_->Clear();
  exactOperations_->Clear();
  echelonSteps_.Clear();
  operationSteps_.Clear();
  for (MatrixDocument* companion : {&ws_.echelon(), &ws_.operations()}) {
    companion->SetKind(KindOfMode(m));
    companion->highlightRow = companion->highlightCol = -1;
    port_.DocumentChanged(*companion);
  }
  port_.LetterMenusChanged();
  return code::kOk;
}

MatrixLookup Application::Lookup() {
  MatrixLookup lookup;
  lookup.complexMatrix = [this](char letter) -> const ComplexMatrix* {
    const MatrixDocument* doc = ws_.Lookup(mode(), letter - 'A' + 1);
    return doc && !doc->isInteger() ? &doc->z : nullptr;
  };
  lookup.integerMatrix = [this](char letter) -> const IntegerMatrix* {
    const MatrixDocument* doc = ws_.Lookup(mode(), letter - 'A' + 1);
    return doc && doc->isInteger() ? &doc->q : nullptr;
  };
  return lookup;
}

namespace {

// Copies of the current mode's matrices that a text names. Long work reads
// these, never the live documents, which the desktop may change while the
// work runs on its own thread.
MatrixLookup SnapshotLookup(Workspace& ws, std::string_view text) {
  struct Copies {
    std::array<std::optional<ComplexMatrix>, 26> z;
    std::array<std::optional<IntegerMatrix>, 26> q;
  };
  auto copies = std::make_shared<Copies>();
  for (char ch : text) {
    int i = std::toupper(static_cast<unsigned char>(ch)) - 'A';
    if (i < 0 || i >= 26 || copies->z[i] || copies->q[i]) continue;
    if (const MatrixDocument* doc = ws.Lookup(i + 1)) {
      if (doc->isInteger())
        copies->q[i] = doc->q;
      else
        copies->z[i] = doc->z;
    }
  }
  MatrixLookup lookup;
  lookup.complexMatrix = [copies](char letter) -> const ComplexMatrix* {
    int i = letter - 'A';
    return i >= 0 && i < 26 && copies->z[i] ? &*copies->z[i] : nullptr;
  };
  lookup.integerMatrix = [copies](char letter) -> const IntegerMatrix* {
    int i = letter - 'A';
    return i >= 0 && i < 26 && copies->q[i] ? &*copies->q[i] : nullptr;
  };
  return lookup;
}

}  // namespace

ResultCode Application::Calculate(int letter, const std::string& text) {
  if (ws_.EditingGuard()) return code::kEditingInProgress;
  ExprValue value;
  MatrixLookup lookup = SnapshotLookup(ws_, text);
  ResultCode c = RunLong([&] { return CalculateExpression(text, mode(), lookup, value); }, 'Q');
  if (c < 0) return c;  // stopped: nothing is stored
  if (c > 0) return Fail(c);  // a scalar result is 102 "not a matrix" too
  return mode() == Mode::Integer ? Store(ws_, port_, letter, value.integerMatrix, text)
                                 : Store(ws_, port_, letter, value.matrix, text);
}

ResultCode Application::Formula(int letter, const std::string& rowsText, const std::string& colsText,
                                const std::string& text) {
  if (ws_.EditingGuard()) return code::kEditingInProgress;
  FormulaCommandResult result;
  ResultCode run = RunLong(
      [&] {
        result = RunFormulaCommand(*formula_, rowsText, colsText, text);
        return result.code;
      },
      'Q');
  if (run == code::kLowMemory) result.code = run;
  if (result.code < 0) return result.code;
  if (result.failedRow > 0) {
    port_.ShowCodeAt(result.code, "entry (" + std::to_string(result.failedRow) + ", " +
                                      std::to_string(result.failedCol) + ")");
    return result.code;
  }
  if (result.code > 0) return Fail(result.code);
  if (result.interrupted) return code::kInterrupted;
  if (mode() == Mode::Integer) return code::kInterrupted;  // integer mode stores nothing
  return Store(ws_, port_, letter, result.matrix, result.description);
}

std::string Application::Caption() const { return std::string("tavrin [") + ModeName(mode()) + "]"; }

void Application::ToggleWhiteBackgrounds() {
  ws_.SetWhiteBackgrounds(!ws_.whiteBackgrounds());
  port_.LetterMenusChanged();
}

std::vector<Application::LetterItem> Application::LetterItems() const {
  std::vector<LetterItem> items;
  for (int letter = 1; letter <= 26; ++letter) {
    if (!ws_.Lookup(mode(), letter)) continue;
    items.push_back({letter, std::string(1, static_cast<char>('A' + letter - 1)) + " ...", kViewFirst + letter - 1,
                     kOneMatrixFirst + letter - 1});
  }
  return items;
}

bool Application::CommandEnabled(int id, bool clipboardHasText) const {
  if (id == kPaste) return clipboardHasText;
  if (id >= kViewFirst && id <= kViewLast) return ws_.Lookup(mode(), id - kViewFirst + 1) != nullptr;
  if (id >= kOneMatrixFirst && id <= kOneMatrixLast) return ws_.Lookup(mode(), id - kOneMatrixFirst + 1) != nullptr;
  switch (id) {
    case kCalculate:
    case kSolve:
    case kEchelon:
    case kOperations:
      return ws_.Created(mode());
    case kLinearProgram:
      return ws_.Created(mode());
    default:
      return true;
  }
}

bool Application::CommandChecked(int id) const {
  if (id >= kModeReal && id <= kModeInteger) return id - kModeReal == static_cast<int>(mode());
  if (id == kWhiteBackgrounds) return ws_.whiteBackgrounds();
  return false;
}

ResultCode Application::Solve(int m, int b, int x, int k, bool zeros) {
  if (ws_.EditingGuard()) return code::kEditingInProgress;
  if (x == m) return Fail(code::kInconsistentData);
  MatrixDocument* mDoc = ws_.Lookup(m);
  if (!mDoc) return Fail(code::kMatrixNotFound);
  MatrixDocument* bDoc = nullptr;
  if (!zeros) {
    bDoc = ws_.Lookup(b);
    if (!bDoc) return Fail(code::kMatrixNotFound);
    if (b == m || b == x) return Fail(code::kInconsistentData);
    if (bDoc->rows() != mDoc->rows() || bDoc->cols() != 1) return Fail(code::kInconsistentData);
  }
  int cols = mDoc->cols();
  // Stores X, and the kernel basis when there is one; the result types of
  // the exact and the floating solvers share their shape.
  auto store = [&](const auto& result) -> ResultCode {
    if (result.rank < cols && (k == x || k == m)) return Fail(code::kInconsistentData);
    ResultCode c = Store(ws_, port_, x, result.x, String(str::kSolution));
    if (c != 0 || result.rank >= cols) return c;
    return Store(ws_, port_, k, result.k, String(str::kKernelBasis));
  };
  if (mode() == Mode::Integer) {
    // The work has copies of its inputs (see SnapshotLookup).
    IntegerMatrix rhs = bDoc ? bDoc->q : IntegerMatrix(mDoc->rows(), 1);
    IntegerMatrix matrix = mDoc->q;
    IntegerSolveResult result;
    ResultCode c = RunLong([&] { return SolveSystem(matrix, rhs, result); }, 'Q');
    if (c > 0) return Fail(c);
    return c < 0 ? c : store(result);
  }
  // Large real systems take seconds too: the same runner, on copies.
  ComplexMatrix rhs = bDoc ? bDoc->z : ComplexMatrix(mDoc->rows(), 1);
  ComplexMatrix matrix = mDoc->z;
  const long double tolerance = mDoc->Tolerance();
  SolveResult result;
  ResultCode c = RunLong([&] { return SolveSystem(matrix, rhs, tolerance, result); }, 'Q');
  if (c > 0) return Fail(c);
  return c < 0 ? c : store(result);  // stopped: nothing is stored
}

ResultCode Application::LinearProgram(bool maximize, int f, int b, int c, Button button) {
  std::string choice = std::to_string(maximize) + "," + std::to_string(f) + "," + std::to_string(b) + "," +
                       std::to_string(c);
  if (choice != lpChoice_) {
    lpChoice_ = choice;
    lpCounter_ = -1;
  }
  if (button == Button::Reset) {
    lpCounter_ = -1;
    return code::kOk;
  }
  // Only the current mode's letters are read.
  MatrixDocument* fd = ws_.Lookup(mode(), f);
  MatrixDocument* bd = ws_.Lookup(mode(), b);
  MatrixDocument* cd = ws_.Lookup(mode(), c);
  if (!fd || !bd || !cd) return Fail(code::kMatrixNotFound);
  if (fd->editing || bd->editing || cd->editing) return Fail(code::kEditingInProgress);
  int64_t budget = button == Button::Find ? kLinearProgramFinalBudget : lpCounter_ + 1;
  LinearProgramLetters letters{fd->letterChar(), bd->letterChar(), cd->letterChar()};
  MatrixDocument& lp = ws_.lp();
  ResultCode rc;
  if (mode() == Mode::Integer) {
    ExactLinearProgramResult result;
    StepLog steps = lpSteps_;
    rc = RunLong([&] { return RunExactLinearProgram(fd->q, bd->q, cd->q, budget, maximize, letters, result, &steps, true); },
                 'Q');
    if (rc == kStoppedByKey) return code::kInterrupted;  // stopped: nothing is shown
    if (rc > 0) return Fail(rc);
    lpSteps_ = std::move(steps);
    if (lp.kind() != MatrixKind::Integer) lp.SetKind(MatrixKind::Integer);
    lp.Replace(result.shown);
    lp.title = result.title;
    lp.highlightRow = result.highlightRow;
    lp.highlightCol = result.highlightCol;
  } else {
    LinearProgramResult result;
    StepLog steps;  // the run replaces it, keeping the window's places
    steps.Start(ComplexMatrix(), false, lp.format.places, std::string());
    rc = RunLinearProgram(fd->z, bd->z, cd->z, budget, maximize, letters, result, &steps);
    if (rc > 0) return Fail(rc);
    lpSteps_ = std::move(steps);
    if (lp.kind() != KindOfMode(mode())) lp.SetKind(KindOfMode(mode()));
    lp.Replace(result.shown);
    lp.title = result.title;
    lp.highlightRow = result.highlightRow;
    lp.highlightCol = result.highlightCol;
  }
  lp.modified = true;
  port_.DocumentChanged(lp);
  ws_.Show(lp);
  if (rc < 0)
    lpCounter_ = -1;
  else if (button == Button::Step)
    ++lpCounter_;
  return code::kOk;
}

ResultCode Application::Fail(ResultCode c) {
  port_.ShowCode(c);
  return c;
}

ResultCode Application::SaveLpAs(int letter) {
  MatrixDocument& lp = ws_.lp();
  if (lp.kind() != KindOfMode(mode())) return Fail(code::kNothingToShow);  // it shows another mode's data
  return lp.isInteger() ? Store(ws_, port_, letter, lp.q, String(str::kLinearProgramData))
                        : Store(ws_, port_, letter, lp.z, String(str::kLinearProgramData));
}

ResultCode Application::Echelon(int letter, Button button) {
  if (letter != echelonLetter_) {
    if (echelonLetter_ != 0) echelonCounter_ = -1;
    echelonLetter_ = letter;
  }
  const Mode m = mode();  // only the current mode's letters are read
  MatrixDocument* doc = ws_.Lookup(m, letter);
  if (!doc) return Fail(code::kMatrixNotFound);
  if (doc->editing) return Fail(code::kEditingInProgress);
  int64_t budget = 0;
  switch (button) {
    case Button::Find: budget = kEchelonFinalBudget; break;
    case Button::Reset: budget = 0; echelonCounter_ = 0; break;
    case Button::Step: budget = std::max(echelonCounter_ + 1, 0); ++echelonCounter_; break;
  }
  const std::string title = EchelonTitle(doc->letterChar());
  MatrixDocument& ech = ws_.echelon();
  if (ech.kind() != KindOfMode(m)) ech.SetKind(KindOfMode(m));
  EchelonHighlight h;
  if (m == Mode::Integer) {
    IntegerMatrix copy = doc->q;
    StepLog steps;
    steps.Start(copy, title);
    bool stopped = false;
    RunLong(
        [&] {
          h = ExactEchelonEngine(copy, budget, &steps, &stopped);
          return code::kOk;
        },
        'Q');
    if (stopped) return code::kInterrupted;  // nothing half-reduced is shown
    echelonSteps_ = std::move(steps);
    ech.Replace(copy);
  } else {
    ComplexMatrix copy = doc->z;
    echelonSteps_.Start(copy, m == Mode::Complex, doc->format.places, title);
    h = EchelonEngine(copy, doc->Tolerance(), budget, &echelonSteps_);
    ech.Replace(copy);
  }
  ech.format = doc->format;
  ech.FitWidth();  // the reduced entries, not those of the source
  ech.title = title;
  bool valid = h.Valid(doc->rows(), doc->cols());
  ech.highlightRow = valid ? h.row : -1;
  ech.highlightCol = valid ? h.col : -1;
  port_.DocumentChanged(ech);
  ws_.Show(ech);
  return code::kOk;
}

ResultCode Application::SaveEchelonAs(int letter) {
  MatrixDocument& ech = ws_.echelon();
  if (ech.kind() != KindOfMode(mode())) return Fail(code::kNothingToShow);  // it shows another mode's data
  return ech.isInteger() ? Store(ws_, port_, letter, ech.q, String(str::kEchelonForm))
                         : Store(ws_, port_, letter, ech.z, String(str::kEchelonForm));
}

ResultCode Application::ResetOperations(int letter) {
  MatrixDocument& op = ws_.operations();
  if (op.editing) return Fail(code::kEditingInProgress);
  MatrixDocument* doc = ws_.Lookup(mode(), letter);  // only the current mode's letters
  if (!doc) return Fail(code::kMatrixNotFound);
  if (op.kind() != KindOfMode(mode())) op.SetKind(KindOfMode(mode()));
  op.format = doc->format;
  op.title = String(str::kOperations);
  op.highlightRow = op.highlightCol = -1;
  operations_->Clear();
  exactOperations_->Clear();
  if (doc->isInteger()) {
    op.Replace(doc->q);
    operationSteps_.Start(op.q, op.title);
  } else {
    op.Replace(doc->z);
    operationSteps_.Start(op.z, mode() == Mode::Complex, op.format.places, op.title);
  }
  op.FitWidth();  // the copied entries, with the source's places
  port_.DocumentChanged(op);
  ws_.Show(op);
  return code::kOk;
}

namespace {
// The operations dialog's index boxes hold at most 10 characters.
long long ReadIndex(const std::string& text) { return ReadCountText(text, 10); }
}  // namespace

ResultCode Application::OperMultiply(bool columns, const std::string& indexText, const std::string& factorText) {
  MatrixDocument& op = ws_.operations();
  if (op.editing) return Fail(code::kEditingInProgress);
  long long k = ReadIndex(indexText);
  long long bound = columns ? op.cols() : op.rows();
  if (k < 1 || k > bound) return Fail(code::kOutOfBounds);
  StepOperation step = StepOperation::Make(StepOperation::kScale, columns, static_cast<int>(k - 1), static_cast<int>(k - 1));
  const uint32_t kind = columns ? kMultiplyColumn : kMultiplyRow;
  ResultCode c;
  if (op.isInteger()) {
    c = EvaluateFractionText(factorText.substr(0, 100), Lookup(), step.exact);
    if (c > 0) return Fail(c);
    c = exactOperations_->Apply(op.q, kind, step.first, 0, step.exact);
  } else {
    c = EvaluateScalarText(factorText.substr(0, 100), mode(), Lookup(), step.value);
    if (c > 0) return Fail(c);
    if (mode() == Mode::Real) step.value.im = 0;
    c = operations_->Apply(op.z, kind, step.first, 0, step.value);
  }
  if (c > 0) return Fail(c);
  if (c == 0) LogOperation(step);
  return code::kOk;
}

ResultCode Application::OperAdd(bool columns, const std::string& sourceText, const std::string& targetText,
                                const std::string& factorText) {
  MatrixDocument& op = ws_.operations();
  if (op.editing) return Fail(code::kEditingInProgress);
  long long s = ReadIndex(sourceText), t = ReadIndex(targetText);
  if (s == t) return Fail(code::kNothingToDo);
  long long bound = columns ? op.cols() : op.rows();
  if (s < 1 || s > bound || t < 1 || t > bound) return Fail(code::kOutOfBounds);
  StepOperation step = StepOperation::Make(StepOperation::kAddMultiple, columns, static_cast<int>(s - 1), static_cast<int>(t - 1));
  const uint32_t kind = columns ? kAddColumnMultiple : kAddRowMultiple;
  ResultCode c;
  if (op.isInteger()) {
    c = EvaluateFractionText(factorText.substr(0, 100), Lookup(), step.exact);
    if (c > 0) return Fail(c);
    c = exactOperations_->Apply(op.q, kind, step.first, step.second, step.exact);
  } else {
    c = EvaluateScalarText(factorText.substr(0, 100), mode(), Lookup(), step.value);
    if (c > 0) return Fail(c);
    if (mode() == Mode::Real) step.value.im = 0;
    c = operations_->Apply(op.z, kind, step.first, step.second, step.value);
  }
  if (c > 0) return Fail(c);
  LogOperation(step);
  return code::kOk;
}

ResultCode Application::OperSwap(bool columns, const std::string& aText, const std::string& bText) {
  MatrixDocument& op = ws_.operations();
  if (op.editing) return Fail(code::kEditingInProgress);
  long long a = ReadIndex(aText), b = ReadIndex(bText);
  if (a == b) return Fail(code::kNothingToDo);
  long long bound = columns ? op.cols() : op.rows();
  if (a < 1 || a > bound || b < 1 || b > bound) return Fail(code::kOutOfBounds);
  const StepOperation step = StepOperation::Make(StepOperation::kSwap, columns, static_cast<int>(a - 1), static_cast<int>(b - 1));
  const uint32_t kind = columns ? kSwapColumns : kSwapRows;
  ResultCode c = op.isInteger() ? exactOperations_->Apply(op.q, kind, step.first, step.second, Fraction{1, 1})
                                : operations_->Apply(op.z, kind, step.first, step.second, kComplexOne);
  if (c > 0) return Fail(c);
  LogOperation(step);
  return code::kOk;
}

void Application::LogOperation(const StepOperation& step) {
  MatrixDocument& op = ws_.operations();
  if (operationSteps_.started()) {
    if (op.isInteger())
      operationSteps_.Add(step, op.q, -1, -1);
    else
      operationSteps_.Add(step, op.z, -1, -1);
  }
  op.modified = true;
  port_.DocumentChanged(op);
}

ResultCode Application::OperUndo() {
  MatrixDocument& op = ws_.operations();
  if (op.editing) return Fail(code::kEditingInProgress);
  const ResultCode c = op.isInteger() ? exactOperations_->Undo(op.q) : operations_->Undo(op.z);
  if (c == 0) {
    operationSteps_.DropLast();
    port_.DocumentChanged(op);
  }
  return code::kOk;
}

bool Application::CanUndoOperations() const {
  // Only the stack of the window's current kind ever holds records.
  return exactOperations_->CanUndo() || operations_->CanUndo();
}

const StepLog* Application::StepsOf(const MatrixDocument& doc) const {
  Workspace& ws = const_cast<Workspace&>(ws_);
  if (&doc == &ws.echelon()) return &echelonSteps_;
  if (&doc == &ws.operations()) return &operationSteps_;
  if (&doc == &ws.lp()) return &lpSteps_;
  return nullptr;
}

ResultCode Application::StepsLatexOf(const MatrixDocument& doc, std::string& text) const {
  const StepLog* log = StepsOf(doc);
  if (!log || !log->started()) return code::kNothingToShow;
  text = StepsLatex(*log, doc.format);
  return code::kOk;
}

ResultCode Application::StepsTextOf(const MatrixDocument& doc, std::string& text) const {
  const StepLog* log = StepsOf(doc);
  if (!log || !log->started()) return code::kNothingToShow;
  const bool exact = log->numbers().exact;
  const MatrixKind kind = log->numbers().complex ? MatrixKind::Complex : MatrixKind::Real;
  auto matrixText = [&](const ComplexMatrix& z, const IntegerMatrix& q) {
    std::string out;
    ResultCode c = exact ? TextOut(doc.format, q, out) : TextOut(doc.format, z, kind, out);
    return c == 0 ? out : std::string(String(400 + c)) + "\r\n";
  };
  text = log->title() + "\r\n" + matrixText(log->startZ(), log->startQ());
  for (const LoggedStep& s : log->steps()) {
    text += "\r\n" + s.text + "\r\n";
    if (s.hasMatrix && StepChangesMatrix(s.op, log->numbers())) text += matrixText(s.z, s.q);
  }
  return code::kOk;
}

ResultCode Application::SaveSteps(const MatrixDocument& doc, const std::string& givenPath) {
  std::string text;
  if (ResultCode c = StepsLatexOf(doc, text)) return Fail(c);
  std::string path = givenPath;
  if (path.empty() && (!port_.ChooseFile(true, "TeX files (*.TEX)|*.tex", "steps.tex", path) || path.empty()))
    return code::kInterrupted;
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && port_.Ask(String(str::kOverwrite), true) != Answer::Yes)
    return code::kInterrupted;
  if (std::filesystem::is_directory(path, ec) || !WriteFileAtomically(path, text)) return Fail(code::kCannotSaveFile);
  port_.ShowNotice("TeX file saved");
  return code::kOk;
}

ResultCode Application::Paste(const std::string& text) {
  if (text.empty()) return Fail(code::kCouldNotFind);
  ComplexMatrix m;
  ResultCode c = ImportText(text, m);
  if (c != 0) {
    if (c == code::kLowMemory) port_.ShowCode(c);
    return Fail(code::kInconsistentData);
  }
  return ws_.PutMatrix(Mode::Real, "", 0, m, nullptr);
}

ResultCode Application::ExportTex(const MatrixDocument& doc, const std::string& path, int form,
                                  const TexOptions& options) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && port_.Ask(String(str::kOverwrite), true) != Answer::Yes)
    return code::kInterrupted;
  std::string text;
  if (doc.isInteger()) {
    switch (form) {
      case 0: text = TexMatrix(doc.format, doc.q, options); break;
      case 1: text = TexTable(doc.format, doc.q, options); break;
      case 2: text = LatexArray(doc.format, doc.q, options); break;
      default: text = LatexTabular(doc.format, doc.q, options); break;
    }
  } else {
    switch (form) {
      case 0: text = TexMatrix(doc.format, doc.kind(), doc.z, options); break;
      case 1: text = TexTable(doc.format, doc.kind(), doc.z, options); break;
      case 2: text = LatexArray(doc.format, doc.kind(), doc.z, options); break;
      default: text = LatexTabular(doc.format, doc.kind(), doc.z, options); break;
    }
  }
  // A file that cannot be written is reported rather than passed over in silence.
  if (std::filesystem::is_directory(path, ec) || !WriteFileAtomically(path, text))
    return Fail(code::kCannotSaveFile);
  port_.ShowNotice("TeX file saved");
  return code::kOk;
}

ResultCode Application::View(int letter) {
  if (letter < 1 || letter > 26) return code::kInterrupted;
  if (MatrixDocument* doc = ws_.Lookup(letter)) {
    ws_.Show(*doc);
    return code::kOk;
  }
  // An empty letter gets a new 3x3 zero matrix, as New with zeros would.
  return mode() == Mode::Integer ? Store(ws_, port_, letter, IntegerMatrix(3, 3), String(str::kZeros))
                                 : Store(ws_, port_, letter, ComplexMatrix(3, 3), String(str::kZeros));
}

ResultCode Application::Report(int letter, std::string& title, std::string& text) {
  MatrixDocument* doc = ws_.Lookup(letter);
  if (!doc) return code::kInterrupted;  // a letter without a matrix does nothing
  ReportFormat f;
  f.places = doc->format.places;
  f.width = doc->format.width;
  f.minusOn = doc->format.minusOn;
  f.minusCode = doc->format.minusCode;
  // The work has a copy of the matrix (see SnapshotLookup).
  const MatrixKind kind = doc->kind();
  IntegerMatrix q;
  ComplexMatrix z;
  if (kind == MatrixKind::Integer) q = doc->q; else z = doc->z;
  ResultCode c = RunLong(
      [&] {
        text = kind == MatrixKind::Integer ? OneMatrixReport(q, f) : OneMatrixReport(z, kind, f);
        return code::kOk;
      },
      kind == MatrixKind::Integer ? 'Q' : 'S');
  if (c > 0) {
    text.clear();
    return Fail(c);
  }
  title = String(str::kCalculationsFor);
  title.back() = doc->letterChar();
  return code::kOk;
}

bool Application::RequestClose() {
  if (!ws_.AnyModified()) return true;
  if (port_.Ask(String(str::kSaveRequests), false) != Answer::Yes) {
    ws_.lp().modified = false;
    ws_.echelon().modified = false;
    ws_.operations().modified = false;
    return true;
  }
  bool cancelled = false;
  ws_.ForEachInClosingOrder([&](MatrixDocument& doc) {
    if (cancelled || !doc.modified) return;
    std::string name = doc.fileName.empty() ? doc.defaultFileName : doc.fileName;
    switch (port_.Ask(std::string(String(str::kSaveChangesTo)) + name, true)) {
      // A save that was cancelled or failed keeps the program open: closing
      // now would lose the matrix the user just asked to keep.
      case Answer::Yes: cancelled = Save(doc) != code::kOk; break;
      case Answer::No: break;
      case Answer::Cancel: cancelled = true; break;
    }
  });
  return !cancelled;
}

ResultCode Application::ApplyFormat(MatrixDocument& doc, const std::string& placesText,
                                    const std::string& widthText, bool scientific) {
  ResultCode c = ApplyFormatDialog(doc.format, placesText, widthText, scientific, doc.format.replaceE,
                                   doc.format.tableChoice);
  if (c > 0) return Fail(c);
  port_.DocumentChanged(doc);
  return code::kOk;
}

ResultCode Application::ApplyHyphen(MatrixDocument& doc, const std::string* codeText) {
  bool repaint = false;
  ResultCode c = ApplyHyphenDialog(doc.format, codeText, &repaint);
  if (c > 0) return Fail(c);
  if (repaint) port_.DocumentChanged(doc);
  return code::kOk;
}

ResultCode Application::TextOutOf(const MatrixDocument& doc, std::string& text) const {
  return doc.isInteger() ? TextOut(doc.format, doc.q, text) : TextOut(doc.format, doc.z, doc.kind(), text);
}

namespace {

const char* FilterFor(MatrixKind kind) {
  switch (kind) {
    case MatrixKind::Complex: return String(str::kComplexFilter);
    case MatrixKind::Integer: return String(str::kIntegerFilter);
    default: return String(str::kRealFilter);
  }
}

// The look of a document that takes what its file carried: the format
// values (the width then recomputed from the entries), appearance, version.
DocumentLook FileLook(const DisplayFormat& current, const MatrixFileData& data) {
  DocumentLook look;
  look.format = current;
  look.format.width = data.format.width;
  look.format.places = data.format.places;
  look.format.scientific = data.format.scientific;
  look.format.width = data.kind == MatrixKind::Integer ? AutoWidthInteger()
                                                       : AutoWidth(look.format, data.complex, data.kind);
  look.appearance = data.appearance;
  look.fileVersion = data.version;
  return look;
}

MatrixFileData FileDataOf(const MatrixDocument& doc) {
  MatrixFileData data;
  data.kind = doc.kind();
  if (doc.isInteger())
    data.integer = doc.q;
  else
    data.complex = doc.z;
  data.format = doc.format;
  data.appearance = doc.appearance;
  data.notebook = doc.notebook;
  return data;
}

}  // namespace

ResultCode Application::Open(const std::string& givenPath) {
  if (ws_.FindFreeLetter() == 0) return Fail(code::kNoMoreRoom);
  std::string path = givenPath;
  MatrixKind kind = KindOfMode(mode());
  if (path.empty()) {
    std::string initial = std::string("noname.") + Extension(kind);
    if (!port_.ChooseFile(false, FilterFor(kind), initial, path) || path.empty()) return code::kInterrupted;
  }
  return OpenInto(mode(), path);
}

ResultCode Application::OpenInto(Mode m, const std::string& path) {
  const MatrixKind kind = KindOfMode(m);
  const int letter = ws_.FindFreeLetter(m);
  if (letter == 0) return Fail(code::kNoMoreRoom);
  // The file is read before anything is stored: a file that cannot be read
  // leaves the workspace as it was. What the file does not set (a palette
  // it does not carry) keeps a new window's defaults.
  MatrixFileData data;
  data.kind = kind;
  data.appearance = WindowAppearance::ForNewWindow(ws_.whiteBackgrounds() ? -letter : letter);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec) || ReadMatrixFile(path, kind, data) != 0)
    return Fail(code::kCannotOpenFile);
  const MatrixDocument* existing = ws_.Lookup(m, letter);
  const DocumentLook look = FileLook(existing ? existing->format : WindowFormatFor(kind), data);
  MatrixDocument* doc = nullptr;
  ResultCode c = kind == MatrixKind::Integer ? ws_.PutMatrix(m, path, letter, data.integer, &doc, &look)
                                             : ws_.PutMatrix(m, path, letter, data.complex, &doc, &look);
  if (c != 0) return c;
  doc->fileName = path;
  doc->notebook = std::move(data.notebook);
  doc->modified = false;
  port_.DocumentChanged(*doc);
  return code::kOk;
}

ResultCode Application::OpenByName(const std::string& path) {
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.size() - dot - 1 != 3) return code::kInterrupted;
  std::string ext = path.substr(dot + 1);
  for (auto& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (ext == "FMA") return OpenInto(Mode::Real, path);
  if (ext == "CMA") return OpenInto(Mode::Complex, path);
  if (ext == "IMA") return OpenInto(Mode::Integer, path);
  return code::kInterrupted;
}

ResultCode Application::Save(MatrixDocument& doc, const std::string& givenPath, bool saveAs) {
  std::string path = givenPath;
  if (path.empty()) {
    if (saveAs || doc.fileName.empty()) {
      std::string initial = doc.fileName.empty() ? doc.defaultFileName : doc.fileName;
      if (!port_.ChooseFile(true, FilterFor(doc.kind()), initial, path) || path.empty()) return code::kInterrupted;
      path = WithDefaultExtension(path, Extension(doc.kind()));
      saveAs = true;
    } else {
      path = doc.fileName;
    }
  }
  std::error_code ec;
  if (saveAs && std::filesystem::exists(path, ec)) {
    if (port_.Ask(String(str::kOverwrite), true) != Answer::Yes) return code::kInterrupted;
  }
  if (std::filesystem::is_directory(path, ec) || WriteMatrixFile(path, FileDataOf(doc)) != 0)
    return Fail(code::kCannotSaveFile);
  doc.fileName = path;
  doc.modified = false;
  port_.DocumentChanged(doc);
  return code::kOk;
}

}  // namespace tavrin
