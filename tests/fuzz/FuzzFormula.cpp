// Formulas: compile and fill a small matrix; the first byte picks the size
// and whether complex numbers are allowed.
#include <string>

#include "FuzzSupport.h"
#include "lang/FormulaEngine.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 400) return 0;
  fuzz::StopLongWork();
  static FormulaEngine engine;
  engine.SetComplexSwitch(data[0] & 1);
  const std::string rows = std::to_string(1 + (data[0] >> 1) % 4);
  const std::string cols = std::to_string(1 + (data[0] >> 3) % 4);
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  RunFormulaCommand(engine, rows, cols, text, tavrin::ProgramInterrupt(), tavrin::ProgramRandom());
  return 0;
}
