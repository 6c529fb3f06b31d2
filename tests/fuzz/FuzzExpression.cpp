// Matrix expressions with evaluation in each mode, over a few small
// matrices, and the entry editor's reader. The first byte picks the mode.
#include <string>

#include "FuzzSupport.h"
#include "lang/Expression.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 400) return 0;
  fuzz::StopLongWork();
  const Mode modes[] = {Mode::Real, Mode::Complex, Mode::Integer};
  const Mode mode = modes[data[0] % 3];
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  static const fuzz::Matrices m;
  MatrixLookup lookup;
  lookup.complexMatrix = [](char letter) { return m.Complex(letter); };
  lookup.integerMatrix = [](char letter) { return m.Integer(letter); };
  ExprValue value;
  (void)CalculateExpression(text, mode, lookup, value, tavrin::ProgramInterrupt());
  Complex scalar;
  (void)EvaluateScalarText(text, mode, lookup, scalar, tavrin::ProgramInterrupt());
  WindowVariables variables{};
  variables[0] = Complex(2, 1);
  (void)EvaluateEntryText(variables, text, scalar, tavrin::ProgramInterrupt(), tavrin::ProgramRandom());
  return 0;
}
