// Paste and the table reader: any text gives a matrix or a code, and a
// matrix always has entries for every row and column.
#include <cstdlib>
#include <string>

#include "io/TextImport.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ComplexMatrix m;
  if (ImportText(text, m) == 0 &&
      (m.rows < 1 || m.cols < 1 || m.e.size() != static_cast<size_t>(m.rows) * static_cast<size_t>(m.cols)))
    std::abort();
  ComplexMatrix t;
  if (ImportTable(text, t) == 0 &&
      (t.rows < 1 || t.cols < 1 || t.e.size() != static_cast<size_t>(t.rows) * static_cast<size_t>(t.cols)))
    std::abort();
  return 0;
}
