// Paste and the table reader: any text gives a matrix or a code, and a
// matrix always has entries for every row and column.
#include <cstdlib>
#include <string>

#include "io/TextImport.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ComplexMatrix m;
  if (IsOk(ImportText(text, m)) &&
      (m.rows < 1 || m.cols < 1 || m.size() != static_cast<size_t>(m.rows) * static_cast<size_t>(m.cols)))
    std::abort();
  ComplexMatrix t;
  if (IsOk(ImportTable(text, t)) &&
      (t.rows < 1 || t.cols < 1 || t.size() != static_cast<size_t>(t.rows) * static_cast<size_t>(t.cols)))
    std::abort();
  return 0;
}
