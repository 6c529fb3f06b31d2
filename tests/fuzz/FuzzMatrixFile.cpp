// Matrix files of the three kinds: the first byte picks the kind the
// reading window has, the rest is the file. Whatever is read must write
// out and read back to the very same bytes.
#include <cstdlib>
#include <string>

#include "io/MatrixFile.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const MatrixKind kinds[] = {MatrixKind::Real, MatrixKind::Complex, MatrixKind::Integer};
  const MatrixKind kind = kinds[data[0] % 3];
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  MatrixFileData read;
  read.kind = kind;
  read.complex = ComplexMatrix(3, 3);
  read.integer = IntegerMatrix(3, 3);
  if (NotOk(ReadMatrixBytes(bytes, kind, read))) return 0;
  const std::string once = MatrixFileBytes(read);
  MatrixFileData again;
  again.kind = kind;
  if (NotOk(ReadMatrixBytes(once, kind, again))) std::abort();  // its own file refused
  if (MatrixFileBytes(again) != once) std::abort();           // not stable
  return 0;
}
