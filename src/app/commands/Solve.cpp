#include "app/commands/Solve.h"

#include "app/commands/CommandLine.h"
#include "app/commands/CommandSupport.h"
#include "core/Interrupt.h"
#include "core/StringTable.h"
#include "engine/Elimination.h"

namespace tavrin {

ResultCode Solve(Application& app, int m, int b, int x, int k, bool zeros) {
  Workspace& ws = app.workspace();
  if (ws.EditingGuard()) return ResultCode::EditingInProgress;
  if (x == m) return app.Fail(ResultCode::InconsistentData);
  MatrixDocument* mDoc = ws.Lookup(m);
  if (!mDoc) return app.Fail(ResultCode::MatrixNotFound);
  MatrixDocument* bDoc = nullptr;
  if (!zeros) {
    bDoc = ws.Lookup(b);
    if (!bDoc) return app.Fail(ResultCode::MatrixNotFound);
    if (b == m || b == x) return app.Fail(ResultCode::InconsistentData);
    if (bDoc->rows() != mDoc->rows() || bDoc->cols() != 1) return app.Fail(ResultCode::InconsistentData);
  }
  int cols = mDoc->cols();
  // Stores X, and the kernel basis when there is one; the result types of
  // the exact and the floating solvers share their shape.
  auto store = [&](const auto& result) -> ResultCode {
    if (result.rank < cols && (k == x || k == m)) return app.Fail(ResultCode::InconsistentData);
    ResultCode c = Store(app, x, result.x, String(str::kSolution));
    if (NotOk(c) || result.rank >= cols) return c;
    return Store(app, k, result.k, String(str::kKernelBasis));
  };
  if (app.mode() == Mode::Integer) {
    // The work has copies of its inputs (see SnapshotLookup).
    IntegerMatrix rhs = bDoc ? bDoc->q : IntegerMatrix(mDoc->rows(), 1);
    IntegerMatrix matrix = mDoc->q;
    IntegerSolveResult result;
    ResultCode c = app.RunLong([&] { return SolveSystem(matrix, rhs, result, app.interrupt()); }, 'Q');
    if (IsError(c)) return app.Fail(c);
    return IsStopped(c) ? c : store(result);
  }
  // Large real systems take seconds too: the same runner, on copies.
  ComplexMatrix rhs = bDoc ? bDoc->z : ComplexMatrix(mDoc->rows(), 1);
  ComplexMatrix matrix = mDoc->z;
  const long double tolerance = mDoc->Tolerance();
  SolveResult result;
  ResultCode c = app.RunLong([&] { return SolveSystem(matrix, rhs, tolerance, result, app.interrupt()); }, 'Q');
  if (IsError(c)) return app.Fail(c);
  return IsStopped(c) ? c : store(result);  // stopped: nothing is stored
}

ResultCode SolveLine(Application& app, CommandLine& line) {
  int m = 0, b = 0, x = 0, k = 0;
  if (line.size() != 5 || !line.Letter(1, m) || !line.Letter(3, x) || !line.Letter(4, k)) return line.Usage();
  const bool zeros = line.Lower(2) == "zeros";
  if (!zeros && !line.Letter(2, b)) return line.Usage();
  return Solve(app, m, b, x, k, zeros);
}

}  // namespace tavrin
