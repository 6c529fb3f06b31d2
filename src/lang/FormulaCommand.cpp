#include <cctype>
#include <cmath>
#include <new>

#include "core/StringTable.h"
#include "core/TextNumbers.h"
#include "lang/FormulaEngine.h"

namespace tavrin {

namespace {


}  // namespace

FormulaCommandResult RunFormulaCommand(FormulaEngine& engine, std::string_view rowsText,
                                       std::string_view colsText, std::string_view formula, Interrupt& stop,
                                       RandomGenerator& random) {
  FormulaCommandResult result;
  const long long rows = ReadCountText(rowsText), cols = ReadCountText(colsText);
  if (rows < 1 || cols < 1 || rows > 1000000 || cols > 1000000 || rows * cols > 1000000) {
    result.code = ResultCode::OutOfBounds;
    return result;
  }
  try {
    result.matrix = ComplexMatrix(static_cast<int32_t>(rows), static_cast<int32_t>(cols));
  } catch (const std::bad_alloc&) {
    result.code = ResultCode::LowMemory;
    return result;
  }
  engine.status = ResultCode::Ok;
  if (ResultCode rc = CompileFormula(engine, formula, stop, random); NotOk(rc)) {
    result.code = rc;
    result.matrix = ComplexMatrix();
    return result;
  }
  FormulaNode* root = engine.root();
  for (int32_t i = 0; i < rows && IsOk(engine.status) && IsOk(result.code); ++i) {
    // A large matrix of a simple formula never reaches the loops' poll.
    if (stop.QuitOrStop()) {
      engine.status = ResultCode::Stopped;
      break;
    }
    for (int32_t j = 0; j < cols; ++j) {
      engine.variable('I') = Complex(static_cast<long double>(i + 1));
      engine.variable('J') = Complex(static_cast<long double>(j + 1));
      const bool ok = EvaluateFormula(engine, root, stop, random);
      if (NotOk(engine.status)) break;
      Complex v = root->value;
      if (!engine.complexSwitch()) v.im = 0;  // a real matrix keeps im = 0
      // A failed or infinite entry is reported with its place, never stored
      // as zero.
      if (!ok || !std::isfinite(v.re) || !std::isfinite(v.im)) {
        result.code = ResultCode::CouldNotCalculate;
        result.failedRow = i + 1;
        result.failedCol = j + 1;
        result.matrix = ComplexMatrix();
        break;
      }
      result.matrix.at(i, j) = v;
    }
  }
  if (NotOk(engine.status)) result.code = engine.status;
  engine.status = ResultCode::Ok;
  std::unique_ptr<FormulaNode> tree = engine.TakeRoot();
  FreeFormulaTree(tree);
  result.description = std::string(String(str::kFormula)) + " " + std::string(formula);
  return result;
}

}  // namespace tavrin
